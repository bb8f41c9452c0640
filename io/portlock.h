#pragma once

#include <QString>

// The lock files that serial programs on Linux leave in /run/lock while they use a
// port ("LCK..ttyUSB0", holding the owner's process number as ten characters of
// text and a newline). Linux has no exclusive open, so these files are how
// programs that do not share our own lock learn of each other.
class PortLock {
public:
    PortLock() = default;
    ~PortLock() { release(); }
    PortLock(const PortLock&) = delete;
    PortLock& operator=(const PortLock&) = delete;

    // Takes the lock for the device at path. False when a live process other than
    // this one holds it; holder then names it. Also false, with holder 0, when
    // what sits at the lock's name is not a regular file (a link, a FIFO, ...).
    // A lock of a process that has ended is removed. Where no lock can be
    // written (no lock folder, no permission) the port is used without one.
    bool acquire(const QString& path, qint64* holder = nullptr);
    // Removes our lock file, if it is still ours.
    void release();

    // The lock file's name for a device: "LCK.." and the device's name below
    // /dev, links followed, with any further '/' as '_'.
    static QString lockName(const QString& path);
    // /run/lock unless a test chooses another folder.
    static QString directory();
    static void setDirectory(const QString& dir);
    // The process holding an flock on the file open as fd (0 when none is found).
    static qint64 flockHolder(int fd);

private:
    struct Taken {
        enum State { Ours, Without, Refused } state;
        qint64 holder;
    };
    static Taken take(const QByteArray& name, const QByteArray& temp, qint64 self);

    QString file_;
};
