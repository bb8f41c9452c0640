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
#include "devices/comportdialog.h"
#include "memory/memoryform.h"
#include "shell/about.h"
#include "shell/adddevice.h"
#include "shell/disclaimer.h"
#include "shell/findradios.h"
#include "shell/helpviewer.h"
#include "shell/netcontrol.h"
#include "shell/newdevice.h"
#include "shell/panelfactory.h"
#include "shell/windowarrange.h"
#include "widgets/menumerge.h"

namespace {

// The model as the Radio menu names it, "IC-756".
QString modelName(RigModel model) { return QString::fromLatin1(rigModelInfo(model).name); }

// The Radio items of the graphical panels, in menu order.
constexpr std::pair<RigModel, TMainFORM::Command> PanelItems[] = {
    {RigModel::IC706, TMainFORM::Command::IC706},
    {RigModel::IC706MKII, TMainFORM::Command::IC706MKII},
    {RigModel::IC756, TMainFORM::Command::IC756},
    {RigModel::IC821, TMainFORM::Command::IC821},
};

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
    new MenuMerger(menuBar(), area_);
    auto* status = new QStatusBar(this);
    status->setSizeGripEnabled(true);
    setStatusBar(status);
    deviceList_ = std::make_unique<TDeviceList>();
    DeviceList = deviceList_.get();
    newDevice_ = new TNewDeviceFORM(this);
    comPort_ = new TComPortFORM(this);
    findLibraries();
}

TMainFORM::~TMainFORM()
{
    // Panels unregister from their devices as they close, so the windows go
    // before the devices do.
    TDeviceList* mine = deviceList_.get();
    delete area_;
    area_ = nullptr;
    // The network server has a session on a device too.
    delete netControl_;
    netControl_ = nullptr;
    // So does a search for radios, while it runs.
    delete findRadios_;
    findRadios_ = nullptr;
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

void TMainFORM::showNetworkControl()
{
    if (!netControl_)
        netControl_ = new NetControlForm(this);
    netControl_->refreshDevices();
    netControl_->show();
    netControl_->raise();
    netControl_->activateWindow();
}

void TMainFORM::showFindRadios()
{
    if (!findRadios_) {
        findRadios_ = new FindRadiosForm(
            [this](RigModel model, bool text, const DeviceChoice& choice) {
                // A panel whose library is missing says so, as from the Radio menu.
                if (text)
                    createTextPanel821(this, choice);
                else
                    createRadioPanel(model, this, libraryPath(model), choice);
            },
            this);
    }
    findRadios_->refreshDevices();
    findRadios_->show();
    findRadios_->raise();
    findRadios_->activateWindow();
}

void TMainFORM::buildMenus()
{
    auto add = [this](Menu which, const QString& caption, const char* name) {
        QMenu* m = menuBar()->addMenu(caption);
        m->setObjectName(QString::fromLatin1(name));
        menus_[static_cast<int>(which)] = m;
        return m;
    };
    auto item = [this](Menu where, Command which, const QString& caption, const QKeySequence& key,
                       void (TMainFORM::*handler)()) {
        QAction* a = menu(where)->addAction(caption);
        if (!key.isEmpty())
            a->setShortcut(key);
        if (handler)
            connect(a, &QAction::triggered, this, handler);
        commands_[static_cast<int>(which)] = a;
        return a;
    };

    add(Menu::DeviceSetup, QStringLiteral("&Device Setup"), "deviceSetupMenu");
    item(Menu::DeviceSetup, Command::AddDevice, QStringLiteral("&Add Device"), Qt::Key_F1,
         &TMainFORM::addDevice);
    item(Menu::DeviceSetup, Command::RemoveDevice, QStringLiteral("Remove Device"), {}, nullptr)
        ->setVisible(false);
    item(Menu::DeviceSetup, Command::NetworkControl, QStringLiteral("Network Control..."), {},
         &TMainFORM::showNetworkControl);
    item(Menu::DeviceSetup, Command::FindRadios, QStringLiteral("Find Radios..."), {},
         &TMainFORM::showFindRadios);

    add(Menu::Radio, QStringLiteral("&Radio"), "radioMenu");
    buildRadioMenu();

    add(Menu::Window, QStringLiteral("&Window"), "windowMenu");
    item(Menu::Window, Command::Tile, QStringLiteral("Tile"), QKeySequence(Qt::CTRL | Qt::Key_F1), nullptr);
    item(Menu::Window, Command::Cascade, QStringLiteral("Cascade"), QKeySequence(Qt::CTRL | Qt::Key_F2),
         nullptr);
    connect(command(Command::Tile), &QAction::triggered, this, [this] { tileStacked(area_); });
    connect(command(Command::Cascade), &QAction::triggered, this, [this] { cascadeAtDesignSizes(area_); });
    connect(menu(Menu::Window), &QMenu::aboutToShow, this, &TMainFORM::fillWindowMenu);

    add(Menu::Help, QStringLiteral("&Help"), "helpMenu");
    item(Menu::Help, Command::About, QStringLiteral("&About"), {}, &TMainFORM::showAbout);
    item(Menu::Help, Command::Disclaimer, QStringLiteral("Disclaimer"), {}, &TMainFORM::showDisclaimer);
    item(Menu::Help, Command::HelpTopics, QStringLiteral("Help Topics"), {}, &TMainFORM::showHelp);
}

void TMainFORM::buildRadioMenu()
{
    QMenu* radio = menu(Menu::Radio);
    const Qt::Key keys[] = {Qt::Key_F2, Qt::Key_F3, Qt::Key_F4, Qt::Key_F5};
    int n = 0;
    for (const auto& item : PanelItems) {
        const RigModel model = item.first;
        QAction* a = radio->addAction(modelName(model));
        a->setShortcut(keys[n++]);
        // Enabled once its library is found.
        a->setEnabled(false);
        connect(a, &QAction::triggered, this, [this, model] { openPanel(model); });
        commands_[static_cast<int>(item.second)] = a;
    }
    QAction* text = radio->addAction(QStringLiteral("IC-821 (Text)"));
    text->setShortcut(Qt::Key_F9);
    connect(text, &QAction::triggered, this, &TMainFORM::openTextPanel821);
    text->setVisible(false);
    commands_[static_cast<int>(Command::IC821Text)] = text;
    // Qt neither fires the short-cut of a hidden action nor lets it be triggered;
    // the hidden item still answers its key while its menu is enabled.
    auto* f9 = new QShortcut(text->shortcut(), this);
    f9->setObjectName(QStringLiteral("textPanel821Shortcut"));
    connect(f9, &QShortcut::activated, this, [this] {
        if (menu(Menu::Radio)->isEnabled())
            openTextPanel821();
    });
}

void TMainFORM::findLibraries()
{
    for (const auto& [model, which] : PanelItems) {
        const QString path = files_.findLibrary(panelLibraryName(model));
        libraryPaths_[static_cast<int>(model)] = path;
        command(which)->setEnabled(!path.isEmpty());
    }
}

void TMainFORM::fillWindowMenu()
{
    // The menu keeps its two arrange items; the open children's captions follow.
    QMenu* windows = menu(Menu::Window);
    const QList<QAction*> actions = windows->actions();
    for (QAction* a : actions) {
        if (a != command(Command::Tile) && a != command(Command::Cascade))
            windows->removeAction(a), a->deleteLater();
    }
    const QList<QMdiSubWindow*> children = area_->subWindowList(QMdiArea::CreationOrder);
    if (children.isEmpty())
        return;
    windows->addSeparator();
    int n = 1;
    for (QMdiSubWindow* sub : children) {
        QString caption = sub->widget() ? sub->widget()->windowTitle() : sub->windowTitle();
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* a = windows->addAction(n <= 9 ? QStringLiteral("&%1 %2").arg(n).arg(caption) : caption);
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

void TMainFORM::addDevice() { AddDevice(this, *newDevice_, *comPort_); }

void TMainFORM::openTextPanel821()
{
    if (!createTextPanel821(this))
        Modal::error(notAvailableText(QStringLiteral("IC-821 (Text)")));
}

void TMainFORM::showAbout()
{
    TAboutBox box(this);
    Modal::exec(box);
}

void TMainFORM::showDisclaimer()
{
    if (!disclaimer_)
        disclaimer_ = new TDisclaimerFORM(this);
    Modal::exec(*disclaimer_);
}

QString TMainFORM::helpPath() const { return helpFilePath(files_); }

void TMainFORM::showHelp() { showHelpContext(this, 10, help_, helpPath()); }
