#include "io/commslog.h"

#include <QFile>
#include <cstring>
#include <mutex>

namespace {

std::mutex logMutex;
QString logName;  // the switch: the log is on while it is not empty
QString logPath;  // the file the lines go to, bound by the port that creates it

// The English text of an errno value, as the system gives it whatever the locale.
QString systemText(int code)
{
    if (const char* text = strerrordesc_np(code))
        return QString::fromUtf8(text);
    return QStringLiteral("FormatMessage failed on error %1 for the following reason: %2")
        .arg(code)
        .arg(EINVAL);
}

}  // namespace

namespace CommsLog {

QString fileName()
{
    std::lock_guard lock(logMutex);
    return logName;
}

void setFileName(const QString& name)
{
    std::lock_guard lock(logMutex);
    logName = name;
}

bool create(const QString& path)
{
    std::lock_guard lock(logMutex);
    logPath = path;
    QFile file(logPath);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate);
}

void write(const QString& text)
{
    std::lock_guard lock(logMutex);
    if (logName.isEmpty() || logPath.isEmpty())
        return;
    QFile file(logPath);
    // A log that cannot be written must not disturb the port's threads: the line
    // is dropped.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    const QByteArray line = text.toLocal8Bit() + "\r\n";
    file.write(line);
}

QString errorLine(int code, const QString& prefix)
{
    return prefix + QStringLiteral("GetLastError returned: \"") + systemText(code) + QLatin1Char('"');
}

void writeError(int code, const QString& prefix) { write(errorLine(code, prefix)); }

}  // namespace CommsLog
