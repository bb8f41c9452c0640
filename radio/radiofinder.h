#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>
#include <vector>

#include "civ/framesplitter.h"
#include "civ/rigmodel.h"

class Tdevice;

// A radio that answered on the bus: its address, the models whose default
// address that is, and what it said of its frequency and mode.
struct FoundRadio {
    quint8 address = 0;
    QList<RigModel> models;  // empty: no model has this address by default
    QString frequency;       // "14.195.000", or "blank"
    QString mode;            // "USB", or "?" when the mode went unanswered

    // "IC-706/IC-706MKII", or "unknown".
    QString modelNames() const;
    // "50 IC-756 14.195.000 USB", as tsln-ctl find prints it.
    QString line() const;
};

// Asks the addresses of a bus for their frequency, one after the other, and the
// radios that answer for their mode too. It speaks to the device directly,
// without an engine: an address nobody answers is no failure here, only a short
// wait. It runs in the event loop and never waits in it, so a window stays
// usable while it asks. Other stations' traffic and the echo of its own
// questions pass by it; engines on the same device see its answers as any
// traffic on the bus.
class RadioFinder : public QObject {
    Q_OBJECT

public:
    // How long an address has to answer one question.
    static constexpr int AnswerMs = 150;

    explicit RadioFinder(QObject* parent = nullptr);
    ~RadioFinder() override;

    // The models' default addresses first, each once, in the order of the model
    // list; with all, every other address a radio may have (01-DF) after them.
    static std::vector<quint8> addressesToAsk(bool all);
    // The models whose default address this is.
    static QList<RigModel> modelsAt(quint8 address);

    // Starts asking on device, which must outlive the search; a search still
    // running is stopped first.
    void start(Tdevice& device, bool allAddresses);
    // Stops asking; finished(true) follows at once when a search ran.
    void cancel();
    bool running() const { return device_ != nullptr; }
    const QList<FoundRadio>& radios() const { return radios_; }

signals:
    void found(const FoundRadio& radio);
    // asked of total addresses are done.
    void progressed(int asked, int total);
    void finished(bool cancelled);

private:
    void askNext();
    void ask(const QByteArray& body);
    void answered(const QByteArray& body);
    void timedOut();
    void received(const quint8* data, qint32 len);
    void stop();

    Tdevice* device_ = nullptr;
    int handle_ = 0;
    FrameSplitter splitter_;
    QTimer timeout_;
    std::vector<quint8> addresses_;
    size_t next_ = 0;
    FoundRadio current_;
    quint8 askedCommand_ = 0;
    QList<FoundRadio> radios_;
};
