#pragma once

#include <QString>

// The decisions of the IC-821 window built from standard controls that need no
// widgets: its mode groups and its error texts.

// The mode groups list "CW-N", "CW ", "LSB", "USB", "FM": the engine's mode number
// of a group index, or -1 for no selection.
int ic821ModeOfIndex(int index);
// The group index of an engine mode; a mode the groups do not list gives -1. (The
// memory window's texts are the IC-821's in radio/memorychannel.h.)
int ic821IndexOfMode(int mode);

// The text of an engine error. This window names every refused command by its
// number, the frequency and mode commands too.
QString ic821ErrorText(int e, int d);
