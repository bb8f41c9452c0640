#include "shell/mainform.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "core/device.h"
#include "core/modal.h"
#include "devices/deviceselectdialog.h"
#include "devices/devicewindow.h"
#include "memory/memoryform.h"
#include "panels/hi_706.h"
#include "panels/hi_706mkii.h"
#include "panels/hi_821.h"
#include "panels/ic821.h"
#include "shell/newdevice.h"
#include "shell/windowarrange.h"
#include "support/findpart.h"
#include "support/modalrecorder.h"
#include "widgets/mdichild.h"

namespace {

using Command = TMainFORM::Command;
using Menu = TMainFORM::Menu;

struct CurrentDir {
    QString saved = QDir::currentPath();
    explicit CurrentDir(const QString& dir) { QDir::setCurrent(dir); }
    ~CurrentDir() { QDir::setCurrent(saved); }
};

void touch(const QString& path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

// A device that takes every frame and never answers.
class QuietDevice : public Tdevice {
public:
    QuietDevice() { Name = QStringLiteral("[Quiet] <Serial>"); }
    void Send(const quint8*, qint32) override {}
};

// Folders to look in that hold nothing.
struct EmptyFolders {
    QTemporaryDir program, library, data, current;
    ProgramFiles files() const { return {program.path(), library.path(), data.path(), current.path()}; }
};

}  // namespace

TEST(MainForm, CaptionsShortcutsAndInitialStates)
{
    const EmptyFolders nowhere;
    TMainFORM form(nowhere.files());
    EXPECT_EQ(form.windowTitle(), "ICOM Tessaline");
    EXPECT_EQ(form.mdiArea()->background().color(), QColor(0x00, 0x80, 0x80));
    ASSERT_NE(DeviceList, nullptr);
    EXPECT_EQ(DeviceList, form.devices());
    EXPECT_EQ(DeviceList->count(), 0);
    EXPECT_TRUE(form.statusBar()->currentMessage().isEmpty());

    QStringList tops;
    for (QAction* a : form.menuBar()->actions())
        tops << a->text();
    EXPECT_EQ(tops, (QStringList{"&Device Setup", "&Radio", "&Window", "&Help"}));

    struct Item {
        QAction* action;
        const char* caption;
        QKeySequence key;
        bool enabled, visible;
    };
    const Item items[] = {
        {form.command(Command::AddDevice), "&Add Device", QKeySequence(Qt::Key_F1), true, true},
        {form.command(Command::RemoveDevice), "Remove Device", QKeySequence(), true, false},
        {form.command(Command::IC706), "IC-706", QKeySequence(Qt::Key_F2), false, true},
        {form.command(Command::IC706MKII), "IC-706MKII", QKeySequence(Qt::Key_F3), false, true},
        {form.command(Command::IC756), "IC-756", QKeySequence(Qt::Key_F4), false, true},
        {form.command(Command::IC821), "IC-821", QKeySequence(Qt::Key_F5), false, true},
        {form.command(Command::IC821Text), "IC-821 (Text)", QKeySequence(Qt::Key_F9), true, false},
        {form.command(Command::Tile), "Tile", QKeySequence(Qt::CTRL | Qt::Key_F1), true, true},
        {form.command(Command::Cascade), "Cascade", QKeySequence(Qt::CTRL | Qt::Key_F2), true, true},
        {form.command(Command::About), "&About", QKeySequence(), true, true},
        {form.command(Command::Disclaimer), "Disclaimer", QKeySequence(), true, true},
        {form.command(Command::HelpTopics), "Help Topics", QKeySequence(), true, true},
    };
    for (const Item& i : items) {
        EXPECT_EQ(i.action->text(), i.caption);
        EXPECT_EQ(i.action->shortcut(), i.key) << i.caption;
        // Qt reports a hidden action as disabled; its state shows in what it answers.
        if (i.visible) {
            EXPECT_EQ(i.action->isEnabled(), i.enabled) << i.caption;
        }
        EXPECT_EQ(i.action->isVisible(), i.visible) << i.caption;
    }
    EXPECT_EQ(form.menu(Menu::Radio)->actions(),
              (QList<QAction*>{form.command(Command::IC706), form.command(Command::IC706MKII),
                               form.command(Command::IC756), form.command(Command::IC821),
                               form.command(Command::IC821Text)}));
}

TEST(MainForm, HelpItemsShowTheirBoxesAndTheDisclaimerKeepsItsEdits)
{
    const EmptyFolders nowhere;
    ModalRecorder modal;
    TMainFORM form(nowhere.files());
    QStringList titles;
    modal.onDialog = [&](QDialog& d) {
        titles << d.windowTitle();
        return int(Modal::Ok);
    };
    form.command(Command::About)->trigger();
    EXPECT_EQ(titles, QStringList{"About"});

    modal.onDialog = [&](QDialog& d) {
        titles << d.windowTitle();
        d.findChild<QPlainTextEdit*>()->setPlainText("edited");
        return int(Modal::Cancel);
    };
    form.command(Command::Disclaimer)->trigger();
    QString shown;
    modal.onDialog = [&](QDialog& d) {
        shown = d.findChild<QPlainTextEdit*>()->toPlainText();
        return int(Modal::Cancel);
    };
    form.command(Command::Disclaimer)->trigger();
    EXPECT_EQ(titles, (QStringList{"About", "Disclaimer"}));
    EXPECT_EQ(shown, "edited");
    EXPECT_EQ(modal.dialogs.size(), 3u);
}

TEST(MainForm, AddDeviceOffersWhatWasEnteredLastTime)
{
    const EmptyFolders nowhere;
    ModalRecorder modal;
    TMainFORM form(nowhere.files());
    modal.onDialog = [](QDialog& d) {
        if (auto* newDevice = dynamic_cast<TNewDeviceFORM*>(&d))
            newDevice->setChoice({QStringLiteral("Relay"), DeviceKind::TcpIp});
        return int(Modal::Ok);
    };
    form.command(Command::AddDevice)->trigger();
    ASSERT_EQ(form.devices()->count(), 1);
    EXPECT_EQ(form.devices()->at(0)->Name, "[Relay] <TCP/IP>");

    NewDeviceChoice offered;
    modal.onDialog = [&](QDialog& d) {
        if (auto* newDevice = dynamic_cast<TNewDeviceFORM*>(&d))
            offered = newDevice->choice();
        return int(Modal::Cancel);
    };
    form.command(Command::AddDevice)->trigger();
    EXPECT_EQ(offered.name, "Relay");
    EXPECT_EQ(offered.kind, DeviceKind::TcpIp);
    EXPECT_EQ(form.devices()->count(), 1);
    EXPECT_TRUE(modal.boxes.empty()) << qPrintable(modal.texts().join(" | "));
}

TEST(MainForm, RadioItemsFollowTheLibrariesFoundAndRememberThePath)
{
    EmptyFolders folders;
    touch(folders.program.filePath("PV756.dll"));
    touch(folders.program.filePath("pv821.dll"));  // wrong case: not the library
    TMainFORM form(folders.files());
    EXPECT_FALSE(form.command(Command::IC706)->isEnabled());
    EXPECT_FALSE(form.command(Command::IC706MKII)->isEnabled());
    EXPECT_TRUE(form.command(Command::IC756)->isEnabled());
    EXPECT_FALSE(form.command(Command::IC821)->isEnabled());
    EXPECT_EQ(form.libraryPath(RigModel::IC756), QDir(folders.program.path()).absoluteFilePath("PV756.dll"));
    EXPECT_TRUE(form.libraryPath(RigModel::IC821).isEmpty());
}

TEST(MainForm, LibrariesAreLookedForBesideTheProgramThenInstalledButNeverInTheCurrentFolder)
{
    // Which folders hold the file, and which one wins.
    struct Case {
        bool program, installed, current;
        const char* found;  // "program", "installed", "current" or "" for none
    };
    const Case cases[] = {
        {true, true, true, "program"},  {false, true, true, "installed"},  {false, false, true, "current"},
        {true, false, true, "program"}, {false, true, false, "installed"}, {false, false, false, ""},
    };
    for (const Case& c : cases) {
        EmptyFolders f;
        const QString where = QStringLiteral("%1%2%3").arg(c.program).arg(c.installed).arg(c.current);
        const std::pair<bool, QString> places[] = {
            {c.program, f.program.path()}, {c.installed, f.library.path()}, {c.current, f.current.path()}};
        const std::pair<bool, QString> dataPlaces[] = {
            {c.program, f.program.path()}, {c.installed, f.data.path()}, {c.current, f.current.path()}};
        for (const auto& [put, dir] : places) {
            if (put)
                touch(QDir(dir).filePath("PV706MKII.dll"));
        }
        for (const auto& [put, dir] : dataPlaces) {
            if (put)
                touch(QDir(dir).filePath("TSLN.HLP"));
        }
        const QString name(c.found);
        // Code is never loaded from the current folder; the help file still is.
        const QString library = name == "current" ? QString() : name;
        const QString libraryDir = library == "program" ? f.program.path() : f.library.path();
        const QString dataDir = name == "program"     ? f.program.path()
                                : name == "installed" ? f.data.path()
                                                      : f.current.path();
        TMainFORM form(f.files());
        EXPECT_EQ(form.command(Command::IC706MKII)->isEnabled(), !library.isEmpty()) << qPrintable(where);
        // The panel loads what the menu found.
        EXPECT_EQ(form.libraryPath(RigModel::IC706MKII),
                  library.isEmpty() ? QString() : QDir(libraryDir).absoluteFilePath("PV706MKII.dll"))
            << qPrintable(where);
        // Help found nowhere is named beside the program, for the operator's message.
        EXPECT_EQ(form.helpPath(), name.isEmpty() ? QDir(f.program.path()).filePath("TSLN.HLP")
                                                  : QDir(dataDir).absoluteFilePath("TSLN.HLP"))
            << qPrintable(where);
    }
}

TEST(MainForm, TheRunningProgramLooksInItsInstalledFoldersRelativeToItself)
{
    QTemporaryDir cwd;
    CurrentDir cd(cwd.path());
    const ProgramFiles files = ProgramFiles::running();
    const QDir program(QCoreApplication::applicationDirPath());
    EXPECT_EQ(files.libraryFolders(),
              (QStringList{program.path(), QDir::cleanPath(program.filePath("../lib/tessaline/art"))}));
    EXPECT_EQ(files.dataFolders(),
              (QStringList{program.path(), QDir::cleanPath(program.filePath("../share/tessaline")),
                           QDir::currentPath()}));
    EXPECT_EQ(panelLibraryName(RigModel::IC706MKII), "PV706MKII.dll");
}

TEST(MainForm, AnArtFolderNamedByTheOperatorIsLookedInFirst)
{
    EmptyFolders f;
    QTemporaryDir art;
    touch(QDir(art.path()).filePath("PV756.dll"));
    touch(f.program.filePath("PV756.dll"));
    touch(f.program.filePath("PV821.dll"));
    const ProgramFiles files(f.program.path(), f.library.path(), f.data.path(), f.current.path(), art.path());
    EXPECT_EQ(files.libraryFolders(), (QStringList{art.path(), f.program.path(), f.library.path()}));
    EXPECT_EQ(files.findLibrary("PV756.dll"), QDir(art.path()).absoluteFilePath("PV756.dll"));
    EXPECT_EQ(files.findLibrary("PV821.dll"), QDir(f.program.path()).absoluteFilePath("PV821.dll"));

    // The running program's folders take it from the command line.
    QTemporaryDir cwd;
    CurrentDir cd(cwd.path());
    ProgramFiles::setArtDir(QStringLiteral("art"));
    EXPECT_EQ(ProgramFiles::running().libraryFolders().first(), QDir(cwd.path()).absoluteFilePath("art"));
    ProgramFiles::setArtDir(QString());
    EXPECT_EQ(ProgramFiles::running().libraryFolders().size(), 2);
}

TEST(MainForm, HiddenTextItemAnswersF9AndDisabledItemsIgnoreTheirKeys)
{
    const EmptyFolders nowhere;
    ModalRecorder modal;
    TMainFORM form(nowhere.files());
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.activateWindow();
    auto* shortcut = form.findChild<QShortcut*>("textPanel821Shortcut");
    ASSERT_NE(shortcut, nullptr);
    EXPECT_EQ(shortcut->key(), QKeySequence(Qt::Key_F9));
    QSignalSpy f1(form.command(Command::AddDevice), &QAction::triggered);
    form.devices()->append(std::make_unique<QuietDevice>());
    modal.onDialog = [](QDialog& d) {
        if (auto* select = qobject_cast<TDSelFORM*>(&d))
            select->FormActivate();
        // F1 asks for a new device; none is added here.
        return dynamic_cast<TNewDeviceFORM*>(&d) ? int(Modal::Cancel) : int(Modal::Ok);
    };
    auto textWindows = [&] {
        int n = 0;
        for (QMdiSubWindow* sub : form.mdiArea()->subWindowList())
            n += qobject_cast<TIC821FORM*>(sub->widget()) != nullptr;
        return n;
    };
    QTest::keyClick(&form, Qt::Key_F9);
    EXPECT_EQ(textWindows(), 1);
    // Every F9 opens a further window.
    QTest::keyClick(&form, Qt::Key_F9);
    EXPECT_EQ(textWindows(), 2);
    EXPECT_TRUE(modal.boxes.empty()) << modal.texts().join('\n').toStdString();

    // A disabled item's key does nothing at all.
    ASSERT_FALSE(form.command(Command::IC706)->isEnabled());
    QTest::keyClick(&form, Qt::Key_F2);
    EXPECT_TRUE(modal.boxes.empty());
    // The two text windows and their two memory windows.
    EXPECT_EQ(form.mdiArea()->subWindowList().size(), 4);

    // With the Radio menu disabled, F9 is silent too.
    form.menu(Menu::Radio)->setEnabled(false);
    QTest::keyClick(&form, Qt::Key_F9);
    EXPECT_EQ(textWindows(), 2);
    EXPECT_TRUE(modal.boxes.empty());

    QTest::keyClick(&form, Qt::Key_F1);
    EXPECT_EQ(f1.count(), 1);
    ASSERT_FALSE(modal.dialogs.empty());
    EXPECT_NE(dynamic_cast<TNewDeviceFORM*>(modal.dialogs.back()), nullptr);
    form.mdiArea()->closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(MainForm, TheTextWindowLendsItsItemsToTheMenuWhileCurrent)
{
    TMainFORM form;
    form.devices()->append(std::make_unique<QuietDevice>());
    ModalRecorder modal;
    modal.onDialog = [](QDialog& d) {
        if (auto* select = qobject_cast<TDSelFORM*>(&d))
            select->FormActivate();
        return int(Modal::Ok);
    };
    auto captions = [&] {
        QStringList out;
        for (QAction* a : form.menuBar()->actions())
            out << a->text();
        return out;
    };
    const QStringList frameOnly = {"&Device Setup", "&Radio", "&Window", "&Help"};
    EXPECT_EQ(captions(), frameOnly);
    emit part<QShortcut>(form, "textPanel821Shortcut")->activated();
    EXPECT_EQ(captions(), (frameOnly + QStringList{"&Configuration", "&Memory"}));
    auto* other = new QWidget;
    other->setWindowTitle("[Shack] <Serial>");
    QMdiSubWindow* otherSub = form.mdiArea()->addSubWindow(other);
    otherSub->show();
    form.mdiArea()->setActiveSubWindow(otherSub);
    EXPECT_EQ(captions(), frameOnly);
    // Back to the text window (its memory window opened with it, in between).
    QMdiSubWindow* textSub = mdiWindowOf(form.findChild<TIC821FORM*>());
    ASSERT_NE(textSub, nullptr);
    form.mdiArea()->setActiveSubWindow(textSub);
    EXPECT_EQ(captions(), (frameOnly + QStringList{"&Configuration", "&Memory"}));
    form.mdiArea()->currentSubWindow()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(captions(), frameOnly);
}

TEST(MainForm, F5OpensAFurtherIndependentIc821PanelOnEveryPress)
{
    QTemporaryDir empty;
    CurrentDir cd(empty.path());
    if (!QFile::exists(QCoreApplication::applicationDirPath() + "/PV821.dll"))
        GTEST_SKIP() << "PV821.dll is not beside the tests";
    ModalRecorder modal;
    modal.onDialog = [](QDialog& d) {
        if (auto* select = qobject_cast<TDSelFORM*>(&d))
            select->FormActivate();
        return int(Modal::Ok);
    };
    {
        TMainFORM form;
        form.devices()->append(std::make_unique<QuietDevice>());
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        ASSERT_TRUE(form.command(Command::IC821)->isEnabled());
        QTest::keyClick(&form, Qt::Key_F5);
        form.command(Command::IC821)->trigger();
        const QList<THi_821FORM*> panels = form.findChildren<THi_821FORM*>();
        ASSERT_EQ(panels.size(), 2);
        EXPECT_NE(panels[0]->engine(), panels[1]->engine());
        EXPECT_NE(panels[0]->memoryWindow(), panels[1]->memoryWindow());
        // Download asks for none of the radio's memories beyond 80.
        EXPECT_EQ(panels[0]->memoryWindow()->radioMemories(), 80);
        EXPECT_EQ(form.devices()->at(0)->HandlerCount(), 2);
        // Two panels and their two memory windows.
        EXPECT_EQ(form.mdiArea()->subWindowList().size(), 4);
        EXPECT_TRUE(modal.boxes.empty()) << qPrintable(modal.texts().join(" | "));
    }
}

TEST(MainForm, TheFrameStaysResizableWithAMaximisedPanelInIt)
{
    QTemporaryDir empty;
    CurrentDir cd(empty.path());
    if (!QFile::exists(QCoreApplication::applicationDirPath() + "/PV756.dll"))
        GTEST_SKIP() << "PV756.dll is not beside the tests";
    ModalRecorder modal;
    modal.onDialog = [](QDialog& d) {
        if (auto* select = qobject_cast<TDSelFORM*>(&d))
            select->FormActivate();
        return int(Modal::Ok);
    };
    TMainFORM form;
    form.devices()->append(std::make_unique<QuietDevice>());
    form.resize(1066, 800);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.command(Command::IC756)->trigger();
    ASSERT_NE(form.mdiArea()->activeSubWindow(), nullptr);
    // The panel, and its memory window, are larger than a small screen.
    form.mdiArea()->activeSubWindow()->showMaximized();
    QCoreApplication::processEvents();
    const QSize small(640, 480);
    EXPECT_LE(form.minimumSizeHint().width(), small.width());
    EXPECT_LE(form.minimumSizeHint().height(), small.height());
    EXPECT_LE(form.minimumWidth(), small.width());
    EXPECT_LE(form.minimumHeight(), small.height());
    form.resize(small);
    QCoreApplication::processEvents();
    EXPECT_EQ(form.size(), small);
    EXPECT_TRUE(form.maximumSize().width() >= 4000 && form.maximumSize().height() >= 4000);
    EXPECT_TRUE(modal.boxes.empty()) << qPrintable(modal.texts().join(" | "));
}

TEST(MainForm, F2AndF3OpenFurtherIc706AndIc706MkiiPanels)
{
    QTemporaryDir empty;
    CurrentDir cd(empty.path());
    for (const char* file : {"/PV706.dll", "/PV706MKII.dll"}) {
        if (!QFile::exists(QCoreApplication::applicationDirPath() + file))
            GTEST_SKIP() << file << " is not beside the tests";
    }
    ModalRecorder modal;
    modal.onDialog = [](QDialog& d) {
        if (auto* select = qobject_cast<TDSelFORM*>(&d))
            select->FormActivate();
        return int(Modal::Ok);
    };
    {
        TMainFORM form;
        form.devices()->append(std::make_unique<QuietDevice>());
        form.resize(1000, 800);
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        // The MKII opens at its design size, the IC-706 maximised.
        QTest::keyClick(&form, Qt::Key_F3);
        form.command(Command::IC706MKII)->trigger();
        const QList<THi_706MKIIFORM*> mkii = form.findChildren<THi_706MKIIFORM*>();
        ASSERT_EQ(mkii.size(), 2);
        for (THi_706MKIIFORM* p : mkii) {
            EXPECT_FALSE(mdiWindowOf(p)->isMaximized());
            EXPECT_EQ(p->size(), QSize(789, 584));
        }
        QTest::keyClick(&form, Qt::Key_F2);
        form.command(Command::IC706)->trigger();
        const QList<THi_706FORM*> all = form.findChildren<THi_706FORM*>();
        ASSERT_EQ(all.size(), 4);
        EXPECT_TRUE(form.mdiArea()->activeSubWindow()->isMaximized());
        EXPECT_NE(mkii[0]->engine(), mkii[1]->engine());
        for (THi_706FORM* p : all)
            EXPECT_EQ(p->memoryWindow()->radioMemories(), 99);
        EXPECT_EQ(form.devices()->at(0)->HandlerCount(), 4);
        // Four panels and their four memory windows.
        EXPECT_EQ(form.mdiArea()->subWindowList().size(), 8);
        EXPECT_TRUE(modal.boxes.empty()) << qPrintable(modal.texts().join(" | "));
    }
}

TEST(MainForm, TheIc706ItemsOpenTheirPanelsWhichNameALibraryThatCannotBeLoaded)
{
    EmptyFolders folders;
    touch(folders.program.filePath("PV706.dll"));
    touch(folders.program.filePath("PV706MKII.dll"));
    ModalRecorder modal;
    TMainFORM form(folders.files());
    ASSERT_TRUE(form.command(Command::IC706)->isEnabled());
    ASSERT_TRUE(form.command(Command::IC706MKII)->isEnabled());
    form.command(Command::IC706)->trigger();
    form.command(Command::IC706MKII)->trigger();
    EXPECT_EQ(modal.texts(),
              (QStringList{"PV706.DLL Could Not be Found!", "PV706MKII.DLL Could Not be Found!"}));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form.mdiArea()->subWindowList().isEmpty());
}

TEST(MainForm, WindowMenuListsTheChildrenCaptions)
{
    TMainFORM form;
    auto* a = new QWidget;
    a->setWindowTitle("[Shack] <Serial>");
    auto* b = new QWidget;
    b->setWindowTitle("IC756 on device [Shack] <Serial>");
    form.mdiArea()->addSubWindow(a)->show();
    form.mdiArea()->addSubWindow(b)->show();
    emit form.menu(Menu::Window)->aboutToShow();
    QStringList captions;
    for (QAction* act : form.menu(Menu::Window)->actions())
        if (!act->isSeparator())
            captions << act->text();
    EXPECT_EQ(captions,
              (QStringList{"Tile", "Cascade", "&1 [Shack] <Serial>", "&2 IC756 on device [Shack] <Serial>"}));
    emit form.menu(Menu::Window)->aboutToShow();  // rebuilt, not appended twice
    EXPECT_EQ(form.menu(Menu::Window)->actions().size(), 5);
}

TEST(MainForm, QuittingOffersUnsavedMemoryListsForSaving)
{
    ModalRecorder modal;
    TMainFORM form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    auto* panel = new QWidget;
    panel->setWindowTitle("IC756 on device [Sim] <TCP/IP>");
    showAsMdiChild(&form, panel);
    auto* clean = new QWidget;
    showAsMdiChild(&form, clean);
    (new TMemoryFORM(clean))->ShowWindow();
    auto* memory = new TMemoryFORM(panel);
    memory->ShowWindow();

    // Nothing changed: no question.
    modal.answers = {Modal::Cancel};
    memory->SetNumofMemories(3);
    EXPECT_TRUE(form.close());
    EXPECT_TRUE(modal.boxes.empty());

    form.show();
    memory->SGMemoryInsert();
    EXPECT_FALSE(form.close());
    EXPECT_TRUE(form.isVisible());
    ASSERT_EQ(modal.texts(),
              QStringList{"Save changes to the memory list of IC756 on device [Sim] <TCP/IP>?"});

    modal.answers = {Modal::Discard};
    EXPECT_TRUE(form.close());
    EXPECT_EQ(modal.boxes.size(), 2u);
}
