#pragma once

#include <QObject>

class QSocketNotifier;
class QTcpServer;
class SimControl;

// Control commands from a TCP port on 127.0.0.1, one per line; each reply ends
// with a line holding only ".".
class ControlServer : public QObject {
    Q_OBJECT

public:
    ControlServer(SimControl& control, QObject* parent = nullptr);
    bool listen(quint16 port, QString* error);
    quint16 port() const;

private:
    void accept();

    SimControl& control_;
    QTcpServer* server_;
};

// Control commands typed on standard input; replies go to standard output. The end
// of input only stops the reading: a simulator started in the background (stdin at
// /dev/null) keeps running.
class StdinControl : public QObject {
    Q_OBJECT

public:
    StdinControl(SimControl& control, QObject* parent = nullptr);
    // False when standard input cannot be read without stopping the process (a
    // terminal of which we are not the foreground job).
    bool start();

private:
    void readInput();

    SimControl& control_;
    QSocketNotifier* notifier_ = nullptr;
    QByteArray pending_;
};
