#include "panels/graphicalpanel.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <cstdlib>

#include "civ/civ.h"
#include "core/device.h"
#include "core/freqtext.h"
#include "core/modal.h"
#include "core/timer.h"
#include "devices/deviceselect.h"
#include "memory/freqedit.h"
#include "memory/memoryform.h"
#include "panels/panelcodes.h"
#include "panels/panellogic.h"
#include "panels/panelpicture.h"
#include "widgets/mdichild.h"

GraphicalPanel::GraphicalPanel(const PanelLayout& model, QWidget* owner, const QString& libraryPath)
    : QWidget(nullptr), model_(model), owner_(owner), art_(model, libraryPath)
{
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
}

GraphicalPanel::~GraphicalPanel() { FormDestroy(); }

void GraphicalPanel::buildControls()
{
    const PanelWindow& w = model_.window;
    resize(w.size);

    ui_.IRadio = new PanelPicture(this);
    ui_.IRadio->setObjectName(QStringLiteral("IRadio"));
    ui_.IRadio->move(w.radio);
    ui_.IRadio->OnMouseDown.bind(this, &GraphicalPanel::IRadioMouseDown);
    ui_.IRadio->OnMouseUp.bind(this, &GraphicalPanel::IRadioMouseUp);
    ui_.IRadio->OnWheel.bind(this, &GraphicalPanel::IRadioMouseWheel);

    const QString mask = QString::fromLatin1(model_.freqMask);
    ui_.EFreq = new FreqEdit(mask + QStringLiteral(";1;_"), this);
    ui_.EFreq->setObjectName(QStringLiteral("EFreq"));
    // The field has no label on the picture; assistive technology still names it.
    ui_.EFreq->setAccessibleName(QStringLiteral("Frequency to dial"));
    ui_.EFreq->setGeometry(w.freqEdit);
    ui_.EFreq->setMaskedText(mask);
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(19);
    ui_.EFreq->setFont(font);
    ui_.EFreq->setStyleSheet(QStringLiteral("QLineEdit { background: green; color: yellow; }"));
    // Return in the field dials the main band, as the button next to it does.
    connect(ui_.EFreq, &QLineEdit::returnPressed, this, &GraphicalPanel::BMainDialClick);

    auto button = [this](const char* name, const QString& caption, QPoint at,
                         void (GraphicalPanel::*click)()) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(QRect(at, QSize(75, 25)));
        connect(b, &QPushButton::clicked, this, click);
        return b;
    };
    ui_.BMainDial =
        button("BMainDial", QStringLiteral("Dial Main"), w.mainDial, &GraphicalPanel::BMainDialClick);
    if (w.dialSub.x() >= 0)
        ui_.BDialSub =
            button("BDialSub", QStringLiteral("Dial Sub"), w.dialSub, &GraphicalPanel::BDialSubClick);
    ui_.BMemory = button("BMemory", QStringLiteral("Memories"), w.memory, &GraphicalPanel::BMemoryClick);
    ui_.BUpdate = button("BUpdate", QStringLiteral("Refresh"), w.update, &GraphicalPanel::BUpdateClick);
    ui_.BForce = button("BForce", QStringLiteral("Force State"), w.force, &GraphicalPanel::BForceClick);

    ui_.CBSnoop = new QCheckBox(QStringLiteral("CIV Snoop"), this);
    ui_.CBSnoop->setObjectName(QStringLiteral("CBSnoop"));
    ui_.CBSnoop->setGeometry(w.snoopBox);
    // Toggled, not clicked: the box may be changed by keyboard, program or
    // assistive technology as well as by the mouse.
    connect(ui_.CBSnoop, &QCheckBox::toggled, this, &GraphicalPanel::CBSnoopClick);
    ui_.MSnoop = new QPlainTextEdit(QStringLiteral("MSnoop"), this);
    ui_.MSnoop->setObjectName(QStringLiteral("MSnoop"));
    ui_.MSnoop->setGeometry(w.snoop);
    ui_.MSnoop->setReadOnly(true);
    ui_.MSnoop->hide();

    ui_.Status = new QStatusBar(this);
    ui_.Status->setObjectName(QStringLiteral("Status"));
    ui_.Status->setSizeGripEnabled(false);
    const int widths[3] = {250, 250, 50};
    const QString texts[3] = {QString(), QStringLiteral("Queue Count = 0"), QStringLiteral("Retry = 0")};
    for (int i = 0; i < 3; ++i) {
        ui_.StatusPanels[i] = new QLabel(texts[i], ui_.Status);
        ui_.StatusPanels[i]->setFrameShape(QFrame::StyledPanel);
        // The last panel reaches to the window's edge, as status bars do, so
        // "Try Count = 12" is not cut off at its 50 pixels.
        if (i < 2) {
            ui_.StatusPanels[i]->setFixedWidth(widths[i]);
            ui_.Status->addWidget(ui_.StatusPanels[i]);
        } else {
            ui_.StatusPanels[i]->setMinimumWidth(widths[i]);
            ui_.Status->addWidget(ui_.StatusPanels[i], 1);
        }
    }

    ui_.Dial_Timer = new Timer(this);
    ui_.Dial_Timer->setEnabled(false);
    ui_.Dial_Timer->setInterval(250);
    ui_.Dial_Timer->OnTimer.bind(this, &GraphicalPanel::Dial_TimerTimer);
}

void GraphicalPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int h = ui_.Status->sizeHint().height();
    ui_.Status->setGeometry(0, height() - h, width(), h);
}

void GraphicalPanel::FormCreate()
{
    // The art: library, the window's own pictures, the shared ones, the knob.
    const PanelArt::Failure failure = art_.open();
    if (failure == PanelArt::None) {
        ui_.IRadio->setPicture(art_.radio());
        display_ = art_.display();
        st_.dialFrame = 0;
        const QImage& knob = art_.picture(QStringLiteral("Dial_0"));
        if (knob.isNull()) {
            closeSelf();
            Modal::error(PanelArt::failureText(model_, PanelArt::PictureMissing));
            return;
        }
        drawOnPicture(QStringLiteral("Dial_0"), model_.knobPosition);
    } else {
        closeSelf();
        Modal::error(PanelArt::failureText(model_, failure));
        return;
    }

    int device = -1, address = 0;
    if (!selectDevice(model_.defaultAddress, &device, &address)) {
        closeSelf();
        return;
    }
    Tdevice* dev = DeviceList ? DeviceList->at(device) : nullptr;
    if (!dev) {
        closeSelf();
        return;
    }
    setWindowTitle(QString::fromLatin1(model_.radioName) + QStringLiteral(" on device ") + dev->Name);

    memory_ = new TMemoryFORM(this);
    memory_->setWindowTitle(QStringLiteral("Memory for ") + windowTitle());
    memory_->SetNumofMemories(1);
    memory_->OnSetMem.bind(this, &GraphicalPanel::MemorySetRequest);
    memory_->OnGetMem.bind(this, &GraphicalPanel::MemoryGetRequest);
    memory_->OnTransferEnd.bind(this, &GraphicalPanel::transferEnded);
    memory_->resize(569, 401);

    engine_ = createEngine();
    engine_->RadioName = QString::fromLatin1(model_.radioName);
    engine_->Address = static_cast<quint8>(address);
    engine_->device = device;
    engine_->OnNotify.bind(this, &GraphicalPanel::RadioNotify);
    engine_->OnError.bind(this, &GraphicalPanel::RadioError);
    engine_->OnDebug.bind(this, &GraphicalPanel::RadioDebug);
    engine_->setTimingForDevice(dev->Kind);
    TRxHandler receive;
    receive.bind(engine_, &Tciv::RxData);
    registration_ = dev->RegFunc(receive);
    if (registration_ == 0) {
        // The device has said why; without its bytes the panel cannot work.
        closeSelf();
        return;
    }
    TLinkEvent lost;
    lost.bind(this, &GraphicalPanel::LinkLost);
    linkWatch_ = dev->WatchLink(lost);
    st_.transfer = false;

    st_.mainStep = 10;
    st_.subStep = 10;
    showAsMdiChild(owner_, this);
    memory_->ShowWindow();
    // The memory window opens behind its panel.
    if (QMdiSubWindow* sub = mdiWindowOf(this)) {
        if (model_.opensMaximized)
            sub->showMaximized();
        if (QMdiArea* area = sub->mdiArea())
            area->setActiveSubWindow(sub);
        // Activation passes the maximised state of the window it follows (the
        // memory window opens maximised) on; a panel that opens at its design size
        // goes back to it.
        if (!model_.opensMaximized && sub->isMaximized())
            sub->showNormal();
    }
    BForceClick();
    RequestAll();
}

void GraphicalPanel::closeEvent(QCloseEvent* event)
{
    if (!closing_ && memory_ && !memory_->CanClose()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void GraphicalPanel::LinkLost(const QString& why) { ui_.StatusPanels[0]->setText(why); }

void GraphicalPanel::closeSelf()
{
    closing_ = true;
    ui_.Dial_Timer->setEnabled(false);
    if (QMdiSubWindow* sub = mdiWindowOf(this))
        sub->deleteLater();
    else
        deleteLater();
}

void GraphicalPanel::FormDestroy()
{
    if (engine_) {
        engine_->OnNotify.unbind();
        engine_->OnError.unbind();
        engine_->OnDebug.unbind();
        if (Tdevice* dev = DeviceList ? DeviceList->at(engine_->device) : nullptr) {
            dev->UnRegFunc(registration_);
            dev->UnwatchLink(linkWatch_);
        }
    }
    registration_ = 0;
    linkWatch_ = 0;
    display_ = QImage();
    delete memory_;
    memory_ = nullptr;
    delete engine_;
    engine_ = nullptr;
    // The art (shared pictures and library) goes with art_.
}

// --- pictures ---

void GraphicalPanel::drawOnPicture(const QString& name, QPoint at)
{
    const QImage& image = art_.picture(name);
    if (image.isNull())
        return;
    QPainter p(&ui_.IRadio->canvas());
    p.drawImage(at, image);
    p.end();
    ui_.IRadio->changed(QRect(at, image.size()));
}

void GraphicalPanel::drawOnDisplay(const QString& name, QPoint at)
{
    const QImage& image = art_.picture(name);
    if (image.isNull() || display_.isNull())
        return;
    QPainter p(&display_);
    p.drawImage(at, image);
}

void GraphicalPanel::showDisplay()
{
    if (display_.isNull())
        return;
    QPainter p(&ui_.IRadio->canvas());
    p.drawImage(model_.displayOrigin, display_);
    p.end();
    ui_.IRadio->changed(QRect(model_.displayOrigin, display_.size()));
}

void GraphicalPanel::pressKey(int n)
{
    const HotSpot& h = model_.spot(n);
    if (h.key)
        drawOnPicture(QStringLiteral("BD_") + QLatin1String(h.key), h.topLeft());
}

// --- mouse and knob ---

void GraphicalPanel::IRadioMouseDown(int x, int y)
{
    if (!engine_ || closing_)
        return;
    QPointer<GraphicalPanel> alive(this);
    mouseDownStarted();
    for (int n : hitTest(model_.hotSpots, x, y)) {
        st_.pressedSpot = n;
        if (n == model_.knobDownSpot || n == model_.knobUpSpot) {
            st_.dialDirection = n == model_.knobUpSpot ? DialDirection::Up : DialDirection::Down;
            ui_.Dial_Timer->setEnabled(true);
            Dial_TimerTimer();
        } else {
            hotSpotAction(n);
        }
        if (!alive || !engine_)
            return;
    }
    PaintIndicators();
}

void GraphicalPanel::releaseKey(int n)
{
    const HotSpot& h = model_.spot(n);
    if (h.key)
        drawOnPicture(QStringLiteral("BU_") + QLatin1String(h.key), h.topLeft());
}

NotifyActions GraphicalPanel::notifyActions(int t, int q)
{
    return notifyStep(st_.requestState, t, q, engine_->band());
}

void GraphicalPanel::IRadioMouseUp(int, int)
{
    if (st_.pressedSpot > 0 && st_.pressedSpot <= static_cast<int>(model_.hotSpots.size()))
        releaseKey(st_.pressedSpot);
    st_.pressedSpot = 0;
    st_.dialDirection = DialDirection::Still;
    ui_.Dial_Timer->setEnabled(false);
}

void GraphicalPanel::Dial_TimerTimer()
{
    if (!engine_)
        return;
    if (st_.dialDirection == DialDirection::Up || st_.dialDirection == DialDirection::Down) {
        const int frames = model_.knobFrames;
        st_.dialFrame = st_.dialDirection == DialDirection::Up ? (st_.dialFrame + 1) % frames
                                                               : (st_.dialFrame + frames - 1) % frames;
        drawOnPicture(QStringLiteral("Dial_") + QString::number(st_.dialFrame), model_.knobPosition);
        stepFrequency();
    }
    PaintFrequency();
    PaintIndicators();
}

void GraphicalPanel::IRadioMouseWheel(int x, int y, int notches)
{
    if (!engine_ || closing_ || notches == 0 || st_.dialDirection != DialDirection::Still)
        return;
    const bool down = model_.spot(model_.knobDownSpot).contains(x, y);
    const bool up = model_.spot(model_.knobUpSpot).contains(x, y);
    if (!down && !up)
        return;
    QPointer<GraphicalPanel> alive(this);
    // One knob tick per notch, in the wheel's direction wherever on the knob.
    const int direction = notches > 0 ? DialDirection::Up : DialDirection::Down;
    for (int i = 0; i < std::abs(notches); ++i) {
        st_.dialDirection = direction;
        Dial_TimerTimer();
        if (!alive)
            return;
        const bool refused = st_.dialDirection == DialDirection::Still;
        st_.dialDirection = DialDirection::Still;
        if (refused)
            break;
    }
}

void GraphicalPanel::stepFrequency()
{
    const TuneResult r = tuneStep(model_, st_.selectedText(), st_.selectedStep(), st_.dialDirection);
    if (r.ok) {
        engine_->setFreq(r.text);
        st_.selectedText() = r.text;
        return;
    }
    // A held knob would raise the same box every tick while the box is open.
    ui_.Dial_Timer->setEnabled(false);
    st_.dialDirection = DialDirection::Still;
    for (const QString& box : r.boxes)
        Modal::error(box);
}

// --- buttons ---

void GraphicalPanel::dialTypedText(bool sub)
{
    if (!engine_)
        return;
    if (sub)
        SelectSub();
    else
        SelectMain();
    const QString text = (model_.freqPadded ? QStringLiteral("0") : QString()) + ui_.EFreq->maskedText();
    engine_->setFreq(text);
    (sub ? st_.subText : st_.mainText) = text;
}

void GraphicalPanel::BMainDialClick() { dialTypedText(false); }

void GraphicalPanel::BDialSubClick()
{
    if (model_.dualBand)
        dialTypedText(true);
}

void GraphicalPanel::BMemoryClick()
{
    if (memory_)
        memory_->ShowWindow();
}

void GraphicalPanel::BUpdateClick()
{
    if (engine_)
        RequestAll();
}

void GraphicalPanel::CBSnoopClick() { ui_.MSnoop->setVisible(ui_.CBSnoop->isChecked()); }

// --- reads ---

void GraphicalPanel::SelectMain()
{
    if (model_.dualBand && engine_->band() != 0) {
        engine_->setBand(0);
        st_.subSelected = false;
    }
}

void GraphicalPanel::SelectSub()
{
    if (model_.dualBand && engine_->band() != 1) {
        engine_->setBand(1);
        st_.subSelected = true;
    }
}

void GraphicalPanel::RequestAll()
{
    // Both bands read the sub band first and end on the main band; one band reads
    // its frequency and mode.
    st_.requestState = model_.dualBand ? RequestState::AllSubFreq : RequestState::AllMainFreq;
    SelectSub();
    engine_->ReadFreq();
}

void GraphicalPanel::RequestSelected()
{
    st_.requestState = st_.subSelected ? RequestState::SubFreq : RequestState::MainFreq;
    engine_->ReadFreq();
}

void GraphicalPanel::UpdateModeIndicator()
{
    const int indicator = model_.modeIndicator(engine_->mode());
    if (indicator)
        (st_.subSelected ? st_.subMode : st_.mainMode) = indicator;
}

// --- engine events ---

void GraphicalPanel::RadioNotify(int t, int q)
{
    if (!engine_)
        return;
    const NotifyActions a = notifyActions(t, q);
    auto text = [this](NotifyActions::Text kind) {
        return kind == NotifyActions::Blank ? QStringLiteral("BLANK") : engine_->Freq();
    };
    if (a.mainText != NotifyActions::Keep)
        st_.mainText = text(a.mainText);
    if (a.subText != NotifyActions::Keep)
        st_.subText = text(a.subText);
    if (a.updateMode)
        UpdateModeIndicator();
    st_.requestState = a.state;
    if (a.selectMain)
        SelectMain();
    if (a.readMode)
        engine_->ReadMode();
    if (a.readFreq)
        engine_->ReadFreq();

    QPointer<GraphicalPanel> alive(this);
    // The flag drops before the memory window hears of it: it may ask for the next
    // memory at once, and that request raises the flag again.
    if (a.endTransfer)
        st_.transfer = false;
    if (a.busyOff && memory_)
        memory_->BusyOff();
    if (a.storeMem && memory_)
        memory_->StoreMem(engine_->Freq(), model_.textOfMode(engine_->mode()), QString());
    if (a.storeBlank && memory_)
        memory_->StoreMem(QStringLiteral("BLANK"), QString(), QString());
    if (!alive || !engine_)
        return;
    PaintFrequency();
    PaintIndicators();
}

void GraphicalPanel::RadioError(int e, int d)
{
    const ErrorText t = engineErrorText(e, d);
    if (t.statusPanel) {
        ui_.StatusPanels[t.statusPanel]->setText(t.text);
        return;
    }
    QPointer<GraphicalPanel> alive(this);
    if (st_.transfer) {
        if (e != civ::Error::NoEcho && e != civ::Error::NoAnswer)
            return;
        // The engine gave the command up and emptied its queue: nothing more of the
        // transfer will come. The memory window keeps what arrived; the radio is not
        // answering, so nothing is put back.
        st_.transfer = false;
        st_.requestState = RequestState::Resting;
        beforeTransfer_ = {};
        if (memory_)
            memory_->AbortTransfer();
        if (alive)
            Modal::error(t.text);
        return;
    }
    Modal::error(t.text);
    // The display must not keep a frequency the radio refused or that could not be
    // sent: the knob would tune on from it. Read back what the radio has.
    const bool refusedFrequency = e == civ::Error::Refused && d == 0x05;
    if (alive && engine_ && (refusedFrequency || e == civ::Error::BadFrequency))
        RequestSelected();
}

void GraphicalPanel::RadioDebug(QString s)
{
    ui_.MSnoop->appendPlainText(s);
    // The log follows its newest line, whether it is shown or not.
    ui_.MSnoop->moveCursor(QTextCursor::End);
    ui_.MSnoop->ensureCursorVisible();
}

// --- memory window ---

void GraphicalPanel::MemorySetRequest(bool s, bool w, int n, const QString& f, const QString& m,
                                      const QString& o)
{
    if (!engine_)
        return;
    if (!s) {
        transferBegins();
        SelectMain();
        engine_->setVFO(1);
        st_.transfer = true;
    }
    engine_->setMemory(n);
    engine_->setFreq(f);
    const int mode = model_.modeOfText(m);
    if (mode >= 0)
        engine_->setMode(mode);
    memoryWriteExtras(o);
    if (w)
        engine_->setMemoryCmd(civ::MemoryCommand::Write);
    st_.requestState = RequestState::MemoryWrite;
}

void GraphicalPanel::MemoryGetRequest(int n)
{
    if (!engine_)
        return;
    if (n <= 0) {
        st_.requestState = RequestState::Resting;
        return;
    }
    transferBegins();
    st_.transfer = true;
    SelectMain();
    engine_->setMemoryCmd(civ::MemoryCommand::MemoryMode);
    engine_->setMemory(n);
    st_.requestState = RequestState::MemoryRead;
    engine_->ReadMode();
    engine_->ReadFreq();
}

void GraphicalPanel::transferBegins()
{
    if (beforeTransfer_.taken)
        return;
    beforeTransfer_.taken = true;
    beforeTransfer_.sub = st_.subSelected;
    beforeTransfer_.channelState = st_.selectedChannelState();
    beforeTransfer_.channel = st_.selectedChannel();
    beforeTransfer_.text = st_.selectedText();
    beforeTransfer_.indicator = st_.subSelected ? st_.subMode : st_.mainMode;
}

void GraphicalPanel::transferEnded()
{
    if (!beforeTransfer_.taken || !engine_)
        return;
    const BandBefore b = std::exchange(beforeTransfer_, {});
    if (b.sub)
        SelectSub();
    else
        SelectMain();
    if (b.channelState == 3) {
        engine_->setMemoryCmd(civ::MemoryCommand::MemoryMode);
        engine_->setMemory(b.channel);
    } else {
        // 0 is the VFO mode of a radio with one VFO per band; 1 and 2 name VFO A and B.
        engine_->setVFO(b.channelState == 1 || b.channelState == 2 ? b.channelState : civ::Vfo::VfoMode);
    }
    if (freqTextToHertz(b.text) > 0)
        engine_->setFreq(b.text);
    for (const ModeIndicator& m : model_.modeIndicators) {
        if (b.indicator && m.indicator == b.indicator) {
            engine_->setMode(m.mode);
            break;
        }
    }
    RequestAll();
}

void GraphicalPanel::channelStep(int delta)
{
    int& channel = st_.selectedChannel();
    const int last = model_.memoryChannels;
    channel += delta;
    if (channel > last)
        channel = 1;
    if (channel < 1)
        channel = last;
    engine_->setMemory(channel);
    PaintChannel();
    RequestSelected();
}
