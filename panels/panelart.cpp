#include "panels/panelart.h"

#include <QPainter>
#include <map>

namespace {

// Which shared pictures belong to which model. Only weak references: the pictures
// live exactly as long as the windows that hold them.
template <typename Shared>
std::weak_ptr<Shared>& registryEntry(const PanelLayout& model)
{
    static std::map<const PanelLayout*, std::weak_ptr<Shared>> registry;
    return registry[&model];
}

}  // namespace

PanelArt::PanelArt(const PanelLayout& model, const QString& libraryPath) : model_(model), path_(libraryPath)
{
}

PanelArt::~PanelArt()
{
    shared_.reset();
    // The pictures are the window's own copies; the library can go now.
    radio_ = QImage();
    display_ = QImage();
    library_.reset();
}

std::shared_ptr<PanelArt::Shared> PanelArt::sharedOf(const PanelLayout& model)
{
    return registryEntry<Shared>(model).lock();
}

int PanelArt::windowsOf(const PanelLayout& model)
{
    // The caller's own reference from lock() is not a window.
    const std::shared_ptr<Shared> shared = sharedOf(model);
    return shared ? static_cast<int>(shared.use_count()) - 1 : 0;
}

bool PanelArt::sharedHeld(const PanelLayout& model) { return sharedOf(model) != nullptr; }

QImage PanelArt::fetch(const char* name)
{
    ++fetches_;
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

    shared_ = sharedOf(model_);
    if (shared_)
        return None;
    // The first window of the model fetches the shared pictures; a window that
    // fails half-way leaves none behind.
    auto fresh = std::make_shared<Shared>();
    for (const char* name : model_.sharedArt) {
        QImage image = fetch(name);
        if (image.isNull())
            return PictureMissing;
        fresh->pictures.insert(QString::fromLatin1(name), image.convertToFormat(QImage::Format_RGB32));
    }
    shared_ = fresh;
    registryEntry<Shared>(model_) = shared_;
    return None;
}

const QImage& PanelArt::picture(const QString& name) const
{
    static const QImage none;
    if (!shared_)
        return none;
    auto it = shared_->pictures.constFind(name);
    return it == shared_->pictures.cend() ? none : *it;
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
