#pragma once

// The numbers that pass between the engine and its callers: event codes, the values
// of the engine's properties that select a command, and mode numbers. Each set is an
// unscoped enumeration inside a namespace: the name reads as civ::Error::NoAnswer,
// the events carry the enumeration itself, and a value converts to the int a
// property (or a log line) takes.
namespace civ {

// OnNotify (t, commands queued): what the engine has just processed.
namespace Notify {
enum Code : int {
    Ok = 1,              // an OK answer
    Ng = 2,              // an NG answer
    Frequency = 3,       // a frequency report; Freq holds it
    Mode = 4,            // a mode report; mode holds it (unchanged when the report was blank)
    BlankFrequency = 6,  // a frequency report without a frequency (a blank memory)
    Offset = 7,          // a duplex offset read; offset holds it
};
}  // namespace Notify

// OnError (e, d): failures. The numbers missing here (5, 8, 9) are the progress
// counters below; the two sets share one numbering, as the operator's texts do.
namespace Error {
enum Code : int {
    NoEcho = 0,          // head given up, its echo never seen: interface or cable dead
    NoAnswer = 1,        // head given up although echoed: the radio is silent
    FrameTooLong = 2,    // a frame over 20 bytes refused; d is 20
    OkWithoutEcho = 3,   // an OK for a head never echoed; the head is removed anyway
    Refused = 4,         // an NG; d is the head's command byte
    MemoryBlank = 6,     // a frame with command byte FF
    UnknownCommand = 7,  // a command byte the engine does not decode; d is that byte
    BadFrequency = 10,   // a frequency that does not convert, written or received
    BadMode = 11,        // not raised by the engine; panels still name it
    BadParam = 12,       // not raised by the engine; panels still name it
};
}  // namespace Error

// OnProgress (p, n): counters for a status bar, never failures.
namespace Progress {
enum Code : int {
    Answered = 5,    // an OK processed; n is the number of commands queued
    Try = 8,         // the head taken up; n is its transmission count, from 1
    QueueCount = 9,  // n is the number of commands queued
};
}  // namespace Progress

// The mode property: operating mode and filter. 8 is not used.
namespace Mode {
enum Number : int {
    CwNarrow = 0,
    Cw = 1,
    Lsb = 2,
    Usb = 3,
    Am = 4,
    Fm = 5,
    Wfm = 6,
    Rtty = 7,
    LsbNarrow = 9,
    UsbNarrow = 10,
    AmNarrow = 11,
    RttyNarrow = 12,
    FmNarrow = 13,
};
}  // namespace Mode

// The VFO property; other values send nothing.
namespace Vfo {
enum Select : int {
    VfoMode = 0,   // 07: leave memory mode
    A = 1,         // 07 00
    B = 2,         // 07 01
    Equalize = 7,  // 07 A0: copy the current VFO to the other
    Exchange = 8,  // 07 B0: swap VFO A and B, or main and sub
};
}  // namespace Vfo

// The band property on radios with a main and a sub band.
namespace Band {
enum Select : int {
    Main = 0,  // 07 D0
    Sub = 1,   // 07 D1
};
}  // namespace Band

// The duplex property.
namespace Duplex {
enum Select : int {
    Simplex = 0,  // 0F 10
    Minus = 1,    // 0F 11
    Plus = 2,     // 0F 12
};
}  // namespace Duplex

// The write-only MemoryCmd property.
namespace MemoryCommand {
enum Code : int {
    MemoryMode = 0,   // 08
    Write = 1,        // 09: store the VFO in the selected channel
    ToVfo = 2,        // 0A: copy the channel to the VFO
    Clear = 3,        // 0B
    ReadOffset = 4,   // 0C
    WriteOffset = 5,  // 0D
};
}  // namespace MemoryCommand

// The write-only ScanCmd property.
namespace ScanCommand {
enum Code : int {
    Start = 0,           // 0E 01
    Stop = 1,            // 0E 00
    Programmed = 2,      // 0E 02
    DeltaF = 3,          // 0E 03
    FineProgrammed = 4,  // 0E 12
    FineDeltaF = 5,      // 0E 13
    Memory = 6,          // 0E 22
    SelectMemory = 7,    // 0E 23
};
}  // namespace ScanCommand

}  // namespace civ
