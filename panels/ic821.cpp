#include "panels/ic821.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QTextCursor>

#include "civ/civcodes.h"
#include "civ/models.h"
#include "core/device.h"
#include "core/intconv.h"
#include "core/modal.h"
#include "devices/deviceselect.h"
#include "memory/freqedit.h"
#include "memory/memoryform.h"
#include "panels/ic821logic.h"
#include "widgets/formstyle.h"
#include "widgets/mdichild.h"

TIC821FORM::TIC821FORM(const TDeviceList& devices, QWidget* owner, DevicePreset preset)
    : QWidget(nullptr), devices_(devices), owner_(owner)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("IC821FORM"));
    setWindowTitle(QStringLiteral("IC-821"));
    setBackgroundColor(this, FormColor::Teal);
    buildControls();
    FormCreate(preset);
}

TIC821FORM::~TIC821FORM() { FormDestroy(); }

Tic821* TIC821FORM::engine() const { return session_ ? static_cast<Tic821*>(session_->engine()) : nullptr; }

// --- opening and closing ---

void TIC821FORM::FormCreate(DevicePreset preset)
{
    // Only the device is chosen here: the address comes from this window's own box.
    Tdevice* device = preset ? preset->device : chooseDeviceOnly(devices_, owner_);
    if (!device) {
        closeSelf();
        return;
    }
    setHeight(FormHeight);
    setWindowTitle(QStringLiteral("IC821 on device ") + device->Name);
    openMemoryWindow();
    session_ = new RadioSession(RigModel::IC821, *device, this);
    session_->engine()->RadioName = QStringLiteral("IC821");
    if (!session_->isRegistered()) {
        closeSelf();
        return;
    }
    // The box says the address in decimal and sets the engine's as it changes.
    if (preset)
        ui_.EAddress->setText(QString::number(preset->address));
    connectSession();

    if (QMdiSubWindow* sub = showAsMdiChild(owner_, this)) {
        // A fixed dialog border: no maximising, no resizing.
        sub->setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
        sub->adjustSize();
        sub->show();
        // The memory window opens with it, behind it, as a panel's does.
        memory_->ShowWindow();
        if (QMdiArea* area = sub->mdiArea())
            area->setActiveSubWindow(sub);
        // Activation hands the memory window's maximised state on; this window
        // keeps its fixed size.
        if (sub->isMaximized())
            sub->showNormal();
    }
    BUpdateClick();
}

void TIC821FORM::openMemoryWindow()
{
    memory_ = new TMemoryFORM(this);
    memory_->setWindowTitle(QStringLiteral("Memory for ") + windowTitle());
    memory_->SetNumofMemories(80);
    memory_->OnSetMem.bind(this, &TIC821FORM::MemorySetRequest);
    memory_->OnGetMem.bind(this, &TIC821FORM::MemoryGetRequest);
    memory_->OnTransferEnd.bind([this] {
        if (session_)
            session_->finishTransfer();
    });
    memory_->resize(569, 401);
}

void TIC821FORM::connectSession()
{
    session_->setReadBack(RadioSession::ReadBack::AllBands);
    session_->setSnapshotSource([this] { return mainBandSnapshot(); });
    connect(session_, &RadioSession::bandSelected, this, [this](int band) {
        ui_.LMainSub->setText(band == civ::Band::Main ? QStringLiteral("<-MAIN") : QStringLiteral(" SUB->"));
    });
    connect(session_, &RadioSession::frequencyRead, this, &TIC821FORM::frequencyRead);
    connect(session_, &RadioSession::modeRead, this, &TIC821FORM::modeRead);
    connect(session_, &RadioSession::memoryWritten, this, [this] {
        if (memory_)
            memory_->BusyOff();
    });
    connect(session_, &RadioSession::memoryRead, this, &TIC821FORM::memoryRead);
    connect(session_, &RadioSession::failed, this, &TIC821FORM::sessionFailed);
    connect(session_, &RadioSession::transferGivenUp, this, &TIC821FORM::transferGivenUp);
    // Errors stay quiet while a transfer runs; channels the radio refused are
    // told once the transfer has ended, in one box.
    connect(session_, &RadioSession::channelsRefused, this, [](const QString& text) { Modal::error(text); });
    connect(session_, &RadioSession::progressed, this, &TIC821FORM::showProgress);
    connect(session_, &RadioSession::traced, this, &TIC821FORM::showTrace);
    // The device lost its way to the bus: said in the status bar at once.
    connect(session_, &RadioSession::linkLost, this,
            [this](const QString& why) { ui_.StatusPanels[0]->setText(why); });
}

void TIC821FORM::closeSelf()
{
    closing_ = true;
    if (QMdiSubWindow* sub = mdiWindowOf(this))
        sub->deleteLater();
    else
        deleteLater();
}

void TIC821FORM::closeEvent(QCloseEvent* event)
{
    if (!closing_ && memory_ && !memory_->CanClose()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void TIC821FORM::FormDestroy()
{
    if (session_)
        session_->disconnect(this);
    if (memory_) {
        memory_->OnSetMem.unbind();
        memory_->OnGetMem.unbind();
        memory_->OnTransferEnd.unbind();
        memory_->close();
    }
    // The session unregisters the engine from its device as it goes.
    delete session_;
    session_ = nullptr;
    delete memory_;
}

// --- band selection ---

void TIC821FORM::SelectMain() { session_->selectBand(civ::Band::Main); }

void TIC821FORM::SelectSub() { session_->selectBand(civ::Band::Sub); }

// --- buttons ---

void TIC821FORM::BMainClick()
{
    if (session_)
        SelectMain();
}

void TIC821FORM::BSubClick()
{
    if (session_)
        SelectSub();
}

void TIC821FORM::BDialClick()
{
    if (!session_)
        return;
    SelectSub();
    BSubmClick();
    if (int channel = 0; tryStrToInt(ui_.SubMemChan->text(), &channel))
        engine()->setMemory(channel);
    engine()->setFreq(ui_.ESubFreq->maskedText());
    SelectMain();
    BSetMMClick();
    if (int channel = 0; tryStrToInt(ui_.MainMemChan->text(), &channel))
        engine()->setMemory(channel);
    engine()->setFreq(ui_.EMainFreq->maskedText());
    RGDuplexClick();
}

void TIC821FORM::BUpdateClick()
{
    if (session_)
        session_->readAll();
}

void TIC821FORM::BFlipClick()
{
    if (!session_)
        return;
    engine()->setVFO(civ::Vfo::Exchange);
    BUpdateClick();
}

void TIC821FORM::BScanStartClick()
{
    if (session_)
        engine()->setScanCmd(civ::ScanCommand::Start);
}

void TIC821FORM::BScanStopClick()
{
    if (session_)
        engine()->setScanCmd(civ::ScanCommand::Stop);
}

void TIC821FORM::BSetMMClick()
{
    if (!session_)
        return;
    SelectMain();
    const int mode = ic821ModeOfIndex(itemIndex(ui_.RGMainMode));
    if (mode >= 0)
        engine()->setMode(mode);
}

void TIC821FORM::BSubmClick()
{
    if (!session_)
        return;
    SelectSub();
    const int mode = ic821ModeOfIndex(itemIndex(ui_.RGSubMode));
    if (mode >= 0)
        engine()->setMode(mode);
}

void TIC821FORM::RGDuplexClick()
{
    if (!session_)
        return;
    SelectMain();
    const int index = itemIndex(ui_.RGDuplex);
    if (index >= 0)
        engine()->setDuplex(index);
}

namespace {
// VFO A, VFO B or memory mode, by the VFO group's index.
void chooseVfo(Tciv* engine, int index)
{
    switch (index) {
    case 0: engine->setVFO(civ::Vfo::A); break;
    case 1: engine->setVFO(civ::Vfo::B); break;
    case 2: engine->setMemoryCmd(civ::MemoryCommand::MemoryMode); break;
    default: break;
    }
}
}  // namespace

void TIC821FORM::RGMainVfoClick()
{
    if (!session_)
        return;
    SelectMain();
    chooseVfo(engine(), itemIndex(ui_.RGMainVfo));
    session_->readSelected();
}

void TIC821FORM::RGSubVfoClick()
{
    if (!session_)
        return;
    SelectSub();
    chooseVfo(engine(), itemIndex(ui_.RGSubVfo));
    session_->readSelected();
}

void TIC821FORM::MainMemChanChange() { memChanChange(ui_.MainMemChan, true); }

void TIC821FORM::SubMemChanChange() { memChanChange(ui_.SubMemChan, false); }

void TIC821FORM::memChanChange(QLineEdit* box, bool main)
{
    int channel = 0;
    if (!tryStrToInt(box->text(), &channel))
        return;
    // Channels run 1 to 80 and wrap. Rewriting the text runs this handler again
    // for the new text, and that run sends the commands.
    if (channel < 1) {
        box->setText(QStringLiteral("80"));
        return;
    }
    if (channel > 80) {
        box->setText(QStringLiteral("1"));
        return;
    }
    if (!session_)
        return;
    if (main)
        SelectMain();
    else
        SelectSub();
    engine()->setMemory(channel);
    engine()->ReadFreq();
    engine()->ReadMode();
}

void TIC821FORM::BMemWriteClick()
{
    if (session_)
        engine()->setMemoryCmd(civ::MemoryCommand::Write);
}

void TIC821FORM::BMemClearClick()
{
    if (!session_)
        return;
    engine()->setMemoryCmd(civ::MemoryCommand::Clear);
    BUpdateClick();
}

void TIC821FORM::BMemVfoClick()
{
    if (session_)
        engine()->setMemoryCmd(civ::MemoryCommand::ToVfo);
}

void TIC821FORM::BEmptyClick()
{
    if (!session_)
        return;
    engine()->ClearQueue();
    BUpdateClick();
}

void TIC821FORM::EAddressChange()
{
    const QString text = ui_.EAddress->text();
    int address = 0;
    if (!tryStrToInt(text, &address)) {
        Modal::exception(QStringLiteral("'%1' is not a valid integer value").arg(text));
        return;
    }
    if (session_)
        engine()->Address = static_cast<quint8>(address & 0xFF);
}

void TIC821FORM::CBDebugClick()
{
    const bool shown = ui_.CBDebug->isChecked();
    ui_.debugLog->setVisible(shown);
    ui_.CBDecoded->setVisible(shown);
    setHeight(shown ? DebugHeight : FormHeight);
}

void TIC821FORM::MemoryItemClick()
{
    if (memory_)
        memory_->ShowWindow();
}
