#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <optional>

// The CI-V wire format, as plain functions usable from both ends of the bus: the
// engine encodes the commands it sends and decodes the reports it receives; a radio
// simulator decodes the commands and encodes the answers with the same functions.
//
// A frame is FE FE <to> <from> <body> FD. The body is the command byte followed by
// its sub-command and data bytes. Encoders return the body; an empty body means the
// value has no command (nothing is to be sent). Decoders take a body and answer
// std::nullopt (or an empty text) when the body is not one of theirs or too short.
namespace civ {

inline constexpr quint8 Preamble = 0xFE;
inline constexpr quint8 EndOfMessage = 0xFD;
inline constexpr quint8 Jam = 0xFC;         // collision: discards everything not yet framed
inline constexpr quint8 Controller = 0xE0;  // this program's own bus address
inline constexpr quint8 Broadcast = 0x00;   // destination of the radios' own reports
inline constexpr quint8 NoData = 0xFF;      // first data byte of a blank frequency/mode
inline constexpr int MaxFrame = 20;         // preamble and FD included

// Command bytes (position 5 of a frame).
namespace Cmd {
inline constexpr quint8 FreqReport = 0x00;  // the radio tells of a frequency change
inline constexpr quint8 ModeReport = 0x01;  // the radio tells of a mode change
inline constexpr quint8 ReadFreq = 0x03;    // request, and the radio's answer
inline constexpr quint8 ReadMode = 0x04;    // request, and the radio's answer
inline constexpr quint8 SetFreq = 0x05;
inline constexpr quint8 SetMode = 0x06;
inline constexpr quint8 SelectVfo = 0x07;  // also band and dual watch
inline constexpr quint8 SelectMemory = 0x08;
inline constexpr quint8 MemoryWrite = 0x09;
inline constexpr quint8 MemoryToVfo = 0x0A;
inline constexpr quint8 MemoryClear = 0x0B;
inline constexpr quint8 ReadOffset = 0x0C;
inline constexpr quint8 WriteOffset = 0x0D;
inline constexpr quint8 Scan = 0x0E;
inline constexpr quint8 SplitDuplex = 0x0F;
inline constexpr quint8 Antenna = 0x12;
inline constexpr quint8 Ng = 0xFA;
inline constexpr quint8 Ok = 0xFB;
inline constexpr quint8 Invalid = 0xFF;
}  // namespace Cmd

// Which mode bytes a model sends: the base table knows modes 0-5 and 7 with a filter
// byte only for CW; the IC-706 table knows 0-7 and 9-13, with a filter byte except
// for WFM.
enum class ModeTable { Base, Ic706 };

// FE FE to from body FD.
QByteArray frame(quint8 to, quint8 from, const QByteArray& body);

struct FrameParts {
    quint8 to = 0;
    quint8 from = 0;
    QByteArray body;  // command byte and data, never empty
};
// The parts of one complete frame (preamble, addresses, at least a command byte,
// FD at the end, at most MaxFrame bytes); nullopt for anything else.
std::optional<FrameParts> splitFrame(const QByteArray& frame);

// Frequency text (positions 1-3 MHz, 5-7 kHz, 9-11 Hz; positions 4 and 8 and
// everything after the 11th character are not read) to five packed-BCD bytes, least
// significant first. False when the text is shorter than 11 characters or one of the
// nine digit positions is not a decimal digit; bcd is then left alone.
bool freqToBcd(const QString& text, quint8* bcd);
// Five packed-BCD bytes to the frequency text, with "." separators. The fifth byte
// gives the leading digits: one for 0-9 (the 11-character text), two for 10-99 (the
// 12-character text of 1 GHz and above). Empty when a nibble is not a decimal digit.
QString bcdToFreq(const quint8* bcd);
// The same into out (room for MaxFreqText characters); answers the length, 0 when a
// nibble is not a decimal digit.
inline constexpr int MaxFreqText = 12;
int bcdToFreq(const quint8* bcd, char16_t* out);

// Mode number to the mode byte and, where the table has one, the filter byte; empty
// for a mode the table lacks.
QByteArray modeBytes(int mode, ModeTable table);
inline constexpr int NoFilter = -1;
// Mode byte and filter byte (NoFilter when absent) to the mode number, the same for
// every model: filter 02 selects the narrow mode of bytes 00-05, anything else the
// normal mode of bytes 00-06. nullopt means "leave the mode unchanged".
std::optional<int> modeFromBytes(quint8 modeByte, int filterByte = NoFilter);

// Memory channel 0-9999 to its bytes: 0-99 one packed-BCD byte (0-9 thus the number
// itself), 100-9999 two packed-BCD bytes, high pair first. Empty outside 0-9999.
QByteArray channelBytes(int channel);
// One or two packed-BCD channel bytes back to the number; nullopt for any other
// length or a nibble that is not a decimal digit.
std::optional<int> channelFromBytes(const QByteArray& bytes);

// Bodies of the commands the program sends.
namespace encode {
QByteArray readFreq();                       // 03
QByteArray readMode();                       // 04
QByteArray readOffset();                     // 0C
QByteArray freq(const QString& text);        // 05 + BCD; empty when the text does not convert
QByteArray mode(int mode, ModeTable table);  // 06 + mode bytes; empty when not in the table
QByteArray band(int band);                   // 0: 07 D0, 1: 07 D1
QByteArray vfo(int vfo);                     // 0: 07, 1: 07 00, 2: 07 01, 7: 07 A0, 8: 07 B0
QByteArray memory(int channel);              // 08 + channel bytes
QByteArray memoryCmd(int cmd);               // 0-5: 08, 09, 0A, 0B, 0C, 0D
QByteArray scan(int cmd);                    // 0-7: 0E 01, 00, 02, 03, 12, 13, 22, 23
QByteArray split(bool on);                   // 0F 01 / 0F 00
QByteArray duplex(int duplex);               // 0-2: 0F 10, 0F 11, 0F 12
QByteArray dual(bool on);                    // 07 C1 / 07 C0
QByteArray antenna(int antenna);             // 5-8: 12 00 00, 12 01 00, 12 00 01, 12 01 01

// Bodies of the answers and reports a radio sends.
QByteArray ok();  // FB
QByteArray ng();  // FA
QByteArray freqReport(quint8 command,
                      const QString& text);  // command + BCD; empty when the text does not convert
QByteArray blankFreqReport(quint8 command);  // command FF
QByteArray modeReport(quint8 command, int mode, ModeTable table);  // command + mode bytes
}  // namespace encode

// The reverse of encode: what value a body carries.
namespace decode {
// Bodies 00, 03 or 05 with five BCD bytes; empty when too short, blank (FF) or not BCD.
QString freq(const QByteArray& body);
// Bodies 01, 04 or 06 with a mode byte and optional filter byte.
std::optional<int> mode(const QByteArray& body);
std::optional<int> band(const QByteArray& body);
std::optional<int> vfo(const QByteArray& body);
std::optional<int> memory(const QByteArray& body);     // 08 with one or two channel bytes
std::optional<int> memoryCmd(const QByteArray& body);  // the bare command byte 08-0D
std::optional<int> scan(const QByteArray& body);
std::optional<bool> split(const QByteArray& body);
std::optional<int> duplex(const QByteArray& body);
std::optional<bool> dual(const QByteArray& body);
std::optional<int> antenna(const QByteArray& body);
}  // namespace decode

}  // namespace civ
