#include "shell/station.h"

#include <QCheckBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSettings>
#include <cstdio>

#include "civ/civ.h"
#include "core/device.h"
#include "devices/device_tcpip.h"
#include "memory/memoryform.h"
#include "panels/graphicalpanel.h"
#include "panels/ic821.h"
#include "shell/mainform.h"
#include "shell/panelfactory.h"
#include "shell/session.h"
#include "widgets/mdichild.h"

namespace {

constexpr int ConnectPollMs = 50;

// A radio window's parts that are remembered, whichever kind it is.
struct RadioWindowParts {
    RadioSession* session = nullptr;
    TMemoryFORM* memory = nullptr;
    QCheckBox* snoop = nullptr;
};

RadioWindowParts partsOf(QWidget* window)
{
    if (auto* panel = qobject_cast<GraphicalPanel*>(window)) {
        if (!panel->closing())
            return {panel->session(), panel->memoryWindow(), panel->controls().CBSnoop};
    } else if (auto* text = qobject_cast<TIC821FORM*>(window)) {
        if (!text->closing())
            return {text->session(), text->memoryWindow(), text->controls().CBDebug};
    }
    return {};
}

int numberOf(const Tdevice* device)
{
    for (int i = 0; DeviceList && i < DeviceList->count(); ++i) {
        if (DeviceList->at(i) == device)
            return i + 1;
    }
    return 0;
}

// The remembered device: the one at its number when it still has its name, else
// the first of that name.
Tdevice* deviceOf(const RememberedRadio& radio)
{
    if (!DeviceList)
        return nullptr;
    Tdevice* numbered = DeviceList->at(radio.deviceNumber - 1);
    if (numbered && numbered->Name == radio.device)
        return numbered;
    for (int i = 0; i < DeviceList->count(); ++i) {
        if (DeviceList->at(i)->Name == radio.device)
            return DeviceList->at(i);
    }
    return nullptr;
}

void rememberMemory(TMemoryFORM* memory, RememberedRadio* r)
{
    QMdiSubWindow* sub = memory ? mdiWindowOf(memory) : nullptr;
    if (!sub)
        return;
    if (sub->isMinimized()) {
        r->memory = RememberedRadio::MemoryMinimized;
    } else if (sub->isMaximized()) {
        r->memory = RememberedRadio::MemoryMaximized;
    } else {
        r->memory = RememberedRadio::MemoryNormal;
        r->memoryPlace = sub->geometry();
    }
}

QRect atLeastDesignSize(const QMdiSubWindow* sub, QRect place)
{
    const QSize design = designSizeOf(sub);
    if (design.isValid())
        place.setSize(place.size().expandedTo(design));
    return place;
}

void placeMemory(TMemoryFORM* memory, const RememberedRadio& r)
{
    QMdiSubWindow* sub = memory ? mdiWindowOf(memory) : nullptr;
    if (!sub)
        return;
    if (r.memory == RememberedRadio::MemoryMinimized) {
        // As its own close box leaves it: an icon that comes back maximised.
        memory->close();
    } else if (r.memory == RememberedRadio::MemoryNormal) {
        sub->showNormal();
        if (r.memoryPlace.isValid())
            sub->setGeometry(atLeastDesignSize(sub, r.memoryPlace));
    }
}

void placeWindow(QWidget* window, const RememberedRadio& r)
{
    QMdiSubWindow* sub = mdiWindowOf(window);
    if (!sub)
        return;
    if (r.maximized && r.window == RememberedRadio::Panel) {
        sub->showMaximized();
    } else {
        if (sub->isMaximized())
            sub->showNormal();
        // The IC-821 window of ordinary controls has a fixed size: only its place.
        if (r.place.isValid() && r.window == RememberedRadio::Text821)
            sub->move(r.place.topLeft());
        else if (r.place.isValid())
            sub->setGeometry(atLeastDesignSize(sub, r.place));
    }
    if (r.minimized)
        sub->showMinimized();
    else if (QMdiArea* area = sub->mdiArea())
        area->setActiveSubWindow(sub);
}

void reportSkipped(const RememberedRadio& r, const QString& why)
{
    const QString what = r.window == RememberedRadio::Text821
                             ? QStringLiteral("IC-821 (Text)")
                             : QString::fromLatin1(rigModelInfo(r.model).name);
    std::fprintf(stderr, "tsln: settings: remembered %s window on %s skipped: %s\n", qPrintable(what),
                 qPrintable(r.device), qPrintable(why));
    std::fflush(stderr);
}

}  // namespace

QList<RememberedRadio> captureRadios(const TMainFORM& frame)
{
    QList<RememberedRadio> radios;
    if (!frame.mdiArea())
        return radios;
    for (QMdiSubWindow* sub : frame.mdiArea()->subWindowList(QMdiArea::CreationOrder)) {
        const RadioWindowParts parts = partsOf(sub->widget());
        if (!parts.session)
            continue;
        RememberedRadio r;
        r.window =
            qobject_cast<TIC821FORM*>(sub->widget()) ? RememberedRadio::Text821 : RememberedRadio::Panel;
        r.model = parts.session->model();
        r.device = parts.session->device().Name;
        r.deviceNumber = numberOf(&parts.session->device());
        r.address = parts.session->engine()->Address;
        r.minimized = sub->isMinimized();
        r.maximized = sub->isMaximized();
        // Minimised or maximised, the geometry is the icon's or the area's.
        if (!r.minimized && !r.maximized)
            r.place = atLeastDesignSize(sub, sub->geometry());
        rememberMemory(parts.memory, &r);
        r.snoop = parts.snoop && parts.snoop->isChecked();
        radios.append(r);
    }
    return radios;
}

StationKeeper::StationKeeper(TMainFORM& frame, QSettings& settings)
    : QObject(&frame), frame_(frame), settings_(&settings)
{
    setObjectName(QStringLiteral("stationKeeper"));
    // Opening or closing several windows in one go writes once.
    saveTimer_.setSingleShot(true);
    saveTimer_.setInterval(200);
    connect(&saveTimer_, &QTimer::timeout, this, &StationKeeper::save);
    if (QMdiArea* area = frame.mdiArea())
        connect(area, &QMdiArea::subWindowActivated, this, [this] {
            if (!stopped_ && !restoring())
                saveTimer_.start();
        });
}

void StationKeeper::restore(const QList<RememberedRadio>& radios, const QSet<Tdevice*>& connecting)
{
    pending_ = radios;
    next_ = 0;
    connecting_ = connecting;
    QTimer::singleShot(0, this, &StationKeeper::restoreNext);
}

void StationKeeper::restoreNext()
{
    if (stopped_)
        return;
    if (next_ >= pending_.size()) {
        placeReopened();
        restored_ = true;
        emit restored();
        return;
    }
    const RememberedRadio& radio = pending_[next_];
    Tdevice* device = deviceOf(radio);
    auto* relay = dynamic_cast<Tdevice_tcpip*>(device);
    if (relay && connecting_.contains(device)) {
        const bool connected = relay->window() && relay->window()->isConnected();
        if (!connected && waitedMs_ < ConnectWaitMs) {
            waitedMs_ += ConnectPollMs;
            QTimer::singleShot(ConnectPollMs, this, &StationKeeper::restoreNext);
            return;
        }
        // Connected or given up on: the device's other radios wait no more.
        connecting_.remove(device);
        waitedMs_ = 0;
    }
    if (!reopen(radio) && deviceOf(radio))
        carried_.append(radio);
    ++next_;
    QTimer::singleShot(0, this, &StationKeeper::restoreNext);
}

bool StationKeeper::reopen(const RememberedRadio& radio)
{
    Tdevice* device = deviceOf(radio);
    if (!device) {
        reportSkipped(radio, QStringLiteral("no such device"));
        return false;
    }
    const DeviceChoice choice{device, radio.address};
    QWidget* window = nullptr;
    if (radio.window == RememberedRadio::Text821) {
        window = createTextPanel821(&frame_, choice);
    } else {
        const QString library = frame_.libraryPath(radio.model);
        if (library.isEmpty()) {
            reportSkipped(radio, QStringLiteral("%1 not found").arg(panelLibraryName(radio.model)));
            return false;
        }
        window = createRadioPanel(radio.model, &frame_, library, choice);
    }
    const RadioWindowParts parts = partsOf(window);
    // A window that could not open has said why, as when opened by hand.
    if (!parts.session)
        return true;
    if (parts.snoop)
        parts.snoop->setChecked(radio.snoop);
    reopened_.append({window, radio});
    return true;
}

void StationKeeper::placeReopened()
{
    for (const auto& [window, radio] : reopened_) {
        const RadioWindowParts parts = partsOf(window);
        if (!parts.session)
            continue;
        placeMemory(parts.memory, radio);
        placeWindow(window, radio);
    }
    reopened_.clear();
}

void StationKeeper::save()
{
    if (stopped_ || restoring() || !settings_)
        return;
    writeSession(*settings_, captureSession(frame_));
}

void StationKeeper::stop()
{
    stopped_ = true;
    saveTimer_.stop();
}
