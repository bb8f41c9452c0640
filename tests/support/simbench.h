#pragma once

// A test bench for end-to-end tests of the radio windows: tsln-sim's simulator
// in-process, its radios on one CI-V bus reachable over TCP loopback and (when
// asked) its pseudo-terminal; the shared device list swapped for a private one
// for the bench's lifetime, a Com Port dialog of its own for its serial devices,
// and every dialog (Device Select too) answered by its ModalRecorder, which also
// fills the memory windows' Upload and Download dialogs.
//
//   SimBench bench;
//   ASSERT_TRUE(bench.start({{"ic706", 0x48}, {"ic706mkii", 0x4e}})) << bench.failure();
//   ASSERT_NE(bench.addDevice(SimLink::Pty), nullptr) << bench.failure();
//   bench.select = {0, QStringLiteral("4E")};  // device 0, address 4E for panels
//   bench.upload = {1, 10, 1};                   // what the transfer dialogs get
//
// Several devices may be added (TCP/IP and serial on the same bus); the Device
// Select dialog then needs select.device.

#include <QList>
#include <QString>
#include <functional>
#include <memory>

#include "sim/simoptions.h"
#include "support/modalrecorder.h"

class QDialog;
class RadioState;
class Simulator;
class SimRadio;
class TComPortFORM;
class TDeviceList;
class Tdevice;

enum class SimLink { Tcp, Pty };

class SimBench {
public:
    SimBench();
    ~SimBench();
    SimBench(const SimBench&) = delete;
    SimBench& operator=(const SimBench&) = delete;

    // Starts the simulator with radios on its bus (address -1: the model's
    // default), listening on a free loopback port and, with pty, on a
    // pseudo-terminal. False with failure() set if it did not start.
    bool start(const QList<RadioChoice>& radios, bool pty = true);
    // Appends a device on the bus to the device list: a TCP/IP device connected
    // to the listener, or a serial device opened on the pseudo-terminal through
    // the Com Port dialog. nullptr with failure() set if it could not connect.
    Tdevice* addDevice(SimLink link);

    // The simulator goes, and its ports with it: the devices see the relay close
    // the connection. The bench has no radios afterwards.
    void stop();

    // The devices the bench's windows are offered in Device Select.
    const TDeviceList& devices() const { return *devices_; }
    Simulator& sim() { return *sim_; }
    SimRadio& radio(int index = 0);
    RadioState& state(int index = 0);
    // Why starting or connecting failed, then the texts of the boxes shown.
    QString failure() const;

    // Range fields the Upload and Download dialogs are filled with.
    struct Range {
        int start = 1;
        int ending = 10;
        int to = 1;  // Upload: EStartRadio; Download: EStartProg
    };
    Range upload;
    Range download{1, 11, 1};
    // The Device Select dialog's answer: with device -1 it keeps the one
    // FormActivate chose (the only device); an empty address keeps the panel's.
    struct Choice {
        int device = -1;
        QString address;
    };
    Choice select;
    // Called for every dialog after the bench has answered the shared ones, to
    // answer others or change an answer; gives the dialog's result.
    std::function<int(QDialog&)> onDialog;

    ModalRecorder modal;

private:
    int answer(QDialog& dialog);

    std::unique_ptr<Simulator> sim_;
    QString failure_;
    std::unique_ptr<TDeviceList> devices_;
    std::unique_ptr<TComPortFORM> comPort_;
    TDeviceList* previousList_ = nullptr;
};
