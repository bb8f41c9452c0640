#pragma once

#include <QObject>
#include <QTextStream>
#include <memory>

#include "civ/framesplitter.h"
#include "tools/ctloptions.h"

class CtlLink;
class RadioSession;
class Tciv;
class Timer;
class QEventLoop;

// Runs tsln-ctl's commands on one radio session on one link and prints what happens.
class CtlSession : public QObject {
    Q_OBJECT

public:
    CtlSession(const CtlOptions& options, QTextStream& out, QTextStream& err);
    ~CtlSession() override;

    // Opens the device, runs every command, waits for the queue to drain, and
    // answers the exit status: 0 done, 1 something refused or given up, 2 the
    // device could not be opened or broke.
    int run();

private:
    bool openLink();
    // Serves the radio to rigctld clients until the link breaks.
    int serve();
    void openSession();
    void nextCommand();
    void execute(const CtlCommand& c);
    void pause(int ms);
    void checkDone();
    void finish(int status);

    void RadioNotify(int t, int q);
    void RadioError(int e, int d);
    // The engine's counters, as "progress" lines with --verbose.
    void RadioProgress(int p, int n);
    // --trace: each piece of what the link received, decoded on a line of its own.
    void traceReceived(const quint8* data, qint32 len);

    CtlOptions options_;
    QTextStream& out_;
    QTextStream& err_;
    std::unique_ptr<CtlLink> link_;
    RadioSession* session_ = nullptr;
    Tciv* engine_ = nullptr;  // the session's
    Timer* pause_ = nullptr;
    QEventLoop* loop_ = nullptr;
    size_t next_ = 0;
    bool waiting_ = false;
    bool failed_ = false;
    bool finished_ = false;
    // A frequency or mode was set or read, so the last line tells it.
    bool freqKnown_ = false;
    bool modeKnown_ = false;
    int status_ = 0;
    FrameSplitter traceSplitter_;
    int traceHandle_ = 0;
};
