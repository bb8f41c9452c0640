#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include "panels/panelmodel.h"

// The panels' decisions that need no widgets: stepping and range checks and the
// texts of engine errors. What notifications mean is the radio session's.

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

// The text an engine error or progress counter is shown with; status is set for
// the counters (1: queue panel, 2: retry panel).
struct ErrorText {
    QString text;
    int statusPanel = 0;
};
ErrorText engineErrorText(int e, int d);
