#pragma once

#include <QStringList>

class QTextStream;

// tsln-mem: converts channel lists between memory files and CSV and shows
// them. Exit status 0 when everything came over, 1 when something was dropped,
// changed or left out (a summary goes to err), 2 for bad arguments and input
// that cannot be read (with the line and the reason).
enum MemToolStatus { MemToolDone = 0, MemToolLossy = 1, MemToolFailed = 2 };

int runMemTool(const QStringList& args, QTextStream& out, QTextStream& err);
