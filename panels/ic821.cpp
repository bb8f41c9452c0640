#include "panels/ic821.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTextCursor>
#include <utility>

#include "civ/civcodes.h"
#include "civ/models.h"
#include "core/device.h"
#include "core/devicekind.h"
#include "core/freqtext.h"
#include "core/intconv.h"
#include "core/modal.h"
#include "devices/deviceselectdialog.h"
#include "memory/errorreport.h"
#include "memory/freqedit.h"
#include "memory/memoryform.h"
#include "panels/ic821logic.h"
#include "panels/panelcodes.h"
#include "widgets/formstyle.h"
#include "widgets/mdichild.h"
#include "widgets/menumerge.h"
#include "widgets/updown.h"

namespace {

// The layout: the main band on the left, the sub band mirrored on the right, the
// shared controls between them and a row of commands along the bottom.
constexpr int Margin = 8;
constexpr int ColumnWidth = 262;
constexpr int CentreLeft = Margin + ColumnWidth + 8;
constexpr int CentreWidth = TIC821FORM::FormWidth - 2 * CentreLeft;
constexpr int SubLeft = TIC821FORM::FormWidth - Margin - ColumnWidth;
constexpr int ButtonHeight = 25;
constexpr int BottomRow = 200;
constexpr int StatusHeight = 22;

QFont displayFont()
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(22);
    font.setBold(true);
    return font;
}

void styleDisplay(QWidget* w)
{
    w->setFont(displayFont());
    setEditColors(w, FormColor::Green, FormColor::Yellow);
}

QLabel* heading(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    QFont f = l->font();
    f.setPixelSize(16);
    f.setBold(true);
    l->setFont(f);
    setTextColor(l, FormColor::Aqua);
    return l;
}

QGroupBox* radioGroup(const char* name, const QString& caption, const QStringList& items, int columns,
                      QWidget* parent)
{
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    setTextColor(box, Qt::white);
    auto* group = new QButtonGroup(box);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(columns > 2 ? 4 : 8, 2, 2, 2);
    // Three items side by side need every pixel of the centre column.
    grid->setHorizontalSpacing(columns > 2 ? 0 : 6);
    grid->setVerticalSpacing(0);
    const int rows = (int(items.size()) + columns - 1) / columns;
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items[i], box);
        group->addButton(b, i);
        // Items run down the first column, then down the next, as radio groups lay them out.
        grid->addWidget(b, i % rows, i / rows);
    }
    return box;
}

QButtonGroup* buttonsOf(QGroupBox* box) { return box->findChild<QButtonGroup*>(); }

}  // namespace

TIC821FORM::TIC821FORM(QWidget* owner) : QWidget(nullptr), owner_(owner)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("IC821FORM"));
    setWindowTitle(QStringLiteral("IC-821"));
    setBackgroundColor(this, FormColor::Teal);
    buildControls();
    FormCreate();
}

TIC821FORM::~TIC821FORM() { FormDestroy(); }

int TIC821FORM::itemIndex(QGroupBox* group) { return buttonsOf(group)->checkedId(); }

void TIC821FORM::setItemIndex(QGroupBox* group, int index)
{
    QButtonGroup* buttons = buttonsOf(group);
    if (QAbstractButton* b = buttons->button(index)) {
        b->setChecked(true);
        return;
    }
    // An exclusive group never lets its last checked button go.
    buttons->setExclusive(false);
    for (QAbstractButton* b : buttons->buttons())
        b->setChecked(false);
    buttons->setExclusive(true);
}

void TIC821FORM::buildControls()
{
    setFixedSize(FormWidth, FormHeight);
    auto button = [this](const char* name, const QString& caption, QRect at, void (TIC821FORM::*click)()) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(at);
        connect(b, &QPushButton::clicked, this, click);
        return b;
    };
    auto freqBox = [this](const char* name, const QString& mask, int x) {
        auto* e = new FreqEdit(mask, this);
        e->setObjectName(QString::fromLatin1(name));
        e->setMaskedText(QStringLiteral("000.000.000"));
        e->setGeometry(x, 30, 150, 34);
        styleDisplay(e);
        return e;
    };
    auto channelBox = [this](const char* name, int x, UpDown** arrows) {
        auto* e = new QLineEdit(QStringLiteral("1"), this);
        e->setObjectName(QString::fromLatin1(name));
        e->setGeometry(x, 30, 52, 34);
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        styleDisplay(e);
        *arrows = new UpDown(e, 0, 100, this);
        (*arrows)->setGeometry(x + 52, 30, 18, 34);
        return e;
    };
    auto label = [this](const QString& text, QRect at) {
        auto* l = new QLabel(text, this);
        l->setGeometry(at);
        setTextColor(l, Qt::white);
        return l;
    };

    // Main band, left.
    LMain = heading(QStringLiteral("Main"), this);
    LMain->setGeometry(Margin, 4, 120, 24);
    EMainFreq = freqBox("EMainFreq", QStringLiteral("000.000.000;1;_"), Margin);
    LMemory = label(QStringLiteral("Memory"), QRect(Margin + 162, 8, 70, 20));
    MainMemChan = channelBox("MainMemChan", Margin + 162, &MainMemUpDown);
    const QStringList modes = {QStringLiteral("CW-N"), QStringLiteral("CW "), QStringLiteral("LSB"),
                               QStringLiteral("USB"), QStringLiteral("FM")};
    RGMainMode = radioGroup("RGMainMode", QStringLiteral("Mode"), modes, 2, this);
    RGMainMode->setGeometry(Margin, 72, 128, 88);
    RGMainVfo = radioGroup(
        "RGMainVfo", QStringLiteral("Main VFO"),
        {QStringLiteral("Main VFO A"), QStringLiteral("Main VFO B"), QStringLiteral("Main Memory")}, 1, this);
    RGMainVfo->setGeometry(Margin + 134, 72, 128, 88);
    BSetMM = button("BSetMM", QStringLiteral("Set Main Mode"), QRect(Margin, 166, 128, ButtonHeight),
                    &TIC821FORM::BSetMMClick);

    // Sub band, right.
    LSub = heading(QStringLiteral("Sub"), this);
    LSub->setGeometry(SubLeft, 4, 120, 24);
    ESubFreq = freqBox("ESubFreq", QStringLiteral("000.000.000;1"), SubLeft);
    LSubMemory = label(QStringLiteral("Memory"), QRect(SubLeft + 162, 8, 70, 20));
    SubMemChan = channelBox("SubMemChan", SubLeft + 162, &SubMemUpDown);
    RGSubMode = radioGroup("RGSubMode", QStringLiteral("Mode"), modes, 2, this);
    RGSubMode->setGeometry(SubLeft, 72, 128, 88);
    RGSubVfo = radioGroup(
        "RGSubVfo", QStringLiteral("Sub VFO"),
        {QStringLiteral("Sub VFO A"), QStringLiteral("Sub VFO B"), QStringLiteral("Sub Memory")}, 1, this);
    RGSubVfo->setGeometry(SubLeft + 134, 72, 128, 88);
    BSubm = button("BSubm", QStringLiteral("Set Sub Mode"), QRect(SubLeft, 166, 128, ButtonHeight),
                   &TIC821FORM::BSubmClick);

    // Between the bands.
    LMainSub = new QLabel(QStringLiteral("<-MAIN"), this);
    LMainSub->setObjectName(QStringLiteral("LMainSub"));
    QFont bold = LMainSub->font();
    bold.setPixelSize(20);
    bold.setBold(true);
    LMainSub->setFont(bold);
    setTextColor(LMainSub, FormColor::Yellow);
    LMainSub->setAlignment(Qt::AlignCenter);
    LMainSub->setGeometry(CentreLeft, 30, CentreWidth, 34);
    const int half = (CentreWidth - 6) / 2;
    const int right = CentreLeft + CentreWidth - half;
    BMain = button("BMain", QStringLiteral("Main"), QRect(CentreLeft, 72, half, ButtonHeight),
                   &TIC821FORM::BMainClick);
    BSub =
        button("BSub", QStringLiteral("Sub"), QRect(right, 72, half, ButtonHeight), &TIC821FORM::BSubClick);
    BDial = button("BDial", QStringLiteral("Dial"), QRect(CentreLeft, 100, half, ButtonHeight),
                   &TIC821FORM::BDialClick);
    BUpdate = button("BUpdate", QStringLiteral("Update"), QRect(right, 100, half, ButtonHeight),
                     &TIC821FORM::BUpdateClick);
    BFlip = button("BFlip", QStringLiteral("Main/Sub"), QRect(CentreLeft, 128, half, ButtonHeight),
                   &TIC821FORM::BFlipClick);
    BEmpty = button("BEmpty", QStringLiteral("Empty Queue"), QRect(right, 128, half, ButtonHeight),
                    &TIC821FORM::BEmptyClick);
    RGDuplex = radioGroup("RGDuplex", QStringLiteral("Repeater"),
                          {QStringLiteral("Simplex"), QStringLiteral("Duplex -"), QStringLiteral("Duplex +")},
                          3, this);
    RGDuplex->setGeometry(CentreLeft, 154, CentreWidth, 46);
    setItemIndex(RGDuplex, 0);

    // The bottom row.
    constexpr int width = 96;
    int x = Margin;
    auto next = [&x] {
        const QRect r(x, BottomRow + 4, width, ButtonHeight);
        x += width + 6;
        return r;
    };
    BScanStart = button("BScanStart", QStringLiteral("Scan Start"), next(), &TIC821FORM::BScanStartClick);
    BScanStop = button("BScanStop", QStringLiteral("Scan Stop"), next(), &TIC821FORM::BScanStopClick);
    BMemWrite = button("BMemWrite", QStringLiteral("Memory Write"), next(), &TIC821FORM::BMemWriteClick);
    BMemClear = button("BMemClear", QStringLiteral("Memory Clear"), next(), &TIC821FORM::BMemClearClick);
    BMemVfo = button("BMemVfo", QStringLiteral("MEM -> VFO"), next(), &TIC821FORM::BMemVfoClick);
    LAddress = label(QStringLiteral("Address"), QRect(x + 6, BottomRow + 4, 56, ButtonHeight));
    EAddress = new QLineEdit(QStringLiteral("76"), this);
    EAddress->setObjectName(QStringLiteral("EAddress"));
    EAddress->setGeometry(x + 62, BottomRow + 4, 40, ButtonHeight);
    // Text fields carry the names their labels give them, for assistive technology.
    EAddress->setAccessibleName(LAddress->text());
    EMainFreq->setAccessibleName(QStringLiteral("Main frequency"));
    ESubFreq->setAccessibleName(QStringLiteral("Sub frequency"));
    MainMemChan->setAccessibleName(QStringLiteral("Main memory channel"));
    SubMemChan->setAccessibleName(QStringLiteral("Sub memory channel"));
    CBDebug = new QCheckBox(QStringLiteral("Show Debug"), this);
    CBDebug->setObjectName(QStringLiteral("CBDebug"));
    CBDebug->setGeometry(x + 118, BottomRow + 4, FormWidth - Margin - x - 118, ButtonHeight);
    setTextColor(CBDebug, Qt::white);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    QFont courier(QStringLiteral("Courier"));
    courier.setStyleHint(QFont::TypeWriter);
    courier.setPixelSize(12);
    Memo1->setFont(courier);
    setEditColors(Memo1, Qt::white, Qt::black);
    Memo1->setGeometry(Margin, FormHeight - StatusHeight + 2, FormWidth - 2 * Margin,
                       DebugHeight - FormHeight - 6);
    Memo1->hide();

    Status = new QStatusBar(this);
    Status->setObjectName(QStringLiteral("Status"));
    Status->setSizeGripEnabled(false);
    setBackgroundColor(Status, palette().color(QPalette::Button));
    const int widths[3] = {200, 200, 50};
    const QString texts[3] = {QStringLiteral("Queue Count = 0"), QStringLiteral("Try Count = 0"), QString()};
    for (int i = 0; i < 3; ++i) {
        StatusPanels[i] = new QLabel(texts[i], Status);
        StatusPanels[i]->setFixedWidth(widths[i]);
        StatusPanels[i]->setFrameShape(QFrame::StyledPanel);
        Status->addWidget(StatusPanels[i]);
    }
    Status->setGeometry(0, FormHeight - StatusHeight, FormWidth, StatusHeight);

    connect(buttonsOf(RGDuplex), &QButtonGroup::idClicked, this, &TIC821FORM::RGDuplexClick);
    connect(buttonsOf(RGMainVfo), &QButtonGroup::idClicked, this, &TIC821FORM::RGMainVfoClick);
    connect(buttonsOf(RGSubVfo), &QButtonGroup::idClicked, this, &TIC821FORM::RGSubVfoClick);
    connect(MainMemChan, &QLineEdit::textChanged, this, &TIC821FORM::MainMemChanChange);
    connect(SubMemChan, &QLineEdit::textChanged, this, &TIC821FORM::SubMemChanChange);
    connect(EAddress, &QLineEdit::textChanged, this, &TIC821FORM::EAddressChange);
    // Toggled by any means (a click, the keyboard, assistive technology).
    connect(CBDebug, &QCheckBox::toggled, this, &TIC821FORM::CBDebugClick);

    Configuration1 = new QAction(QStringLiteral("&Configuration"), this);
    Configuration1->setObjectName(QStringLiteral("Configuration1"));
    Memory1 = new QAction(QStringLiteral("&Memory"), this);
    Memory1->setObjectName(QStringLiteral("Memory1"));
    connect(Memory1, &QAction::triggered, this, &TIC821FORM::Memory1Click);
    addMergedMenuItem(this, Configuration1, 1);
    addMergedMenuItem(this, Memory1, 1);
}

void TIC821FORM::setHeight(int height)
{
    setFixedSize(FormWidth, height);
    Status->setGeometry(0, height - StatusHeight, FormWidth, StatusHeight);
    if (QMdiSubWindow* sub = mdiWindowOf(this))
        sub->adjustSize();
}

// --- opening and closing ---

void TIC821FORM::FormCreate()
{
    // Only the device is chosen here: the address comes from this window's own box.
    bool chosen = false;
    if (DSelFORM) {
        DSelFORM->AddressUsed = false;
        chosen = Modal::exec(*DSelFORM) == Modal::Ok;
        DSelFORM->AddressUsed = true;
    }
    const int device = chosen ? DSelFORM->CBDeviceName->currentIndex() : -1;
    Tdevice* dev = chosen && DeviceList ? DeviceList->at(device) : nullptr;
    if (!dev) {
        closeSelf();
        return;
    }
    setHeight(FormHeight);
    device_ = device;
    setWindowTitle(QStringLiteral("IC821 on device ") + dev->Name);

    memory_ = new TMemoryFORM(this);
    memory_->setWindowTitle(QStringLiteral("Memory for ") + windowTitle());
    memory_->SetNumofMemories(80);
    memory_->OnSetMem.bind(this, &TIC821FORM::MemorySetRequest);
    memory_->OnGetMem.bind(this, &TIC821FORM::MemoryGetRequest);
    memory_->OnTransferEnd.bind(this, &TIC821FORM::transferEnded);
    memory_->resize(569, 401);

    engine_ = new Tic821(this);
    engine_->RadioName = QStringLiteral("IC821");
    engine_->device = device;
    engine_->OnNotify.bind(this, &TIC821FORM::RadioNotify);
    engine_->OnError.bind(this, &TIC821FORM::RadioError);
    engine_->OnDebug.bind(this, &TIC821FORM::RadioDebug);
    engine_->setTimingForDevice(dev->Kind);
    registration_ = dev->RegFunc(engine_->rxHandler());
    if (registration_ == 0) {
        closeSelf();
        return;
    }
    TLinkEvent lost;
    lost.bind(this, &TIC821FORM::LinkLost);
    linkWatch_ = dev->WatchLink(lost);
    transfer = false;

    if (QMdiSubWindow* sub = showAsMdiChild(owner_, this)) {
        // A fixed dialog border: no maximising, no resizing.
        sub->setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
        sub->adjustSize();
        sub->show();
        if (QMdiArea* area = sub->mdiArea())
            area->setActiveSubWindow(sub);
    }
    BUpdateClick();
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

void TIC821FORM::LinkLost(const QString& why) { StatusPanels[0]->setText(why); }

void TIC821FORM::FormDestroy()
{
    if (engine_) {
        engine_->OnNotify.unbind();
        engine_->OnError.unbind();
        engine_->OnDebug.unbind();
        if (Tdevice* dev = DeviceList ? DeviceList->at(device_) : nullptr) {
            dev->UnRegFunc(registration_);
            dev->UnwatchLink(linkWatch_);
        }
    }
    registration_ = 0;
    linkWatch_ = 0;
    if (memory_) {
        memory_->OnSetMem.unbind();
        memory_->OnGetMem.unbind();
        memory_->OnTransferEnd.unbind();
        memory_->close();
    }
    delete engine_;
    engine_ = nullptr;
    delete memory_;
}

// --- band selection ---

void TIC821FORM::SelectMain()
{
    if (engine_->band() != civ::Band::Main) {
        engine_->setBand(civ::Band::Main);
        LMainSub->setText(QStringLiteral("<-MAIN"));
    }
}

void TIC821FORM::SelectSub()
{
    if (engine_->band() != civ::Band::Sub) {
        engine_->setBand(civ::Band::Sub);
        LMainSub->setText(QStringLiteral(" SUB->"));
    }
}

// --- buttons ---

void TIC821FORM::BMainClick()
{
    if (engine_)
        SelectMain();
}

void TIC821FORM::BSubClick()
{
    if (engine_)
        SelectSub();
}

void TIC821FORM::BDialClick()
{
    if (!engine_)
        return;
    SelectSub();
    BSubmClick();
    if (int channel = 0; tryStrToInt(SubMemChan->text(), &channel))
        engine_->setMemory(channel);
    engine_->setFreq(ESubFreq->maskedText());
    SelectMain();
    BSetMMClick();
    if (int channel = 0; tryStrToInt(MainMemChan->text(), &channel))
        engine_->setMemory(channel);
    engine_->setFreq(EMainFreq->maskedText());
    RGDuplexClick();
}

void TIC821FORM::BUpdateClick()
{
    if (!engine_)
        return;
    requestState = RequestState::AllSubFreq;
    SelectSub();
    engine_->ReadFreq();
}

void TIC821FORM::BFlipClick()
{
    if (!engine_)
        return;
    engine_->setVFO(civ::Vfo::Exchange);
    BUpdateClick();
}

void TIC821FORM::BScanStartClick()
{
    if (engine_)
        engine_->setScanCmd(civ::ScanCommand::Start);
}

void TIC821FORM::BScanStopClick()
{
    if (engine_)
        engine_->setScanCmd(civ::ScanCommand::Stop);
}

void TIC821FORM::BSetMMClick()
{
    if (!engine_)
        return;
    SelectMain();
    const int mode = ic821ModeOfIndex(itemIndex(RGMainMode));
    if (mode >= 0)
        engine_->setMode(mode);
}

void TIC821FORM::BSubmClick()
{
    if (!engine_)
        return;
    SelectSub();
    const int mode = ic821ModeOfIndex(itemIndex(RGSubMode));
    if (mode >= 0)
        engine_->setMode(mode);
}

void TIC821FORM::RGDuplexClick()
{
    if (!engine_)
        return;
    SelectMain();
    const int index = itemIndex(RGDuplex);
    if (index >= 0)
        engine_->setDuplex(index);
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
    if (!engine_)
        return;
    SelectMain();
    chooseVfo(engine_, itemIndex(RGMainVfo));
    requestState = RequestState::MainFreq;
    engine_->ReadFreq();
}

void TIC821FORM::RGSubVfoClick()
{
    if (!engine_)
        return;
    SelectSub();
    chooseVfo(engine_, itemIndex(RGSubVfo));
    requestState = RequestState::SubFreq;
    engine_->ReadFreq();
}

void TIC821FORM::MainMemChanChange() { memChanChange(MainMemChan, true); }

void TIC821FORM::SubMemChanChange() { memChanChange(SubMemChan, false); }

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
    if (!engine_)
        return;
    if (main)
        SelectMain();
    else
        SelectSub();
    engine_->setMemory(channel);
    engine_->ReadFreq();
    engine_->ReadMode();
}

void TIC821FORM::BMemWriteClick()
{
    if (engine_)
        engine_->setMemoryCmd(civ::MemoryCommand::Write);
}

void TIC821FORM::BMemClearClick()
{
    if (!engine_)
        return;
    engine_->setMemoryCmd(civ::MemoryCommand::Clear);
    BUpdateClick();
}

void TIC821FORM::BMemVfoClick()
{
    if (engine_)
        engine_->setMemoryCmd(civ::MemoryCommand::ToVfo);
}

void TIC821FORM::BEmptyClick()
{
    if (!engine_)
        return;
    engine_->ClearQueue();
    BUpdateClick();
}

void TIC821FORM::EAddressChange()
{
    runReportingErrors([this] {
        const int address = strToInt(EAddress->text());
        if (engine_)
            engine_->Address = static_cast<quint8>(address & 0xFF);
    });
}

void TIC821FORM::CBDebugClick()
{
    const bool shown = CBDebug->isChecked();
    Memo1->setVisible(shown);
    setHeight(shown ? DebugHeight : FormHeight);
}

void TIC821FORM::Memory1Click()
{
    if (memory_)
        memory_->ShowWindow();
}

// --- engine events ---

void TIC821FORM::RadioNotify(int t, int q)
{
    if (!engine_)
        return;
    const Ic821Step s = ic821Notify(requestState, t, q, engine_->mode(), engine_->band());
    if (s.freqBox != Ic821Step::None) {
        FreqEdit* box = s.freqBox == Ic821Step::Main ? EMainFreq : ESubFreq;
        if (s.freqText == Ic821Step::Blank)
            box->setText(QStringLiteral("BLANK"));
        else
            box->setMaskedText(engine_->Freq());
    }
    if (s.modeBox != Ic821Step::None)
        setItemIndex(s.modeBox == Ic821Step::Main ? RGMainMode : RGSubMode, s.modeIndex);
    requestState = s.state;
    if (s.selectMain)
        SelectMain();
    if (s.readMode)
        engine_->ReadMode();
    if (s.readFreq)
        engine_->ReadFreq();

    if (s.busyOff && memory_)
        memory_->BusyOff();
    QPointer<TIC821FORM> alive(this);
    // The memory window asks for its next memory from inside StoreMem, which raises
    // the flag again; it is cleared afterwards all the same.
    if (s.storeMem && memory_)
        memory_->StoreMem(engine_->Freq(), ic821ModeText(engine_->mode()), QString());
    if (s.storeBlank && memory_)
        memory_->StoreMem(QStringLiteral("BLANK"), QString(), QString());
    if (alive && s.endTransfer)
        transfer = false;
}

void TIC821FORM::RadioError(int e, int d)
{
    const QString text = ic821ErrorText(e, d);
    if (e == civ::Error::Answered || e == civ::Error::QueueCount) {
        StatusPanels[0]->setText(text);
        return;
    }
    if (e == civ::Error::Try) {
        StatusPanels[1]->setText(text);
        return;
    }
    QPointer<TIC821FORM> alive(this);
    if (transfer) {
        if (e != civ::Error::NoEcho && e != civ::Error::NoAnswer)
            return;
        // The engine gave the command up and emptied its queue: nothing more of the
        // transfer will come. The memory window keeps what arrived; the radio is not
        // answering, so nothing is put back.
        transfer = false;
        requestState = RequestState::Resting;
        beforeTransfer_ = {};
        if (memory_)
            memory_->AbortTransfer();
        if (alive)
            Modal::error(text);
        return;
    }
    Modal::error(text);
    // The boxes must not keep a frequency the radio refused or that could not be
    // sent: read back what the radio has.
    const bool refusedFrequency = e == civ::Error::Refused && d == 0x05;
    if (alive && engine_ && (refusedFrequency || e == civ::Error::BadFrequency))
        BUpdateClick();
}

void TIC821FORM::RadioDebug(QString s)
{
    Memo1->appendPlainText(s);
    // The trace follows its newest line, whether it is shown or not.
    Memo1->moveCursor(QTextCursor::End);
    Memo1->ensureCursorVisible();
}

// --- memory window ---

void TIC821FORM::MemorySetRequest(bool s, bool w, int n, const QString& f, const QString& m, const QString& o)
{
    if (!engine_)
        return;
    if (!s) {
        transferBegins();
        SelectMain();
        engine_->setVFO(civ::Vfo::A);
        transfer = true;
    }
    engine_->setMemory(n);
    engine_->setFreq(f);
    const int mode = ic821ModeOfText(m);
    if (mode >= 0)
        engine_->setMode(mode);
    engine_->setDuplex(ic821DuplexOfText(o));
    if (w)
        engine_->setMemoryCmd(civ::MemoryCommand::Write);
    requestState = RequestState::MemoryWrite;
}

void TIC821FORM::MemoryGetRequest(int n)
{
    if (!engine_)
        return;
    if (n <= 0) {
        requestState = RequestState::Resting;
        return;
    }
    transferBegins();
    transfer = true;
    SelectMain();
    engine_->setMemoryCmd(civ::MemoryCommand::MemoryMode);
    engine_->setMemory(n);
    requestState = RequestState::MemoryRead;
    engine_->ReadMode();
    engine_->ReadFreq();
}

void TIC821FORM::transferBegins()
{
    if (beforeTransfer_.taken)
        return;
    beforeTransfer_.taken = true;
    beforeTransfer_.vfo = itemIndex(RGMainVfo);
    beforeTransfer_.channel = MainMemChan->text();
    beforeTransfer_.freq = EMainFreq->maskedText();
    beforeTransfer_.mode = ic821ModeOfIndex(itemIndex(RGMainMode));
}

void TIC821FORM::transferEnded()
{
    if (!beforeTransfer_.taken || !engine_)
        return;
    const MainBefore b = std::exchange(beforeTransfer_, {});
    SelectMain();
    // A window that never showed a VFO choice leaves the radio in VFO mode, as a
    // download must not leave it in memory mode.
    if (b.vfo < 0)
        engine_->setVFO(civ::Vfo::VfoMode);
    else
        chooseVfo(engine_, b.vfo);
    if (int channel = 0; b.vfo == 2 && tryStrToInt(b.channel, &channel))
        engine_->setMemory(channel);
    if (freqTextToHertz(b.freq) > 0)
        engine_->setFreq(b.freq);
    if (b.mode >= 0)
        engine_->setMode(b.mode);
    BUpdateClick();
}
