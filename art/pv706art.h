#pragma once

class QImage;

// The art of the IC-706 and the IC-706MKII: one drawing for both sets, the MKII
// with its memory-channel knob. Fills image with the named picture and returns
// true, or returns false for a name the model's panel does not use.
namespace Art706 {
bool drawPicture(QImage* image, const char* name, bool mkII);
}
