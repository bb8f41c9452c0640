#pragma once

#include <QByteArray>
#include <QString>

// What the bus carries, in words: one line for one piece of the byte stream, as a
// trace shows it to a person reading along. The pieces come from FrameSplitter
// (civ/framesplitter.h): a whole frame, a frame cut short, a collision jam, or bytes
// outside any frame.
namespace civ {

// No station's frames are marked as the echo.
inline constexpr int NoOwnAddress = -1;

// One line for a piece: the sender and receiver ("E0>50"), the command byte, the
// command's name and value in words, then the bytes in brackets, e.g.
//   E0>50 05 set frequency 14.074.000  [FE FE 50 E0 05 00 40 07 14 00 FD]
// A frame sent from ownAddress is marked "(echo)": a station hears everything it
// sends. Collisions, partial frames and stray bytes are named as such; empty input
// gives an empty text.
QString describeFrame(const QByteArray& bytes, int ownAddress = NoOwnAddress);

// A frequency text without the leading zeros of its MHz part: "014.074.000" gives
// "14.074.000".
QString shortFreq(QString text);
// The mode and filter bytes of a mode report or command in words ("USB", "CW
// narrow"); empty when they are not one mode.
QString modeWords(const QByteArray& modeAndFilter);

// The bytes as upper-case hex pairs separated by spaces ("FE FE 50").
QString hexBytes(const QByteArray& bytes);

// The bytes back from a line of the engine's receive trace ("FE FE E0 50 FB FD - "):
// every two-digit hex word is a byte, the "-" after each FD is skipped. Words of any
// other form are not bytes and are left out.
QByteArray bytesOfTrace(const QString& trace);

}  // namespace civ
