#include "shell/session.h"

#include <QMdiSubWindow>
#include <QScreen>
#include <QSettings>
#include <cstdio>
#include <memory>

#include "core/device.h"
#include "devices/device_serial.h"
#include "devices/device_tcpip.h"
#include "devices/tcpipwindow.h"
#include "shell/mainform.h"
#include "shell/station.h"
#include "widgets/mdichild.h"

namespace {

constexpr QSize FirstFrameSize(1066, 800);

void reportSkipped(const QString& what)
{
    std::fprintf(stderr, "tsln: settings: %s\n", qPrintable(what));
    std::fflush(stderr);
}

// A place no smaller than the window's design size: a window squeezed by Tile,
// or a place remembered so, comes back whole.
QRect atLeastDesignSize(const QMdiSubWindow* sub, QRect place)
{
    const QSize design = designSizeOf(sub);
    if (design.isValid())
        place.setSize(place.size().expandedTo(design));
    return place;
}

void rememberPlace(QWidget* window, RememberedDevice* d)
{
    QMdiSubWindow* sub = window ? mdiWindowOf(window) : nullptr;
    if (!sub)
        return;
    d->minimized = sub->isMinimized();
    // A minimised window's geometry is its icon's and a maximised one's the whole
    // area's: neither is the window's own; it opens at its design size again.
    if (!d->minimized && !sub->isMaximized())
        d->window = atLeastDesignSize(sub, sub->geometry());
}

void placeWindow(QWidget* window, const RememberedDevice& d)
{
    QMdiSubWindow* sub = window ? mdiWindowOf(window) : nullptr;
    if (!sub)
        return;
    // A serial window minimised by a failed opening stays as the failure left it.
    if (sub->isMinimized())
        return;
    if (d.window.isValid())
        sub->setGeometry(atLeastDesignSize(sub, d.window));
    if (d.minimized)
        sub->showMinimized();
}

}  // namespace

RememberedSession captureSession(const TMainFORM& frame)
{
    RememberedSession session;
    session.frameGeometry = frame.saveGeometry();
    const TDeviceList* list = frame.devices();
    for (int i = 0; list && i < list->count(); ++i) {
        Tdevice* device = list->at(i);
        RememberedDevice d;
        d.name = device->Name;
        if (auto* serial = dynamic_cast<Tdevice_serial*>(device)) {
            d.kind = RememberedDevice::Serial;
            const SerialLine& line = serial->line();
            d.port = line.port;
            d.baud = line.baud;
            d.parity = line.parity;
            d.stopBits = line.stopBits;
            rememberPlace(serial->window(), &d);
        } else if (auto* tcp = dynamic_cast<Tdevice_tcpip*>(device)) {
            d.kind = RememberedDevice::TcpIp;
            if (TTCPIPForm* window = tcp->window()) {
                d.host = window->hostName();
                d.tcpPort = window->port();
                d.connected = window->isConnected();
            }
            rememberPlace(tcp->window(), &d);
        } else {
            continue;
        }
        session.devices.append(d);
    }
    session.radios = captureRadios(frame);
    if (const auto* keeper = frame.findChild<StationKeeper*>())
        session.radios += keeper->carried();
    return session;
}

void restoreDevices(TMainFORM& frame, const QList<RememberedDevice>& devices)
{
    for (const RememberedDevice& d : devices) {
        TDeviceList* list = frame.devices();
        if (!list)
            return;
        if (d.kind == RememberedDevice::Serial) {
            SerialLine line;
            line.port = d.port;
            line.baud = d.baud;
            line.parity = TParity(d.parity);
            line.stopBits = TStopBits(d.stopBits);
            auto device = std::make_unique<Tdevice_serial>(&frame, d.name, line, frame.comPortDialog());
            device->Name = d.name;
            device->Kind = DeviceKind::Serial;
            placeWindow(device->window(), d);
            list->append(std::move(device));
        } else {
            auto device = std::make_unique<Tdevice_tcpip>(&frame, d.name);
            device->Name = d.name;
            device->Kind = DeviceKind::TcpIp;
            TTCPIPForm* window = device->window();
            placeWindow(window, d);
            list->append(std::move(device));
            if (window) {
                window->setRelay(d.host, d.tcpPort);
                if (d.connected)
                    window->connectToRelay();
            }
        }
    }
}

void startSession(TMainFORM& frame, QSettings& settings, bool reopenRadios)
{
    QStringList problems;
    const RememberedSession session = readSession(settings, &problems);
    bool placed = false;
    if (!session.frameGeometry.isEmpty()) {
        placed = frame.restoreGeometry(session.frameGeometry);
        if (!placed)
            problems.append(QStringLiteral("the main window's place cannot be read; it opens maximised"));
    }
    for (const QString& problem : problems)
        reportSkipped(problem);
    if (placed) {
        frame.show();
    } else {
        // Un-maximised the first time, the frame takes the size it was designed
        // at, as far as the screen allows; the operator sizes it from there.
        const QScreen* screen = frame.screen();
        const QSize room = screen ? screen->availableGeometry().size() : FirstFrameSize;
        frame.resize(FirstFrameSize.boundedTo(room));
        frame.showMaximized();
    }
    restoreDevices(frame, session.devices);
    // Relays remembered as connected are connecting now; their radios wait for them.
    QSet<Tdevice*> connecting;
    TDeviceList* list = frame.devices();
    const int first = list ? list->count() - int(session.devices.size()) : 0;
    for (int i = 0; list && i < session.devices.size(); ++i) {
        if (session.devices[i].connected)
            connecting.insert(list->at(first + i));
    }
    auto* keeper = new StationKeeper(frame, settings);
    keeper->restore(reopenRadios ? session.radios : QList<RememberedRadio>(), connecting);
}

void endSession(const TMainFORM& frame, QSettings& settings)
{
    if (auto* keeper = frame.findChild<StationKeeper*>())
        keeper->stop();
    writeSession(settings, captureSession(frame));
    if (settings.status() == QSettings::AccessError)
        reportSkipped(QStringLiteral("cannot write %1; this run is not remembered").arg(settings.fileName()));
}
