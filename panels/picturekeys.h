#pragma once

#include <QRect>
#include <QString>

// One place of a panel picture that the keyboard and assistive technology reach:
// a key (or a knob half, or a digit of the display) to press, or a text of the
// display to read.
struct PictureKey {
    QString name;
    QString description;
    QRect area;          // picture coordinates
    bool button = true;  // false: read, not pressed
};

// What the places of a panel picture are, and the tuning knob; the panel that owns
// the picture answers. Places are numbered from 0 in the order Tab visits them.
class PictureKeys {
public:
    virtual ~PictureKeys() = default;

    // The picture as a whole, for assistive technology.
    virtual QString pictureName() const = 0;
    virtual QString pictureDescription() const = 0;
    virtual int keyCount() const = 0;
    virtual PictureKey key(int index) const = 0;
    // Turns the tuning knob by steps (negative: down), as the mouse wheel over it does.
    virtual void tune(int steps) = 0;
};
