#include "panelshots.h"

#include <QAccessible>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QThread>
#include <memory>

#include "civ/civ.h"
#include "civ/models.h"
#include "core/device.h"
#include "panels/artlibrary.h"
#include "panels/graphicalpanel.h"
#include "panels/ic821.h"
#include "panels/panelpicture.h"
#include "radio/radiofinder.h"
#include "radio/radiosession.h"
#include "shell/findradios.h"
#include "shell/mainform.h"
#include "sim/bus.h"
#include "sim/busstation.h"
#include "sim/radio.h"
#include "sim/radiomodel.h"

namespace {

// A serial device whose far end is the simulated line, in the same process.
class BusDevice : public Tdevice, public BusStation {
public:
    explicit BusDevice(SimBus& bus) : bus_(&bus)
    {
        Name = QStringLiteral("[Shack] <Serial>");
        Kind = DeviceKind::Serial;
        bus.attach(this);
    }
    // Devices live as long as the program; the line may go first.
    ~BusDevice() override
    {
        if (bus_)
            bus_->detach(this);
    }

    void Send(const quint8* data, qint32 len) override
    {
        if (bus_)
            bus_->transmit(this, QByteArray(reinterpret_cast<const char*>(data), len));
    }
    void hear(const quint8* data, int len) override { Deliver(data, len); }
    QString describe() const override { return Name; }
    bool isController() const override { return true; }

private:
    QPointer<SimBus> bus_;
};

}  // namespace

void saveArtSheets(const PanelLayout& m, const QString& libraryPath, const QDir& out, const QString& stem)
{
    ArtLibrary art(libraryPath);
    if (art.status() != ArtLibrary::Loaded)
        return;
    art.fetch("RADIO").save(out.filePath(stem + QStringLiteral("-radio.png")));
    const QImage display = art.fetch("DISPLAY");
    display.scaled(display.size() * 2).save(out.filePath(stem + QStringLiteral("-display.png")));

    // Every small picture, twice its size, on one sheet.
    QImage sheet(1000, 900, QImage::Format_RGB32);
    sheet.fill(QColor(0x50, 0x50, 0x58));
    QPainter p(&sheet);
    int x = 4, y = 4, rowHeight = 0;
    for (const char* name : m.sharedArt) {
        if (QByteArray(name).startsWith("Dial_"))
            continue;
        const QImage i = art.fetch(name);
        const QImage big = i.scaled(i.size() * 2);
        if (x + big.width() > sheet.width()) {
            x = 4;
            y += rowHeight + 4;
            rowHeight = 0;
        }
        p.drawImage(x, y, big);
        x += big.width() + 4;
        rowHeight = std::max(rowHeight, big.height());
    }
    p.end();
    sheet.copy(0, 0, sheet.width(), std::min(sheet.height(), y + rowHeight + 4))
        .save(out.filePath(stem + QStringLiteral("-pieces.png")));

    const QSize k = m.knobSize;
    QImage strip(k.width() * 4, k.height() * ((m.knobFrames + 3) / 4), QImage::Format_RGB32);
    strip.fill(Qt::black);
    QPainter s(&strip);
    for (int f = 0; f < m.knobFrames; ++f)
        s.drawImage((f % 4) * k.width(), (f / 4) * k.height(),
                    art.fetch(qPrintable(QStringLiteral("Dial_%1").arg(f))));
    s.end();
    strip.save(out.filePath(stem + QStringLiteral("-knob.png")));
}

void clickSpot(GraphicalPanel& panel, int spot)
{
    const HotSpot& h = panel.layout().spot(spot);
    const QPoint at((h.left + h.right) / 2, (h.top + h.bottom) / 2);
    panel.IRadioMouseDown(at.x(), at.y());
    panel.IRadioMouseUp(at.x(), at.y());
}

bool settle(GraphicalPanel& panel, int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (panel.engine() && panel.engine()->Queue().empty() &&
            panel.session()->requestState() == RequestState::Resting)
            return true;
        QThread::msleep(5);
    }
    return false;
}

namespace {

// The panel as a keyboard user sees it: focus in the picture, the ring moved to the
// named key.
bool saveFocusRing(GraphicalPanel& panel, const QString& key, const QString& file)
{
    panel.activateWindow();
    QElapsedTimer t;
    t.start();
    while (!panel.isActiveWindow() && t.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    PanelPicture* picture = panel.controls().IRadio;
    picture->setFocus(Qt::TabFocusReason);
    QAccessibleInterface* tree = QAccessible::queryAccessibleInterface(picture);
    for (int i = 0; i < tree->childCount(); ++i) {
        if (tree->child(i)->text(QAccessible::Name) == key)
            picture->setFocusedKey(i);
    }
    QCoreApplication::processEvents();
    return picture->focusRingShown() && panel.grab().save(file);
}

}  // namespace

bool savePanel(TMainFORM& frame, const QString& simModel, quint8 address, const PanelOpener& open,
               const std::function<void(GraphicalPanel&)>& prepare, const QDir& out, const QString& stem,
               const QString& ringOn)
{
    const RadioModel* model = findRadioModel(simModel);
    if (!model)
        return false;
    SimBus bus;
    bus.setPaced(false);
    SimRadio radio(bus, *model, address);
    DeviceList->append(std::make_unique<BusDevice>(bus));

    // Alone, at its design size; then inside the frame as the operator sees it.
    bool ok = true;
    for (QWidget* owner : {static_cast<QWidget*>(nullptr), static_cast<QWidget*>(&frame)}) {
        std::unique_ptr<GraphicalPanel> alone;
        GraphicalPanel* panel = open(owner);
        if (!owner)
            alone.reset(panel);
        if (!panel || !settle(*panel, 20000))
            return false;
        prepare(*panel);
        ok = settle(*panel, 20000) && ok;
        QCoreApplication::processEvents();
        if (!owner) {
            // Alone the panel shows at least everything its controls cover.
            const QRect used = panel->childrenRect();
            panel->resize(panel->size().expandedTo(QSize(used.right() + 8, used.bottom() + 8)));
            panel->show();
            QCoreApplication::processEvents();
            ok = panel->grab().save(out.filePath(stem + QStringLiteral("-panel.png"))) && ok;
            if (!ringOn.isEmpty())
                ok =
                    saveFocusRing(*panel, ringOn, out.filePath(stem + QStringLiteral("-keyboard.png"))) && ok;
        } else {
            ok = frame.grab().save(out.filePath(stem + QStringLiteral("-in-frame.png"))) && ok;
            if (QMdiSubWindow* sub = frame.mdiArea()->activeSubWindow())
                sub->close();
            for (int i = 0; i < 3; ++i)
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
    return ok;
}

bool saveIc821Window(const QDir& out)
{
    const RadioModel* model = findRadioModel(QStringLiteral("ic821"));
    if (!model)
        return false;
    SimBus bus;
    bus.setPaced(false);
    SimRadio radio(bus, *model, 0x4C);
    DeviceList->append(std::make_unique<BusDevice>(bus));
    TIC821FORM window(*DeviceList, nullptr);
    QElapsedTimer t;
    t.start();
    // Opening reads both bands and comes to rest on the main band.
    while (t.elapsed() < 20000 && !(window.engine() && window.engine()->Queue().empty() &&
                                    window.session()->requestState() == RequestState::Resting)) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    TIC821FORM::setItemIndex(window.controls().RGMainVfo, 0);
    TIC821FORM::setItemIndex(window.controls().RGSubVfo, 0);
    window.show();
    window.controls().BDial->setFocus();
    QCoreApplication::processEvents();
    const bool ok = window.grab().save(out.filePath(QStringLiteral("ic821-text.png")));
    window.close();
    return ok;
}

bool saveFindRadios(const QDir& out)
{
    SimBus bus;
    bus.setPaced(false);
    std::vector<std::unique_ptr<SimRadio>> radios;
    for (const auto& [name, address] : {std::pair{"ic706mkii", 0x48}, {"ic756", 0x50}, {"ic821", 0x4C}}) {
        if (const RadioModel* model = findRadioModel(QString::fromLatin1(name)))
            radios.push_back(std::make_unique<SimRadio>(bus, *model, quint8(address)));
    }
    DeviceList->append(std::make_unique<BusDevice>(bus));
    FindRadiosForm form([](RigModel, bool, const DeviceChoice&) {});
    form.show();
    form.refreshDevices();
    auto* device = form.findChild<QComboBox*>(QStringLiteral("device"));
    device->setCurrentIndex(device->count() - 1);
    form.findChild<QPushButton*>(QStringLiteral("find"))->click();
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 20000 && form.finder()->running()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    QCoreApplication::processEvents();
    const bool ok =
        !form.finder()->running() && form.grab().save(out.filePath(QStringLiteral("find-radios.png")));
    form.close();
    return ok;
}
