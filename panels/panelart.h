#pragma once

#include <QHash>
#include <QImage>
#include <QString>
#include <memory>

#include "panels/artlibrary.h"
#include "panels/panelmodel.h"

// One panel window's art: its library, its own "RADIO" and "DISPLAY", and the
// pictures all windows of the model share. The first window of a model to join
// fetches the shared pictures; the last one to leave frees them.
class PanelArt {
public:
    enum Failure { None, LibraryMissing, LibraryCorrupt, PictureMissing };

    PanelArt(const PanelLayout& model, const QString& libraryPath);
    ~PanelArt();
    PanelArt(const PanelArt&) = delete;
    PanelArt& operator=(const PanelArt&) = delete;

    // Loads the library, fetches "RADIO" and "DISPLAY", then joins the model's
    // shared art. Stops at the first failure.
    Failure open();
    // The error box text for a failure.
    static QString failureText(const PanelLayout& model, Failure failure);

    const QImage& radio() const { return radio_; }
    const QImage& display() const { return display_; }
    // A shared picture; a null image for a name the model does not share.
    const QImage& picture(const QString& name) const;

    // Pictures this window fetched from its library.
    int fetches() const { return fetches_; }

    // Open windows of a model that share its pictures, and whether they are held.
    static int windowsOf(const PanelLayout& model);
    static bool sharedHeld(const PanelLayout& model);

private:
    // The pictures all open windows of one model share. The windows own them
    // together; the last one to go frees them.
    struct Shared {
        QHash<QString, QImage> pictures;
    };
    // The model's shared pictures while any window holds them, else nullptr.
    static std::shared_ptr<Shared> sharedOf(const PanelLayout& model);
    QImage fetch(const char* name);

    const PanelLayout& model_;
    QString path_;
    std::unique_ptr<ArtLibrary> library_;
    QImage radio_;
    QImage display_;
    std::shared_ptr<Shared> shared_;
    int fetches_ = 0;
};
