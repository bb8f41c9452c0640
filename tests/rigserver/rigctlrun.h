#pragma once

#include <QObject>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include "support/waitfor.h"

// Hamlib's rigctl as NET rigctl (model 2) against the server on port, run in the
// event loop (the simulator and the server live in it). Standard output and error
// as lines; status -1 when it did not end in two minutes.
inline QStringList runRigctl(const QString& program, quint16 port, const QStringList& commands, int* status)
{
    QProcess p;
    bool finished = false;
    QObject::connect(&p, &QProcess::finished, [&] { finished = true; });
    p.start(program, QStringList{"-m", "2", "-r", QStringLiteral("127.0.0.1:%1").arg(port)} + commands);
    if (!p.waitForStarted(10000) || !waitFor([&] { return finished; }, 120000)) {
        p.kill();
        p.waitForFinished(5000);
        *status = -1;
        return {};
    }
    *status = p.exitCode();
    return QString::fromLocal8Bit(p.readAllStandardOutput() + p.readAllStandardError())
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

inline QString rigctlProgram() { return QStandardPaths::findExecutable(QStringLiteral("rigctl")); }
