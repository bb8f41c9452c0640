#include "panels/graphicalpanel.h"

#include <QCheckBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>

#include "civ/civ.h"
#include "core/device.h"
#include "core/modal.h"
#include "core/timer.h"
#include "devices/deviceselect.h"
#include "memory/freqedit.h"
#include "memory/memoryform.h"
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

    IRadio = new PanelPicture(this);
    IRadio->setObjectName(QStringLiteral("IRadio"));
    IRadio->move(w.radio);
    IRadio->OnMouseDown.bind(this, &GraphicalPanel::IRadioMouseDown);
    IRadio->OnMouseUp.bind(this, &GraphicalPanel::IRadioMouseUp);

    const QString mask = QString::fromLatin1(model_.freqMask);
    EFreq = new FreqEdit(mask + QStringLiteral(";1;_"), this);
    EFreq->setObjectName(QStringLiteral("EFreq"));
    EFreq->setGeometry(w.freqEdit);
    EFreq->setMaskedText(mask);
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(19);
    EFreq->setFont(font);
    EFreq->setStyleSheet(QStringLiteral("QLineEdit { background: green; color: yellow; }"));

    auto button = [this](const char* name, const QString& caption, QPoint at,
                         void (GraphicalPanel::*click)()) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(QRect(at, QSize(75, 25)));
        connect(b, &QPushButton::clicked, this, click);
        return b;
    };
    BMainDial = button("BMainDial", QStringLiteral("Dial Main"), w.mainDial, &GraphicalPanel::BMainDialClick);
    if (w.dialSub.x() >= 0)
        BDialSub = button("BDialSub", QStringLiteral("Dial Sub"), w.dialSub, &GraphicalPanel::BDialSubClick);
    BMemory = button("BMemory", QStringLiteral("Memories"), w.memory, &GraphicalPanel::BMemoryClick);
    BUpdate = button("BUpdate", QStringLiteral("Refresh"), w.update, &GraphicalPanel::BUpdateClick);
    BForce = button("BForce", QStringLiteral("Force State"), w.force, &GraphicalPanel::BForceClick);

    CBSnoop = new QCheckBox(QStringLiteral("CIV Snoop"), this);
    CBSnoop->setObjectName(QStringLiteral("CBSnoop"));
    CBSnoop->setGeometry(w.snoopBox);
    connect(CBSnoop, &QCheckBox::clicked, this, &GraphicalPanel::CBSnoopClick);
    MSnoop = new QPlainTextEdit(QStringLiteral("MSnoop"), this);
    MSnoop->setObjectName(QStringLiteral("MSnoop"));
    MSnoop->setGeometry(w.snoop);
    MSnoop->setReadOnly(true);
    MSnoop->hide();

    Status = new QStatusBar(this);
    Status->setObjectName(QStringLiteral("Status"));
    Status->setSizeGripEnabled(false);
    const int widths[3] = {250, 250, 50};
    const QString texts[3] = {QString(), QStringLiteral("Queue Count = 0"), QStringLiteral("Retry = 0")};
    for (int i = 0; i < 3; ++i) {
        StatusPanels[i] = new QLabel(texts[i], Status);
        StatusPanels[i]->setFixedWidth(widths[i]);
        StatusPanels[i]->setFrameShape(QFrame::StyledPanel);
        Status->addWidget(StatusPanels[i]);
    }

    Dial_Timer = new Timer(this);
    Dial_Timer->setEnabled(false);
    Dial_Timer->setInterval(250);
    Dial_Timer->OnTimer.bind(this, &GraphicalPanel::Dial_TimerTimer);
}

void GraphicalPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int h = Status->sizeHint().height();
    Status->setGeometry(0, height() - h, width(), h);
}

void GraphicalPanel::FormCreate()
{
    // The art: library, the window's own pictures, the shared ones, the knob.
    const PanelArt::Failure failure = art_.open();
    if (failure == PanelArt::None) {
        IRadio->setPicture(art_.radio());
        display_ = art_.display();
        dialFrame = 0;
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
    transfer = false;

    mainStep = 10;
    subStep = 10;
    showAsMdiChild(owner_, this);
    memory_->ShowWindow();
    // The memory window opens behind its panel.
    if (QMdiSubWindow* sub = mdiWindowOf(this)) {
        sub->showMaximized();
        if (QMdiArea* area = sub->mdiArea())
            area->setActiveSubWindow(sub);
    }
    BForceClick();
    RequestAll();
}

void GraphicalPanel::closeSelf()
{
    closing_ = true;
    Dial_Timer->setEnabled(false);
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
        if (Tdevice* dev = DeviceList ? DeviceList->at(engine_->device) : nullptr)
            dev->UnRegFunc(registration_);
    }
    registration_ = 0;
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
    QPainter p(&IRadio->canvas());
    p.drawImage(at, image);
    p.end();
    IRadio->changed(QRect(at, image.size()));
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
    QPainter p(&IRadio->canvas());
    p.drawImage(model_.displayOrigin, display_);
    p.end();
    IRadio->changed(QRect(model_.displayOrigin, display_.size()));
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
        pressedSpot = n;
        if (n == model_.knobDownSpot || n == model_.knobUpSpot) {
            dialDirection = n == model_.knobUpSpot ? 1 : 2;
            Dial_Timer->setEnabled(true);
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
    return notifyStep(requestState, t, q, engine_->band());
}

QString GraphicalPanel::modeName(int mode) const { return modeNameOf(mode); }

void GraphicalPanel::IRadioMouseUp(int, int)
{
    if (pressedSpot > 0 && pressedSpot <= static_cast<int>(model_.hotSpots.size()))
        releaseKey(pressedSpot);
    pressedSpot = 0;
    dialDirection = 0;
    Dial_Timer->setEnabled(false);
}

void GraphicalPanel::Dial_TimerTimer()
{
    if (!engine_)
        return;
    if (dialDirection == 1 || dialDirection == 2) {
        const int frames = model_.knobFrames;
        dialFrame = dialDirection == 1 ? (dialFrame + 1) % frames : (dialFrame + frames - 1) % frames;
        drawOnPicture(QStringLiteral("Dial_") + QString::number(dialFrame), model_.knobPosition);
        stepFrequency();
    }
    PaintFrequency();
    PaintIndicators();
}

void GraphicalPanel::stepFrequency()
{
    const TuneResult r = tuneStep(model_, selectedText(), selectedStep(), dialDirection);
    if (r.ok) {
        engine_->setFreq(r.text);
        selectedText() = r.text;
        return;
    }
    // A held knob would raise the same box every tick while the box is open.
    Dial_Timer->setEnabled(false);
    dialDirection = 0;
    for (const QString& box : r.boxes)
        Modal::error(box);
}

// --- buttons ---

void GraphicalPanel::BMainDialClick()
{
    if (!engine_)
        return;
    SelectMain();
    const QString text = (model_.freqPadded ? QStringLiteral("0") : QString()) + EFreq->maskedText();
    engine_->setFreq(text);
    mainText = text;
}

void GraphicalPanel::BDialSubClick()
{
    if (!engine_)
        return;
    SelectSub();
    const QString text = (model_.freqPadded ? QStringLiteral("0") : QString()) + EFreq->maskedText();
    engine_->setFreq(text);
    subText = text;
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

void GraphicalPanel::CBSnoopClick() { MSnoop->setVisible(CBSnoop->isChecked()); }

// --- reads ---

void GraphicalPanel::SelectMain()
{
    if (engine_->band() != 0) {
        engine_->setBand(0);
        subSelected = false;
    }
}

void GraphicalPanel::SelectSub()
{
    if (engine_->band() != 1) {
        engine_->setBand(1);
        subSelected = true;
    }
}

void GraphicalPanel::RequestAll()
{
    requestState = 3;
    SelectSub();
    engine_->ReadFreq();
}

void GraphicalPanel::RequestSelected()
{
    requestState = subSelected ? 6 : 8;
    engine_->ReadFreq();
}

void GraphicalPanel::UpdateModeIndicator()
{
    const int indicator = modeIndicatorOf(engine_->mode());
    if (indicator)
        (subSelected ? subMode : mainMode) = indicator;
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
        mainText = text(a.mainText);
    if (a.subText != NotifyActions::Keep)
        subText = text(a.subText);
    if (a.updateMode)
        UpdateModeIndicator();
    requestState = a.state;
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
        transfer = false;
    if (a.busyOff && memory_)
        memory_->BusyOff();
    if (a.storeMem && memory_)
        memory_->StoreMem(engine_->Freq(), modeName(engine_->mode()), QString());
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
        StatusPanels[t.statusPanel]->setText(t.text);
        return;
    }
    if (!transfer)
        Modal::error(t.text);
}

void GraphicalPanel::RadioDebug(QString s) { MSnoop->appendPlainText(s); }

// --- memory window ---

void GraphicalPanel::MemorySetRequest(bool s, bool w, int n, const QString& f, const QString& m,
                                      const QString&)
{
    if (!engine_)
        return;
    if (!s) {
        SelectMain();
        engine_->setVFO(1);
        transfer = true;
    }
    engine_->setMemory(n);
    engine_->setFreq(f);
    const int mode = modeNumberOf(m);
    if (mode >= 0)
        engine_->setMode(mode);
    if (w)
        engine_->setMemoryCmd(1);
    requestState = 10;
}

void GraphicalPanel::MemoryGetRequest(int n)
{
    if (!engine_)
        return;
    if (n <= 0) {
        requestState = 5;
        return;
    }
    transfer = true;
    SelectMain();
    engine_->setMemoryCmd(0);
    engine_->setMemory(n);
    requestState = 11;
    engine_->ReadMode();
    engine_->ReadFreq();
}
