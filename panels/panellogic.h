#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include "panels/panelmodel.h"

// The panels' decisions that need no widgets: stepping and range checks, the
// meaning of engine notifications, modes, and the texts of engine errors.

// What a range check or a knob step found.
struct TuneResult {
    bool ok = false;
    QString text;       // the new frequency text
    QStringList boxes;  // error boxes to show, in order
};

// Checks a frequency text against the model's limits. A text that does not convert
// fails with "Freq Error in FORMAT." where the model says so.
bool freqInRange(const PanelLayout& model, const QString& text, QStringList* boxes);

// One knob step of step hertz up (direction 1) or down (2) from text.
TuneResult tuneStep(const PanelLayout& model, const QString& text, qint64 step, int direction);

// The text an engine error is shown with; status is set instead for the counters
// (1: queue panel, 2: retry panel).
struct ErrorText {
    QString text;
    int statusPanel = 0;
};
ErrorText engineErrorText(int e, int d);

// The request state machine: what a panel does on an engine notification.
struct NotifyActions {
    enum Text { Keep, FromEngine, Blank };
    Text mainText = Keep;
    Text subText = Keep;
    bool updateMode = false;
    int state = 0;  // the state afterwards
    bool selectMain = false;
    bool readMode = false;
    bool readFreq = false;
    // Memory transfers (states 10 and 11).
    bool busyOff = false;
    bool storeMem = false;    // hand the engine's frequency and mode to the memory window
    bool storeBlank = false;  // hand "BLANK" to the memory window
    bool endTransfer = false;
};
// engineBand: the engine's band (0 main, else sub), for state 5.
NotifyActions notifyStep(int state, int t, int q, int engineBand);
