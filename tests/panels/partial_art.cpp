// A panel-art library that holds only the two whole pictures.
#include <QImage>
#include <cstring>

extern "C" __attribute__((visibility("default"))) int GetBitMap(QImage* image, const char* name)
{
    if (std::strcmp(name, "RADIO") == 0)
        *image = QImage(750, 439, QImage::Format_RGB32);
    else if (std::strcmp(name, "DISPLAY") == 0)
        *image = QImage(330, 160, QImage::Format_RGB32);
    else
        return 0;
    image->fill(Qt::gray);
    return 1;
}
