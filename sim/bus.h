#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QRandomGenerator>
#include <memory>

#include "core/event.h"

class BusStation;
class Timer;

// Line faults: they act on the wire, so every station suffers them alike.
struct LineFaults {
    bool interfaceDead = false;  // controllers neither reach the line nor hear it
    bool noise = false;          // garbage bytes before each transmission
    int dropEvery = 0;           // every Nth byte put on the line is lost; 0 = none
    int jamFrames = 0;           // frames still to be cut by a jam byte; -1 = all
};

// The simulated CI-V line. One transmission at a time leaves at the line speed
// (10 bits per byte) and every attached station hears every byte, the sender
// included, so a controller gets the echo of its frame before any answer. With
// pacing off the bytes are delivered at once, which suits fast tests.
class SimBus : public QObject {
    Q_OBJECT

public:
    explicit SimBus(QObject* parent = nullptr);
    ~SimBus() override;

    void attach(BusStation* station);
    // Safe while the line is delivering: a detached station hears no more.
    void detach(BusStation* station);
    QList<BusStation*> stations() const;

    // Puts bytes on the line after what is already waiting.
    void transmit(BusStation* from, const QByteArray& bytes);

    int baud() const { return baud_; }
    void setBaud(int baud);
    bool paced() const { return paced_; }
    void setPaced(bool paced);

    LineFaults& faults() { return faults_; }
    const LineFaults& faults() const { return faults_; }
    void seed(quint32 value) { random_.seed(value); }

    // Bytes waiting to go out on the line.
    int pending() const { return int(line_.size()); }

    // Every chunk the line delivers (a monitor for tracing).
    Event<const QByteArray&>& onLine() { return onLine_; }

private:
    struct Attached {
        BusStation* station;
        quint64 id;
    };

    QByteArray applyFaults(const QByteArray& bytes);
    void pump();
    void deliver(const QByteArray& chunk);
    void tick();

    Event<const QByteArray&> onLine_;
    QList<Attached> stations_;
    quint64 nextId_ = 1;
    QByteArray line_;
    bool delivering_ = false;
    int baud_ = 9600;
    bool paced_ = true;
    std::unique_ptr<Timer> pacer_;
    qint64 lineStartMicros_ = 0;
    qint64 sentSinceStart_ = 0;
    LineFaults faults_;
    qint64 dropCounter_ = 0;
    QRandomGenerator random_{0x7e55a11eu};
};
