#pragma once

// The simulator and tsln-ctl as separate programs, as scripts run them: the
// simulator on a free TCP port of 127.0.0.1 and a pseudo-terminal link, driven
// through its standard input.

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include "support/freeport.h"

struct CtlResult {
    int status = -1;
    QString out;
    QString err;
};

inline CtlResult runCtl(const QStringList& args, int timeoutMs = 60000)
{
    QProcess p;
    p.start(QStringLiteral(TSLN_BIN_DIR "/tsln-ctl"), args);
    p.waitForFinished(timeoutMs);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

class SimProcess {
public:
    // extra: further options, such as the radios ("--radio ic821"); none gives the default bus.
    explicit SimProcess(const QStringList& extra = {})
    {
        port = freeLocalPort();
        link = dir.filePath(QStringLiteral("civ"));
        process.setProgram(QStringLiteral(TSLN_BIN_DIR "/tsln-sim"));
        process.setArguments(QStringList{"--port", QString::number(port), "--link", link} + extra);
        process.start();
        process.waitForStarted();
        // Ready once it has said what listens where.
        for (int i = 0; i < 100 && !process.readAllStandardOutput().contains("tsln-sim:") &&
                        process.state() == QProcess::Running;
             ++i)
            process.waitForReadyRead(100);
    }
    ~SimProcess()
    {
        process.terminate();
        if (!process.waitForFinished(3000))
            process.kill();
    }
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    void command(const QByteArray& line)
    {
        process.write(line + "\n");
        process.waitForBytesWritten(1000);
        // The simulator answers each control command with a line of its own.
        process.waitForReadyRead(1000);
    }
    // What a control command prints, read until it holds last.
    QString ask(const QByteArray& line, const QString& last)
    {
        process.readAllStandardOutput();
        process.write(line + "\n");
        process.waitForBytesWritten(1000);
        QByteArray out;
        for (int i = 0; i < 50; ++i) {
            process.waitForReadyRead(100);
            out += process.readAllStandardOutput();
            if (QString::fromUtf8(out).contains(last))
                break;
        }
        return QString::fromUtf8(out);
    }
    QString state(const QString& address)
    {
        return ask("show " + address.toLatin1(), QStringLiteral("memories filled"));
    }
    QString tcp() const { return QStringLiteral("127.0.0.1:%1").arg(port); }

    QTemporaryDir dir;
    QProcess process;
    int port = 0;
    QString link;
};
