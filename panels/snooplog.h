#pragma once

#include <QString>
#include <QStringList>

#include "civ/framesplitter.h"

// The CIV Snoop memo's history in both its forms: the engine's trace lines as they
// came (hex, one line per received chunk) and the same bytes decoded, one line per
// frame. The memo shows one form; switching shows the other's whole history.
class SnoopLog {
public:
    // The memo's first line, there before any traffic, belongs to the hex form.
    explicit SnoopLog(const QString& firstLine) : hex_{firstLine} {}

    // One trace line of the engine: kept as it is, and decoded. Answers the decoded
    // lines it completed (a frame may end only in a later chunk).
    QStringList add(const QString& trace);

    const QStringList& hexLines() const { return hex_; }
    const QStringList& decodedLines() const { return decoded_; }

private:
    QStringList hex_;
    QStringList decoded_;
    FrameSplitter splitter_;
};
