#pragma once

#include <QByteArray>
#include <functional>

// Turns the line's byte chunks into one text line per frame ("FE FE 50 E0 03 FD"),
// with stray bytes and jams shown where they fall.
class FrameTrace {
public:
    explicit FrameTrace(std::function<void(const QString&)> print) : print_(std::move(print)) {}
    void feed(const QByteArray& chunk);

private:
    std::function<void(const QString&)> print_;
    QByteArray pending_;
};
