#pragma once

#include <QString>
#include <QtGlobal>

// Frequency texts are how frequencies travel between panels, engines, memory records
// and files: "014.195.000" (MHz.kHz.Hz), or "1296.000.000" with four digits of MHz.

// Text to hertz. 11 characters read positions 1-3, 5-7, 9-11; 12 characters read
// 1-4, 6-8, 10-12; separators are not looked at. A character that is not a digit
// counts as -1 at its weight, so a blank mask text gives -111111111. Any other
// length gives 0.
qint64 freqTextToHertz(const QString& text);

// Hertz to text by the length of the value's decimal text (a minus sign counts):
// 5 to 9 characters give the 11-character form, 10 the 12-character form, any
// other length the empty text.
QString hertzToFreqText(qint64 hertz);
