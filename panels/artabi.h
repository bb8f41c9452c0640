#pragma once

class QImage;

// The one entry point of a panel-art library ("PV756.dll" and its kin), looked up
// by the name "GetBitMap". The caller passes a fresh image and a picture name; the
// library fills the image and returns 1, or returns 0 when it holds no picture of
// that name (the image is then left as it was).
extern "C" {
typedef int (*GetBitMapFunction)(QImage* image, const char* name);
}

inline constexpr const char* GetBitMapSymbol = "GetBitMap";
