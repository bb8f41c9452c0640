#pragma once

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>

#include "support/freeport.h"
#include "support/pty.h"

// ser2net as an operator's relay host would run it: a raw TCP accepter on
// 127.0.0.1 relaying one serial device, no banner. Started and stopped by the
// test, which ends only this process.
class Ser2netRelay {
public:
    static QString program()
    {
        return QStandardPaths::findExecutable(
            QStringLiteral("ser2net"),
            {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/local/sbin"), QStringLiteral("/usr/bin")});
    }
    static bool available() { return !program().isEmpty(); }

    ~Ser2netRelay() { stop(); }

    // Relays device on a free port; true once the relay accepts connections.
    bool start(const QString& device)
    {
        for (int attempt = 0; attempt < 3; ++attempt) {
            port_ = freeLocalPort();
            const QString config = dir_.filePath(QStringLiteral("relay.yaml"));
            QFile file(config);
            if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
                return false;
            file.write(QStringLiteral("%YAML 1.1\n---\n"
                                      "connection: &relay\n"
                                      "  accepter: tcp,127.0.0.1,%1\n"
                                      "  connector: serialdev,%2,9600n81,local\n"
                                      "  options:\n"
                                      "    kickolduser: true\n")
                           .arg(port_)
                           .arg(device)
                           .toUtf8());
            file.close();
            process_.setProcessChannelMode(QProcess::MergedChannels);
            process_.start(program(),
                           {QStringLiteral("-n"), QStringLiteral("-u"), QStringLiteral("-P"),
                            dir_.filePath(QStringLiteral("ser2net.pid")), QStringLiteral("-c"), config});
            if (!process_.waitForStarted(5000))
                return false;
            if (waitFor([this] { return accepting() || process_.state() == QProcess::NotRunning; }, 5000) &&
                process_.state() == QProcess::Running)
                return true;
            stop();
        }
        return false;
    }

    void stop()
    {
        if (process_.state() == QProcess::NotRunning)
            return;
        process_.terminate();
        if (!process_.waitForFinished(3000)) {
            process_.kill();
            process_.waitForFinished(3000);
        }
    }

    quint16 port() const { return port_; }
    QString portText() const { return QString::number(port_); }

private:
    bool accepting() const
    {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(port_);
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
        ::close(fd);
        return ok;
    }

    QTemporaryDir dir_;
    QProcess process_;
    quint16 port_ = 0;
};
