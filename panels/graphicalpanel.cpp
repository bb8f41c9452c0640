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

GraphicalPanel::GraphicalPanel(const PanelLayout& model, const TDeviceList& devices, QWidget* owner,
                               const QString& libraryPath, DevicePreset preset)
    : QWidget(nullptr),
      model_(model),
      devices_(devices),
      owner_(owner),
      art_(model, libraryPath),
      preset_(preset)
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
    access_ = std::make_unique<PanelAccess>(*this);
    ui_.IRadio->setKeys(access_.get());

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
    snoop_ = SnoopLog(ui_.MSnoop->toPlainText());
    // Beside the memo's top right corner, and shown with it.
    ui_.CBDecoded = new QCheckBox(QStringLiteral("Decoded"), this);
    ui_.CBDecoded->setObjectName(QStringLiteral("CBDecoded"));
    ui_.CBDecoded->setGeometry(QRect(w.snoop.right() + 9, w.snoop.top(), 80, 17));
    ui_.CBDecoded->hide();
    connect(ui_.CBDecoded, &QCheckBox::toggled, this, &GraphicalPanel::CBDecodedClick);
    buildStatusBar();
    // The typed-frequency field keeps the focus a panel opens with; Tab goes on to
    // the picture's keys.
    setTabOrder(ui_.EFreq, ui_.IRadio);

    ui_.Dial_Timer = new Timer(this);
    ui_.Dial_Timer->setEnabled(false);
    ui_.Dial_Timer->setInterval(250);
    ui_.Dial_Timer->OnTimer.bind(this, &GraphicalPanel::Dial_TimerTimer);
}

void GraphicalPanel::buildStatusBar()
{
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
}

void GraphicalPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int h = ui_.Status->sizeHint().height();
    ui_.Status->setGeometry(0, height() - h, width(), h);
}

Tciv* GraphicalPanel::engine() const { return session_ ? session_->engine() : nullptr; }

void GraphicalPanel::FormCreate()
{
    if (!openArt())
        return;
    const std::optional<DeviceChoice> choice =
        preset_ ? preset_ : chooseDevice(devices_, model_.defaultAddress, owner_);
    if (!choice) {
        closeSelf();
        return;
    }
    setWindowTitle(QString::fromLatin1(model_.radioName) + QStringLiteral(" on device ") +
                   choice->device->Name);
    openMemoryWindow();
    if (!openSession(*choice->device, choice->address)) {
        // The device has said why; without its bytes the panel cannot work.
        closeSelf();
        return;
    }
    st_.mainStep = 10;
    st_.subStep = 10;
    showAsDocument();
    BForceClick();
    RequestAll();
}

bool GraphicalPanel::openArt()
{
    // The art: library, the window's own pictures, the shared ones, the knob.
    PanelArt::Failure failure = art_.open();
    if (failure == PanelArt::None) {
        ui_.IRadio->setPicture(art_.radio());
        display_ = art_.display();
        st_.dialFrame = 0;
        if (!art_.picture(QStringLiteral("Dial_0")).isNull()) {
            drawOnPicture(QStringLiteral("Dial_0"), model_.knobPosition);
            return true;
        }
        failure = PanelArt::PictureMissing;
    }
    closeSelf();
    Modal::error(PanelArt::failureText(model_, failure));
    return false;
}

void GraphicalPanel::openMemoryWindow()
{
    memory_ = new TMemoryFORM(this);
    memory_->setWindowTitle(QStringLiteral("Memory for ") + windowTitle());
    memory_->SetNumofMemories(1);
    memory_->OnSetMem.bind(this, &GraphicalPanel::MemorySetRequest);
    memory_->OnGetMem.bind(this, &GraphicalPanel::MemoryGetRequest);
    memory_->OnTransferEnd.bind([this] {
        if (session_)
            session_->finishTransfer();
    });
    memory_->resize(569, 401);
}

bool GraphicalPanel::openSession(Tdevice& device, int address)
{
    session_ = new RadioSession(model_.rigModel, device, this);
    Tciv* radio = session_->engine();
    radio->RadioName = QString::fromLatin1(model_.radioName);
    radio->Address = static_cast<quint8>(address);
    if (!session_->isRegistered())
        return false;
    session_->setReadBack(RadioSession::ReadBack::SelectedBand);
    session_->setSnapshotSource([this] { return selectedBandSnapshot(); });
    connect(session_, &RadioSession::bandSelected, this,
            [this](int band) { st_.subSelected = band != civ::Band::Main; });
    connect(session_, &RadioSession::frequencyRead, this, &GraphicalPanel::frequencyRead);
    connect(session_, &RadioSession::modeRead, this, &GraphicalPanel::modeRead);
    connect(session_, &RadioSession::memoryWritten, this, [this] {
        if (memory_)
            memory_->BusyOff();
    });
    connect(session_, &RadioSession::memoryRead, this, &GraphicalPanel::memoryRead);
    connect(session_, &RadioSession::notified, this, &GraphicalPanel::sessionNotified);
    connect(session_, &RadioSession::failed, this, &GraphicalPanel::sessionFailed);
    connect(session_, &RadioSession::transferGivenUp, this, &GraphicalPanel::transferGivenUp);
    // Errors stay quiet while a transfer runs; channels the radio refused are
    // told once the transfer has ended, in one box.
    connect(session_, &RadioSession::channelsRefused, this, [](const QString& text) { Modal::error(text); });
    connect(session_, &RadioSession::progressed, this, &GraphicalPanel::showProgress);
    connect(session_, &RadioSession::traced, this, &GraphicalPanel::showTrace);
    connect(session_, &RadioSession::linkLost, this, &GraphicalPanel::showLinkLost);
    return true;
}

void GraphicalPanel::showAsDocument()
{
    showAsMdiChild(owner_, this);
    memory_->ShowWindow();
    // The memory window opens behind its panel.
    QMdiSubWindow* sub = mdiWindowOf(this);
    if (!sub)
        return;
    if (model_.opensMaximized)
        sub->showMaximized();
    if (QMdiArea* area = sub->mdiArea())
        area->setActiveSubWindow(sub);
    // Activation passes the maximised state of the window it follows (the memory
    // window opens maximised) on; a panel that opens at its design size goes back
    // to it.
    if (!model_.opensMaximized && sub->isMaximized())
        sub->showNormal();
}

void GraphicalPanel::closeEvent(QCloseEvent* event)
{
    if (!closing_ && memory_ && !memory_->CanClose()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

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
    // The picture goes after the panel's members.
    ui_.IRadio->setKeys(nullptr);
    if (session_)
        session_->disconnect(this);
    display_ = QImage();
    delete memory_;
    memory_ = nullptr;
    // The session unregisters the engine from its device as it goes.
    delete session_;
    session_ = nullptr;
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
    // Everything the panel shows passes here, so what it says is compared here too.
    access_->refresh();
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
    if (!session_ || closing_)
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
        if (!alive || !session_)
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
    if (!session_)
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
    if (!session_ || closing_ || notches == 0 || st_.dialDirection != DialDirection::Still)
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
        engine()->setFreq(r.text);
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
    if (!session_)
        return;
    if (sub)
        SelectSub();
    else
        SelectMain();
    const QString text = (model_.freqPadded ? QStringLiteral("0") : QString()) + ui_.EFreq->maskedText();
    engine()->setFreq(text);
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
    if (session_)
        RequestAll();
}

void GraphicalPanel::CBSnoopClick()
{
    ui_.MSnoop->setVisible(ui_.CBSnoop->isChecked());
    ui_.CBDecoded->setVisible(ui_.CBSnoop->isChecked());
}

// --- reads ---

void GraphicalPanel::SelectMain() { session_->selectBand(civ::Band::Main); }

void GraphicalPanel::SelectSub() { session_->selectBand(civ::Band::Sub); }

void GraphicalPanel::RequestAll() { session_->readAll(); }

void GraphicalPanel::RequestSelected() { session_->readSelected(); }

void GraphicalPanel::UpdateModeIndicator()
{
    const int indicator = model_.modeIndicator(engine()->mode());
    if (indicator)
        (st_.subSelected ? st_.subMode : st_.mainMode) = indicator;
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
    engine()->setMemory(channel);
    PaintChannel();
    RequestSelected();
}
