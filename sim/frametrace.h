#pragma once

#include <QByteArray>
#include <functional>

#include "civ/framesplitter.h"

// Turns the line's byte chunks into one text line per frame, decoded after the way
// civ::describeFrame words it ("E0>50 03 read frequency  [FE FE 50 E0 03 FD]"), with
// partial frames, stray bytes and jams shown where they fall. The simulator hears
// every station alike, so no frame is marked as an echo.
class FrameTrace {
public:
    explicit FrameTrace(std::function<void(const QString&)> print) : print_(std::move(print)) {}
    void feed(const QByteArray& chunk);

private:
    std::function<void(const QString&)> print_;
    FrameSplitter splitter_;
};
