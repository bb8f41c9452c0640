#include "panels/panelart.h"

#include <QPainter>
#include <map>

namespace {
int fetches = 0;
}

PanelArt::PanelArt(const PanelLayout& model, const QString& libraryPath) : model_(model), path_(libraryPath)
{
}

PanelArt::~PanelArt()
{
    if (joined_) {
        Shared& shared = sharedOf(model_);
        if (--shared.windows == 0)
            shared.pictures.clear();
    }
    // The pictures are the window's own copies; the library can go now.
    radio_ = QImage();
    display_ = QImage();
    library_.reset();
}

PanelArt::Shared& PanelArt::sharedOf(const PanelLayout& model)
{
    static std::map<const PanelLayout*, Shared> perModel;
    return perModel[&model];
}

int PanelArt::windowsOf(const PanelLayout& model) { return sharedOf(model).windows; }

bool PanelArt::sharedHeld(const PanelLayout& model) { return !sharedOf(model).pictures.isEmpty(); }

int PanelArt::fetchCount() { return fetches; }

QImage PanelArt::fetch(const char* name)
{
    ++fetches;
    return library_->fetch(name);
}

PanelArt::Failure PanelArt::open()
{
    library_ = std::make_unique<ArtLibrary>(path_);
    if (library_->status() == ArtLibrary::NotFound)
        return LibraryMissing;
    if (library_->status() == ArtLibrary::Corrupt)
        return LibraryCorrupt;

    radio_ = fetch("RADIO");
    if (radio_.isNull())
        return PictureMissing;
    // The panel picture has the model's size whatever the library drew.
    if (radio_.size() != model_.pictureSize) {
        QImage sized(model_.pictureSize, QImage::Format_RGB32);
        sized.fill(Qt::black);
        QPainter(&sized).drawImage(0, 0, radio_);
        radio_ = sized;
    }
    radio_ = radio_.convertToFormat(QImage::Format_RGB32);
    display_ = fetch("DISPLAY").convertToFormat(QImage::Format_RGB32);
    if (display_.isNull())
        return PictureMissing;

    Shared& shared = sharedOf(model_);
    joined_ = true;
    if (++shared.windows == 1) {
        for (const char* name : model_.sharedArt) {
            QImage image = fetch(name);
            if (image.isNull())
                return PictureMissing;
            shared.pictures.insert(QString::fromLatin1(name), image.convertToFormat(QImage::Format_RGB32));
        }
    }
    return None;
}

const QImage& PanelArt::picture(const QString& name) const
{
    static const QImage none;
    const Shared& shared = sharedOf(model_);
    auto it = shared.pictures.constFind(name);
    return it == shared.pictures.cend() ? none : *it;
}

QString PanelArt::failureText(const PanelLayout& model, Failure failure)
{
    const QString stem = QString::fromLatin1(model.libraryStem).toUpper();
    switch (failure) {
    case LibraryMissing: return stem + QStringLiteral(".DLL Could Not be Found!");
    case LibraryCorrupt: return stem + QStringLiteral(".DLL is Corrupt!");
    case PictureMissing:
        return QStringLiteral("A Resource was not found in the DLL.  Please contact Tech Support.");
    case None: break;
    }
    return {};
}
