#pragma once

#include <QString>

// The operator's text for an engine error (OnError e, d), as the panels show it.
// Codes 5, 8 and 9 are progress counters ("Queue Count = n", "Try Count = n") that
// belong in a status bar, not in a box.
QString civErrorText(int e, int d);

// True for the codes that are shown in an error box (every code but 5, 8 and 9).
bool civErrorShowsBox(int e);
