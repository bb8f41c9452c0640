#include "panels/artlibrary.h"

#include <dlfcn.h>

#include <QFile>

ArtLibrary::ArtLibrary(const QString& path)
{
    if (path.isEmpty())
        return;
    handle_ = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_)
        return;
    getBitMap_ = reinterpret_cast<GetBitMapFunction>(dlsym(handle_, GetBitMapSymbol));
    status_ = getBitMap_ ? Loaded : Corrupt;
}

ArtLibrary::~ArtLibrary()
{
    if (handle_)
        dlclose(handle_);
}

QImage ArtLibrary::fetch(const char* name) const
{
    if (!getBitMap_)
        return {};
    QImage image;
    if (!getBitMap_(&image, name))
        return {};
    return image;
}
