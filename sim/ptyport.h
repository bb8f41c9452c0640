#pragma once

#include <QObject>
#include <QString>

#include "sim/busstation.h"

class QSocketNotifier;
class SimBus;

// The bus as a serial port: a pseudo-terminal in raw mode whose other end a
// controller opens like the CI-V interface cable (e.g. rigctl -r /dev/pts/N).
class PtyPort : public QObject, public BusStation {
    Q_OBJECT

public:
    explicit PtyPort(SimBus& bus, QObject* parent = nullptr);
    ~PtyPort() override;

    bool open(QString* error);
    // The terminal's name, e.g. /dev/pts/4.
    QString path() const { return path_; }
    // A symlink at linkPath pointing to the terminal; an old symlink there is
    // replaced, anything else is left alone and refused. Removed again on close.
    bool makeLink(const QString& linkPath, QString* error);
    QString link() const { return link_; }
    void close();

    void hear(const quint8* data, int len) override;
    QString describe() const override;
    bool isController() const override { return true; }

private:
    void readMaster();

    SimBus& bus_;
    int master_ = -1;
    int slave_ = -1;  // held open so the master never sees a hang-up between clients
    QString path_;
    QString link_;
    QSocketNotifier* notifier_ = nullptr;
};
