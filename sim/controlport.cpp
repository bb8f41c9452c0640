#include "sim/controlport.h"

#include <unistd.h>

#include <QHostAddress>
#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>
#include <cerrno>
#include <cstdio>

#include "sim/simcontrol.h"

ControlServer::ControlServer(SimControl& control, QObject* parent)
    : QObject(parent), control_(control), server_(new QTcpServer(this))
{
    connect(server_, &QTcpServer::pendingConnectionAvailable, this, &ControlServer::accept);
}

bool ControlServer::listen(quint16 port, QString* error)
{
    if (server_->listen(QHostAddress::LocalHost, port))
        return true;
    if (error)
        *error = QStringLiteral("cannot listen for control on 127.0.0.1:%1: %2")
                     .arg(port)
                     .arg(server_->errorString());
    return false;
}

quint16 ControlServer::port() const { return server_->serverPort(); }

void ControlServer::accept()
{
    while (QTcpSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            while (socket->canReadLine()) {
                const QString line = QString::fromUtf8(socket->readLine()).trimmed();
                QByteArray reply;
                for (const QString& l : control_.execute(line))
                    reply += l.toUtf8() + '\n';
                reply += ".\n";
                socket->write(reply);
            }
        });
    }
}

StdinControl::StdinControl(SimControl& control, QObject* parent) : QObject(parent), control_(control) {}

bool StdinControl::start()
{
    if (::isatty(STDIN_FILENO) && ::tcgetpgrp(STDIN_FILENO) != ::getpgrp())
        return false;
    notifier_ = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &StdinControl::readInput);
    return true;
}

void StdinControl::readInput()
{
    char buffer[1024];
    const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (n < 0 && (errno == EINTR || errno == EAGAIN))
        return;
    if (n <= 0) {
        notifier_->setEnabled(false);
        return;
    }
    pending_.append(buffer, n);
    qsizetype end;
    while ((end = pending_.indexOf('\n')) >= 0) {
        const QString line = QString::fromLocal8Bit(pending_.left(end)).trimmed();
        pending_.remove(0, end + 1);
        for (const QString& l : control_.execute(line))
            std::printf("%s\n", l.toLocal8Bit().constData());
        std::fflush(stdout);
    }
}
