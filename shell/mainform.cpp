#include "shell/mainform.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QShortcut>
#include <QStatusBar>

#include "core/device.h"
#include "core/modal.h"
#include "memory/memoryform.h"
#include "shell/about.h"
#include "shell/disclaimer.h"
#include "shell/helpviewer.h"
#include "shell/netcontrol.h"
#include "shell/panelfactory.h"
#include "shell/windowarrange.h"
#include "widgets/menumerge.h"

TMainFORM* MainFORM = nullptr;

namespace {

// The model as the Radio menu names it, "IC-756".
QString modelName(RigModel model) { return QString::fromLatin1(rigModelInfo(model).name); }

}  // namespace

QString panelLibraryName(RigModel model)
{
    switch (model) {
    case RigModel::IC706: return QStringLiteral("PV706.dll");
    case RigModel::IC706MKII: return QStringLiteral("PV706MKII.dll");
    case RigModel::IC756: return QStringLiteral("PV756.dll");
    case RigModel::IC821: return QStringLiteral("PV821.dll");
    }
    return QString();
}

TMainFORM::TMainFORM(QWidget* parent) : TMainFORM(ProgramFiles::running(), parent) {}

TMainFORM::TMainFORM(const ProgramFiles& files, QWidget* parent) : QMainWindow(parent), files_(files)
{
    setWindowTitle(QStringLiteral("ICOM Tessaline"));
    area_ = new QMdiArea(this);
    area_->setBackground(QColor(0x00, 0x80, 0x80));
    area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(area_);
    buildMenus();
    // Document windows lend the menu bar items of their own while they are current.
    new MenuMerger(MainMenu1, area_);
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setSizeGripEnabled(true);
    setStatusBar(StatusBar1);
    FormCreate();
}

TMainFORM::~TMainFORM()
{
    // Panels unregister from their devices as they close, so the windows go
    // before the devices do.
    TDeviceList* mine = deviceList_.get();
    delete area_;
    area_ = nullptr;
    deviceList_.reset();
    if (DeviceList == mine)
        DeviceList = nullptr;
}

void TMainFORM::closeEvent(QCloseEvent* event)
{
    for (TMemoryFORM* list : findChildren<TMemoryFORM*>()) {
        if (!list->CanClose()) {
            event->ignore();
            return;
        }
    }
    QMainWindow::closeEvent(event);
}

void TMainFORM::NetworkControl1Click()
{
    if (!netControl_)
        netControl_ = new NetControlForm(this);
    netControl_->refreshDevices();
    netControl_->show();
    netControl_->raise();
    netControl_->activateWindow();
}

void TMainFORM::buildMenus()
{
    MainMenu1 = menuBar();
    auto action = [this](QMenu* menu, const QString& caption, const QKeySequence& key,
                         void (TMainFORM::*handler)()) {
        QAction* a = menu->addAction(caption);
        if (!key.isEmpty())
            a->setShortcut(key);
        if (handler)
            connect(a, &QAction::triggered, this, handler);
        return a;
    };

    DeviceSetup1 = MainMenu1->addMenu(QStringLiteral("&Device Setup"));
    AddDevice1 = action(DeviceSetup1, QStringLiteral("&Add Device"), Qt::Key_F1, &TMainFORM::AddDevice1Click);
    RemoveDevice1 = action(DeviceSetup1, QStringLiteral("Remove Device"), {}, nullptr);
    RemoveDevice1->setVisible(false);
    NetworkControl1 =
        action(DeviceSetup1, QStringLiteral("Network Control..."), {}, &TMainFORM::NetworkControl1Click);

    Radio1 = MainMenu1->addMenu(QStringLiteral("&Radio"));
    IC7061 = action(Radio1, modelName(RigModel::IC706), Qt::Key_F2, &TMainFORM::IC7061Click);
    IC706MKII1 = action(Radio1, modelName(RigModel::IC706MKII), Qt::Key_F3, &TMainFORM::IC706MKII1Click);
    IC7561 = action(Radio1, modelName(RigModel::IC756), Qt::Key_F4, &TMainFORM::IC7561Click);
    IC821HiRes1 = action(Radio1, modelName(RigModel::IC821), Qt::Key_F5, &TMainFORM::IC821HiRes1Click);
    IC8211 = action(Radio1, QStringLiteral("IC-821 (Text)"), Qt::Key_F9, &TMainFORM::IC8211Click);
    for (QAction* a : {IC7061, IC706MKII1, IC7561, IC821HiRes1})
        a->setEnabled(false);
    IC8211->setVisible(false);
    // Qt neither fires the short-cut of a hidden action nor lets it be triggered;
    // the hidden item still answers its key while its menu is enabled.
    auto* f9 = new QShortcut(IC8211->shortcut(), this);
    f9->setObjectName(QStringLiteral("IC8211Shortcut"));
    connect(f9, &QShortcut::activated, this, [this] {
        if (Radio1->isEnabled())
            IC8211Click();
    });

    Window1 = MainMenu1->addMenu(QStringLiteral("&Window"));
    Tile1 =
        action(Window1, QStringLiteral("Tile"), QKeySequence(Qt::CTRL | Qt::Key_F1), &TMainFORM::Tile1Click);
    Cascade1 = action(Window1, QStringLiteral("Cascade"), QKeySequence(Qt::CTRL | Qt::Key_F2),
                      &TMainFORM::Cascade1Click);
    connect(Window1, &QMenu::aboutToShow, this, &TMainFORM::fillWindowMenu);

    Help1 = MainMenu1->addMenu(QStringLiteral("&Help"));
    About1 = action(Help1, QStringLiteral("&About"), {}, &TMainFORM::About1Click);
    Disclaimer1 = action(Help1, QStringLiteral("Disclaimer"), {}, &TMainFORM::Disclaimer1Click);
    Help2 = action(Help1, QStringLiteral("Help Topics"), {}, &TMainFORM::Help2Click);
}

void TMainFORM::FormCreate()
{
    deviceList_ = std::make_unique<TDeviceList>();
    DeviceList = deviceList_.get();

    const std::pair<RigModel, QAction*> items[] = {
        {RigModel::IC706, IC7061},
        {RigModel::IC706MKII, IC706MKII1},
        {RigModel::IC756, IC7561},
        {RigModel::IC821, IC821HiRes1},
    };
    for (const auto& [model, item] : items) {
        const QString path = files_.findLibrary(panelLibraryName(model));
        libraryPaths_[static_cast<int>(model)] = path;
        item->setEnabled(!path.isEmpty());
    }
}

void TMainFORM::fillWindowMenu()
{
    // The menu keeps its two arrange items; the open children's captions follow.
    const QList<QAction*> actions = Window1->actions();
    for (QAction* a : actions) {
        if (a != Tile1 && a != Cascade1)
            Window1->removeAction(a), a->deleteLater();
    }
    const QList<QMdiSubWindow*> windows = area_->subWindowList(QMdiArea::CreationOrder);
    if (windows.isEmpty())
        return;
    Window1->addSeparator();
    int n = 1;
    for (QMdiSubWindow* sub : windows) {
        QString caption = sub->widget() ? sub->widget()->windowTitle() : sub->windowTitle();
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* a = Window1->addAction(n <= 9 ? QStringLiteral("&%1 %2").arg(n).arg(caption) : caption);
        a->setCheckable(true);
        a->setChecked(sub == area_->activeSubWindow());
        connect(a, &QAction::triggered, sub, [this, sub] {
            if (sub->isMinimized())
                sub->showNormal();
            area_->setActiveSubWindow(sub);
        });
        ++n;
    }
}

void TMainFORM::openPanel(RigModel model)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QWidget* panel = createRadioPanel(model, this, libraryPath(model));
    QApplication::restoreOverrideCursor();
    // An item enabled by its library whose panel this program does not have.
    if (!panel)
        Modal::error(notAvailableText(modelName(model)));
}

QString notAvailableText(const QString& what)
{
    return QStringLiteral("The window for %1 is not part of this version of the program.").arg(what);
}

void TMainFORM::AddDevice1Click() { addDeviceFlow(this); }

void TMainFORM::IC7061Click() { openPanel(RigModel::IC706); }

void TMainFORM::IC706MKII1Click() { openPanel(RigModel::IC706MKII); }

void TMainFORM::IC7561Click() { openPanel(RigModel::IC756); }

void TMainFORM::IC821HiRes1Click() { openPanel(RigModel::IC821); }

void TMainFORM::IC8211Click()
{
    if (!createTextPanel821(this))
        Modal::error(notAvailableText(QStringLiteral("IC-821 (Text)")));
}

void TMainFORM::Tile1Click() { tileStacked(area_); }

void TMainFORM::Cascade1Click() { cascadeAtDesignSizes(area_); }

void TMainFORM::About1Click()
{
    if (AboutBox)
        Modal::exec(*AboutBox);
}

void TMainFORM::Disclaimer1Click()
{
    if (DisclaimerFORM)
        Modal::exec(*DisclaimerFORM);
}

QString TMainFORM::helpPath() const { return helpFilePath(files_); }

void TMainFORM::Help2Click() { showHelpContext(this, 10, help_, helpPath()); }
