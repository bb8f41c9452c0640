#include "support/simbench.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <utility>

#include "core/device.h"
#include "devices/comportdialog.h"
#include "devices/device_serial.h"
#include "devices/device_tcpip.h"
#include "devices/deviceselectdialog.h"
#include "devices/tcpipwindow.h"
#include "memory/download.h"
#include "memory/upload.h"
#include "sim/ptyport.h"
#include "sim/radio.h"
#include "sim/simulator.h"
#include "sim/tcprelay.h"
#include "support/freeport.h"
#include "support/memorydialogs.h"
#include "support/waitfor.h"

SimBench::SimBench() : devices_(std::make_unique<TDeviceList>()), comPort_(std::make_unique<TComPortFORM>())
{
    previousList_ = std::exchange(DeviceList, devices_.get());
    modal.onDialog = [this](QDialog& d) { return answer(d); };
}

SimBench::~SimBench() { DeviceList = previousList_; }

void SimBench::stop()
{
    sim_.reset();
    // Its sockets are deleted later; their peers hear of it only then.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

bool SimBench::start(const QList<RadioChoice>& radios, bool pty)
{
    SimOptions o;
    o.radios = radios;
    o.tcpPort = freeLocalPort();
    o.pty = pty;
    o.stdinControl = false;
    sim_ = std::make_unique<Simulator>(o);
    return sim_->start(&failure_);
}

Tdevice* SimBench::addDevice(SimLink link)
{
    if (!sim_) {
        failure_ = QStringLiteral("the simulator was not started");
        return nullptr;
    }
    if (link == SimLink::Tcp) {
        const QString name = QStringLiteral("[Sim] <TCP/IP>");
        auto* device =
            static_cast<Tdevice_tcpip*>(devices_->append(std::make_unique<Tdevice_tcpip>(nullptr, name)));
        device->Kind = DeviceKind::TcpIp;
        device->Name = name;
        device->window()->setRelay(QStringLiteral("127.0.0.1"), QString::number(sim_->tcp()->port()));
        device->window()->connectToRelay();
        if (!waitFor([&] { return device->window()->isConnected(); }, 5000)) {
            failure_ = QStringLiteral("no connection to the simulator's TCP port");
            return nullptr;
        }
        return device;
    }
    if (!sim_->pty()) {
        failure_ = QStringLiteral("the simulator was started without its pseudo-terminal");
        return nullptr;
    }
    const QString name = QStringLiteral("[Sim] <Serial>");
    auto* device = static_cast<Tdevice_serial*>(
        devices_->append(std::make_unique<Tdevice_serial>(nullptr, name, comPort_.get())));
    device->Kind = DeviceKind::Serial;
    device->Name = name;
    if (!device->comm()->isOpen()) {
        failure_ = QStringLiteral("the simulator's pseudo-terminal did not open");
        return nullptr;
    }
    return device;
}

SimRadio& SimBench::radio(int index) { return *sim_->radios().at(index); }

RadioState& SimBench::state(int index) { return radio(index).state(); }

QString SimBench::failure() const
{
    QStringList lines = modal.texts();
    if (!failure_.isEmpty())
        lines.prepend(failure_);
    return lines.join(QLatin1Char('\n'));
}

int SimBench::answer(QDialog& d)
{
    if (auto* dialog = qobject_cast<TDSelFORM*>(&d)) {
        dialog->FormActivate();
        if (select.device >= 0)
            dialog->setDeviceIndex(select.device);
        if (!select.address.isEmpty())
            dialog->setAddressText(select.address);
    } else if (&d == comPort_.get()) {
        SerialLine line;
        line.port = sim_ && sim_->pty() ? sim_->pty()->path() : QString();
        line.baud = QStringLiteral("9600");
        comPort_->setLine(line);
    } else if (qobject_cast<TUploadFORM*>(&d)) {
        RangeFields(d).fill(upload.start, upload.ending, upload.to);
    } else if (qobject_cast<TDownloadFORM*>(&d)) {
        RangeFields(d).fill(download.start, download.ending, download.to);
    }
    return onDialog ? onDialog(d) : int(Modal::Ok);
}
