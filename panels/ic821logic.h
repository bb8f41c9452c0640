#pragma once

#include <QString>

// The decisions of the IC-821 window built from standard controls that need no
// widgets: its mode groups and the memory window's texts.

// The mode groups list "CW-N", "CW ", "LSB", "USB", "FM": the engine's mode number
// of a group index, or -1 for no selection.
int ic821ModeOfIndex(int index);
// The group index and the memory-record text of an engine mode; a mode the groups
// do not list gives -1 and an empty text.
int ic821IndexOfMode(int mode);
QString ic821ModeText(int mode);

// A memory record's mode text as the mode to send, or -1 to send none ("AM",
// "WFM", "RTTY" and anything unknown). Case is ignored.
int ic821ModeOfText(const QString& text);
// A memory record's duplex text as the duplex to send: "PLUS" 2, "MINUS" 1,
// anything else simplex.
int ic821DuplexOfText(const QString& text);

// The text of an engine error. This window names every refused command by its
// number, the frequency and mode commands too.
QString ic821ErrorText(int e, int d);
