#pragma once

#include <QImage>
#include <QString>

#include "panels/artabi.h"

// One loaded panel-art library. Loading tells a missing file from a file without
// the GetBitMap entry; fetching tells a missing picture apart.
class ArtLibrary {
public:
    enum Status { Loaded, NotFound, Corrupt };

    explicit ArtLibrary(const QString& path);
    ~ArtLibrary();
    ArtLibrary(const ArtLibrary&) = delete;
    ArtLibrary& operator=(const ArtLibrary&) = delete;

    Status status() const { return status_; }
    // The named picture, or a null image when the library holds none of that name.
    QImage fetch(const char* name) const;

private:
    void* handle_ = nullptr;
    GetBitMapFunction getBitMap_ = nullptr;
    Status status_ = NotFound;
};
