#pragma once

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <QByteArray>
#include <QString>

#include "support/waitfor.h"

// A pseudo-terminal pair: the component under test opens the slave by name, the
// test plays the far end on the master.
struct PtyPair {
    int master = -1;
    int slave = -1;
    QString slaveName;

    PtyPair()
    {
        char name[256] = {};
        termios raw{};
        cfmakeraw(&raw);
        if (openpty(&master, &slave, name, &raw, nullptr) == 0) {
            slaveName = QString::fromLocal8Bit(name);
            fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
        }
    }
    ~PtyPair()
    {
        closeMaster();
        if (slave >= 0)
            ::close(slave);
    }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool ok() const { return master >= 0; }
    void closeMaster()
    {
        if (master >= 0)
            ::close(master);
        master = -1;
    }
    void write(const QByteArray& bytes)
    {
        qsizetype off = 0;
        while (off < bytes.size()) {
            const ssize_t n = ::write(master, bytes.constData() + off, size_t(bytes.size() - off));
            if (n > 0)
                off += n;
            else {
                pollfd p{master, POLLOUT, 0};
                poll(&p, 1, 100);
            }
        }
    }
    QByteArray readAvailable()
    {
        QByteArray all;
        char buf[4096];
        for (;;) {
            const ssize_t n = ::read(master, buf, sizeof buf);
            if (n <= 0)
                break;
            all.append(buf, n);
        }
        return all;
    }
};
