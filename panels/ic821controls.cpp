// The IC-821 window's controls: where each sits, how it looks, and what it is
// connected to. What the controls do is in ic821.cpp.

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>

#include "memory/freqedit.h"
#include "panels/ic821.h"
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
constexpr int BottomButtonWidth = 96;

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

QLabel* label(const QString& text, QRect at, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setGeometry(at);
    setTextColor(l, Qt::white);
    return l;
}

// Says in words that a band's frequency box shows a blank channel: the box's
// mask has no room for the word.
QLabel* blankMark(const char* name, const QString& accessibleName, int x, QWidget* parent)
{
    QLabel* l = label(QStringLiteral("Blank channel"), QRect(x + 56, 8, 100, 20), parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setAccessibleName(accessibleName);
    l->hide();
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

QPushButton* button(TIC821FORM* form, const char* name, const QString& caption, QRect at,
                    void (TIC821FORM::*click)())
{
    auto* b = new QPushButton(caption, form);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(at);
    QObject::connect(b, &QPushButton::clicked, form, click);
    return b;
}

FreqEdit* freqBox(const char* name, const QString& mask, int x, QWidget* parent)
{
    auto* e = new FreqEdit(mask, parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setMaskedText(QStringLiteral("000.000.000"));
    e->setGeometry(x, 30, 150, 34);
    styleDisplay(e);
    return e;
}

QLineEdit* channelBox(const char* name, int x, UpDown** arrows, QWidget* parent)
{
    auto* e = new QLineEdit(QStringLiteral("1"), parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setGeometry(x, 30, 52, 34);
    e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    styleDisplay(e);
    *arrows = new UpDown(e, 0, 100, parent);
    (*arrows)->setGeometry(x + 52, 30, 18, 34);
    return e;
}

QStringList modeItems()
{
    return {QStringLiteral("CW-N"), QStringLiteral("CW "), QStringLiteral("LSB"), QStringLiteral("USB"),
            QStringLiteral("FM")};
}

}  // namespace

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
    buildMainColumn();
    buildSubColumn();
    buildCentre();
    buildBottomRow();
    buildDebugAndStatus();
    connectControls();
    buildMenuItems();
}

void TIC821FORM::buildMainColumn()
{
    ui_.LMain = heading(QStringLiteral("Main"), this);
    ui_.LMain->setGeometry(Margin, 4, 120, 24);
    ui_.EMainFreq = freqBox("EMainFreq", QStringLiteral("000.000.000;1;_"), Margin, this);
    ui_.LMainBlank = blankMark("LMainBlank", QStringLiteral("Main channel blank"), Margin, this);
    ui_.LMemory = label(QStringLiteral("Memory"), QRect(Margin + 162, 8, 70, 20), this);
    ui_.MainMemChan = channelBox("MainMemChan", Margin + 162, &ui_.MainMemUpDown, this);
    ui_.RGMainMode = radioGroup("RGMainMode", QStringLiteral("Mode"), modeItems(), 2, this);
    ui_.RGMainMode->setGeometry(Margin, 72, 128, 88);
    ui_.RGMainVfo = radioGroup(
        "RGMainVfo", QStringLiteral("Main VFO"),
        {QStringLiteral("Main VFO A"), QStringLiteral("Main VFO B"), QStringLiteral("Main Memory")}, 1, this);
    ui_.RGMainVfo->setGeometry(Margin + 134, 72, 128, 88);
    ui_.BSetMM = button(this, "BSetMM", QStringLiteral("Set Main Mode"),
                        QRect(Margin, 166, 128, ButtonHeight), &TIC821FORM::BSetMMClick);
}

void TIC821FORM::buildSubColumn()
{
    ui_.LSub = heading(QStringLiteral("Sub"), this);
    ui_.LSub->setGeometry(SubLeft, 4, 120, 24);
    ui_.ESubFreq = freqBox("ESubFreq", QStringLiteral("000.000.000;1"), SubLeft, this);
    ui_.LSubBlank = blankMark("LSubBlank", QStringLiteral("Sub channel blank"), SubLeft, this);
    ui_.LSubMemory = label(QStringLiteral("Memory"), QRect(SubLeft + 162, 8, 70, 20), this);
    ui_.SubMemChan = channelBox("SubMemChan", SubLeft + 162, &ui_.SubMemUpDown, this);
    ui_.RGSubMode = radioGroup("RGSubMode", QStringLiteral("Mode"), modeItems(), 2, this);
    ui_.RGSubMode->setGeometry(SubLeft, 72, 128, 88);
    ui_.RGSubVfo = radioGroup(
        "RGSubVfo", QStringLiteral("Sub VFO"),
        {QStringLiteral("Sub VFO A"), QStringLiteral("Sub VFO B"), QStringLiteral("Sub Memory")}, 1, this);
    ui_.RGSubVfo->setGeometry(SubLeft + 134, 72, 128, 88);
    ui_.BSubm = button(this, "BSubm", QStringLiteral("Set Sub Mode"), QRect(SubLeft, 166, 128, ButtonHeight),
                       &TIC821FORM::BSubmClick);
}

void TIC821FORM::buildCentre()
{
    ui_.LMainSub = new QLabel(QStringLiteral("<-MAIN"), this);
    ui_.LMainSub->setObjectName(QStringLiteral("LMainSub"));
    QFont bold = ui_.LMainSub->font();
    bold.setPixelSize(20);
    bold.setBold(true);
    ui_.LMainSub->setFont(bold);
    setTextColor(ui_.LMainSub, FormColor::Yellow);
    ui_.LMainSub->setAlignment(Qt::AlignCenter);
    ui_.LMainSub->setGeometry(CentreLeft, 30, CentreWidth, 34);
    const int half = (CentreWidth - 6) / 2;
    const int right = CentreLeft + CentreWidth - half;
    ui_.BMain = button(this, "BMain", QStringLiteral("Main"), QRect(CentreLeft, 72, half, ButtonHeight),
                       &TIC821FORM::BMainClick);
    ui_.BSub = button(this, "BSub", QStringLiteral("Sub"), QRect(right, 72, half, ButtonHeight),
                      &TIC821FORM::BSubClick);
    ui_.BDial = button(this, "BDial", QStringLiteral("Dial"), QRect(CentreLeft, 100, half, ButtonHeight),
                       &TIC821FORM::BDialClick);
    ui_.BUpdate = button(this, "BUpdate", QStringLiteral("Update"), QRect(right, 100, half, ButtonHeight),
                         &TIC821FORM::BUpdateClick);
    ui_.BFlip = button(this, "BFlip", QStringLiteral("Main/Sub"), QRect(CentreLeft, 128, half, ButtonHeight),
                       &TIC821FORM::BFlipClick);
    ui_.BEmpty = button(this, "BEmpty", QStringLiteral("Empty Queue"), QRect(right, 128, half, ButtonHeight),
                        &TIC821FORM::BEmptyClick);
    ui_.RGDuplex = radioGroup(
        "RGDuplex", QStringLiteral("Repeater"),
        {QStringLiteral("Simplex"), QStringLiteral("Duplex -"), QStringLiteral("Duplex +")}, 3, this);
    ui_.RGDuplex->setGeometry(CentreLeft, 154, CentreWidth, 46);
    setItemIndex(ui_.RGDuplex, 0);
}

void TIC821FORM::buildBottomRow()
{
    int x = Margin;
    auto next = [&x] {
        const QRect r(x, BottomRow + 4, BottomButtonWidth, ButtonHeight);
        x += BottomButtonWidth + 6;
        return r;
    };
    ui_.BScanStart =
        button(this, "BScanStart", QStringLiteral("Scan Start"), next(), &TIC821FORM::BScanStartClick);
    ui_.BScanStop =
        button(this, "BScanStop", QStringLiteral("Scan Stop"), next(), &TIC821FORM::BScanStopClick);
    ui_.BMemWrite =
        button(this, "BMemWrite", QStringLiteral("Memory Write"), next(), &TIC821FORM::BMemWriteClick);
    ui_.BMemClear =
        button(this, "BMemClear", QStringLiteral("Memory Clear"), next(), &TIC821FORM::BMemClearClick);
    ui_.BMemVfo = button(this, "BMemVfo", QStringLiteral("MEM -> VFO"), next(), &TIC821FORM::BMemVfoClick);
    ui_.LAddress = label(QStringLiteral("Address"), QRect(x + 6, BottomRow + 4, 56, ButtonHeight), this);
    ui_.EAddress = new QLineEdit(QStringLiteral("76"), this);
    ui_.EAddress->setObjectName(QStringLiteral("EAddress"));
    ui_.EAddress->setGeometry(x + 62, BottomRow + 4, 40, ButtonHeight);
    // Text fields carry the names their labels give them, for assistive technology.
    ui_.EAddress->setAccessibleName(ui_.LAddress->text());
    ui_.EMainFreq->setAccessibleName(QStringLiteral("Main frequency"));
    ui_.ESubFreq->setAccessibleName(QStringLiteral("Sub frequency"));
    ui_.MainMemChan->setAccessibleName(QStringLiteral("Main memory channel"));
    ui_.SubMemChan->setAccessibleName(QStringLiteral("Sub memory channel"));
    ui_.CBDebug = new QCheckBox(QStringLiteral("Show Debug"), this);
    ui_.CBDebug->setObjectName(QStringLiteral("CBDebug"));
    ui_.CBDebug->setGeometry(x + 118, BottomRow + 4, FormWidth - Margin - x - 118, ButtonHeight);
    setTextColor(ui_.CBDebug, Qt::white);
    // At the row's right end, shown with the log.
    ui_.CBDecoded = new QCheckBox(QStringLiteral("Decoded"), this);
    ui_.CBDecoded->setObjectName(QStringLiteral("CBDecoded"));
    ui_.CBDecoded->setGeometry(FormWidth - Margin - 80, BottomRow + 4, 80, ButtonHeight);
    setTextColor(ui_.CBDecoded, Qt::white);
    ui_.CBDecoded->hide();
    ui_.CBDebug->resize(ui_.CBDecoded->x() - ui_.CBDebug->x() - 4, ButtonHeight);
}

void TIC821FORM::buildDebugAndStatus()
{
    ui_.debugLog = new QPlainTextEdit(this);
    ui_.debugLog->setObjectName(QStringLiteral("DebugLog"));
    ui_.debugLog->setReadOnly(true);
    QFont courier(QStringLiteral("Courier"));
    courier.setStyleHint(QFont::TypeWriter);
    courier.setPixelSize(12);
    ui_.debugLog->setFont(courier);
    setEditColors(ui_.debugLog, Qt::white, Qt::black);
    ui_.debugLog->setGeometry(Margin, FormHeight - StatusHeight + 2, FormWidth - 2 * Margin,
                              DebugHeight - FormHeight - 6);
    ui_.debugLog->hide();

    ui_.Status = new QStatusBar(this);
    ui_.Status->setObjectName(QStringLiteral("Status"));
    ui_.Status->setSizeGripEnabled(false);
    setBackgroundColor(ui_.Status, palette().color(QPalette::Button));
    const int widths[3] = {200, 200, 50};
    const QString texts[3] = {QStringLiteral("Queue Count = 0"), QStringLiteral("Try Count = 0"), QString()};
    for (int i = 0; i < 3; ++i) {
        ui_.StatusPanels[i] = new QLabel(texts[i], ui_.Status);
        ui_.StatusPanels[i]->setFixedWidth(widths[i]);
        ui_.StatusPanels[i]->setFrameShape(QFrame::StyledPanel);
        ui_.Status->addWidget(ui_.StatusPanels[i]);
    }
    ui_.Status->setGeometry(0, FormHeight - StatusHeight, FormWidth, StatusHeight);
}

void TIC821FORM::connectControls()
{
    connect(buttonsOf(ui_.RGDuplex), &QButtonGroup::idClicked, this, &TIC821FORM::RGDuplexClick);
    connect(buttonsOf(ui_.RGMainVfo), &QButtonGroup::idClicked, this, &TIC821FORM::RGMainVfoClick);
    connect(buttonsOf(ui_.RGSubVfo), &QButtonGroup::idClicked, this, &TIC821FORM::RGSubVfoClick);
    connect(ui_.MainMemChan, &QLineEdit::textChanged, this, &TIC821FORM::MainMemChanChange);
    connect(ui_.SubMemChan, &QLineEdit::textChanged, this, &TIC821FORM::SubMemChanChange);
    connect(ui_.EAddress, &QLineEdit::textChanged, this, &TIC821FORM::EAddressChange);
    // A frequency typed over a blank channel is no longer blank.
    connect(ui_.EMainFreq, &QLineEdit::textEdited, ui_.LMainBlank, &QWidget::hide);
    connect(ui_.ESubFreq, &QLineEdit::textEdited, ui_.LSubBlank, &QWidget::hide);
    // Toggled by any means (a click, the keyboard, assistive technology).
    connect(ui_.CBDebug, &QCheckBox::toggled, this, &TIC821FORM::CBDebugClick);
    connect(ui_.CBDecoded, &QCheckBox::toggled, this, &TIC821FORM::CBDecodedClick);
}

void TIC821FORM::buildMenuItems()
{
    ui_.configurationItem = new QAction(QStringLiteral("&Configuration"), this);
    ui_.configurationItem->setObjectName(QStringLiteral("ConfigurationItem"));
    ui_.memoryItem = new QAction(QStringLiteral("&Memory"), this);
    ui_.memoryItem->setObjectName(QStringLiteral("MemoryItem"));
    connect(ui_.memoryItem, &QAction::triggered, this, &TIC821FORM::MemoryItemClick);
    addMergedMenuItem(this, ui_.configurationItem, 1);
    addMergedMenuItem(this, ui_.memoryItem, 1);
}

void TIC821FORM::setHeight(int height)
{
    setFixedSize(FormWidth, height);
    ui_.Status->setGeometry(0, height - StatusHeight, FormWidth, StatusHeight);
    if (QMdiSubWindow* sub = mdiWindowOf(this))
        sub->adjustSize();
}
