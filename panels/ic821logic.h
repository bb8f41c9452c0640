#pragma once

#include <QString>

// The decisions of the IC-821 window built from standard controls that need no
// widgets: its mode groups, the memory window's texts, and what an engine
// notification means in each request state.

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

// Which controls a notification fills and what is asked next.
struct Ic821Step {
    enum Box { None, Main, Sub };
    enum Text { Keep, FromEngine, Blank };
    Box freqBox = None;  // the frequency box to fill
    Text freqText = Keep;
    Box modeBox = None;  // the mode group to set to modeIndex (-1: no selection)
    int modeIndex = -1;
    int state = 0;  // the request state afterwards
    bool selectMain = false;
    bool readMode = false;
    bool readFreq = false;
    // Memory transfers.
    bool busyOff = false;
    bool storeMem = false;    // the engine's frequency and mode
    bool storeBlank = false;  // "BLANK"
    bool endTransfer = false;
};

// t: the notification code, q: commands still queued, mode: the engine's mode,
// band: the engine's band (0 main).
Ic821Step ic821Notify(int state, int t, int q, int mode, int band);
