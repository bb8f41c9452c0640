#pragma once

#include <QString>

// The serial component's diagnostic log, shared by every port of the program. It
// is off while its file name is empty; nothing in the program switches it on.
// Worker threads write to it too: each line is written whole, never interleaved.
namespace CommsLog {

QString fileName();
void setFileName(const QString& name);
// Binds the log to the file path and creates (truncates) it; false when it can't.
bool create(const QString& path);
// Appends text as one CR LF line when the log is on.
void write(const QString& text);
// Appends prefix followed by the system's text for code.
void writeError(int code, const QString& prefix);
// The line writeError writes.
QString errorLine(int code, const QString& prefix);

}  // namespace CommsLog
