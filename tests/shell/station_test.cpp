// The station from one run to the next: radio windows remembered in the settings
// file and reopened on their devices at the next start, and what is skipped.
#include "shell/station.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <memory>

#include "civ/civ.h"
#include "civ/models.h"
#include "core/device.h"
#include "devices/device_tcpip.h"
#include "devices/deviceselectdialog.h"
#include "devices/tcpipwindow.h"
#include "memory/memoryform.h"
#include "panels/graphicalpanel.h"
#include "panels/ic821.h"
#include "relaydevice.h"
#include "shell/mainform.h"
#include "shell/newdevice.h"
#include "shell/session.h"
#include "shell/startup.h"
#include "sim/simulator.h"
#include "sim/tcprelay.h"
#include "support/findpart.h"
#include "support/freeport.h"
#include "support/modalrecorder.h"
#include "support/waitfor.h"
#include "widgets/mdichild.h"

// Failures show the entries, not their bytes.
void PrintTo(const RememberedRadio& r, std::ostream* os)
{
    const auto rect = [](const QRect& q) {
        return QStringLiteral("(%1,%2 %3x%4)").arg(q.x()).arg(q.y()).arg(q.width()).arg(q.height());
    };
    *os << qPrintable(QStringLiteral("{%1 %2 on %3 #%4 at %5 place %6 max %7 min %8 memory %9 %10 snoop %11}")
                          .arg(r.window)
                          .arg(rigModelInfo(r.model).name)
                          .arg(r.device)
                          .arg(r.deviceNumber)
                          .arg(r.address, 0, 16)
                          .arg(rect(r.place))
                          .arg(r.maximized)
                          .arg(r.minimized)
                          .arg(r.memory)
                          .arg(rect(r.memoryPlace))
                          .arg(r.snoop));
}

namespace {

struct StationRun {
    std::unique_ptr<TMainFORM> frame;
    explicit StationRun(std::unique_ptr<TMainFORM> f = createSharedWindows()) : frame(std::move(f)) {}
    ~StationRun()
    {
        frame.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // The radio windows and their memory windows in the order they were opened.
    QList<QWidget*> radioWindows() const
    {
        QList<QWidget*> windows;
        for (QMdiSubWindow* sub : frame->mdiArea()->subWindowList(QMdiArea::CreationOrder)) {
            if (qobject_cast<GraphicalPanel*>(sub->widget()) || qobject_cast<TIC821FORM*>(sub->widget()))
                windows << sub->widget();
        }
        return windows;
    }
    bool restored() const
    {
        const auto* keeper = frame->findChild<StationKeeper*>();
        return keeper && !keeper->restoring();
    }
};

// Add Device, a relay connected to the simulator.
void addRelay(ModalRecorder& modal, TMainFORM& frame, const QString& name, const Simulator& sim)
{
    modal.onDialog = [&](QDialog& d) {
        if (auto* newDevice = dynamic_cast<TNewDeviceFORM*>(&d))
            newDevice->setChoice({name, DeviceKind::TcpIp});
        return Modal::Ok;
    };
    connectRelay(frame, sim.tcp()->port());
}

// A Radio menu item, answering Device Select with the device and address.
QWidget* openByHand(ModalRecorder& modal, StationRun& run, TMainFORM::Command item, int device,
                    const QString& address)
{
    modal.onDialog = [&](QDialog& d) {
        if (auto* select = qobject_cast<TDSelFORM*>(&d)) {
            select->FormActivate();
            select->setDeviceIndex(device);
            select->setAddressText(address);
        }
        return Modal::Ok;
    };
    const qsizetype before = run.radioWindows().size();
    run.frame->command(item)->trigger();
    return run.radioWindows().size() > before ? run.radioWindows().last() : nullptr;
}

QStringList programLines(const std::string& text)
{
    return QString::fromStdString(text)
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
        .filter(QRegularExpression("^tsln"));
}

bool hasRead(QWidget* window)
{
    if (auto* panel = qobject_cast<GraphicalPanel*>(window))
        return panel->view().mainText.size() == 11 && panel->engine()->Queue().empty();
    auto* text = qobject_cast<TIC821FORM*>(window);
    return text && text->engine()->Queue().empty() && text->engine()->Freq().size() == 11;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

RememberedRadio radio(RememberedRadio::Window window, RigModel model, const QString& device, int address)
{
    RememberedRadio r;
    r.window = window;
    r.model = model;
    r.device = device;
    r.deviceNumber = 1;
    r.address = address;
    return r;
}

}  // namespace

TEST(StationStore, RadioWindowsAreWrittenAndReadBackAndBadEntriesSkippedWithTheirReasons)
{
    QTemporaryDir dir;
    RememberedSession session;
    session.radios = {radio(RememberedRadio::Panel, RigModel::IC756, "[Sim] <TCP/IP>", 0x50),
                      radio(RememberedRadio::Text821, RigModel::IC821, "[Pi] <TCP/IP>", 0x4C),
                      radio(RememberedRadio::Panel, RigModel::IC706MKII, "[Sim] <TCP/IP>", 0x4E)};
    session.radios[0].place = QRect(10, 20, 700, 500);
    session.radios[0].snoop = true;
    session.radios[0].memory = RememberedRadio::MemoryMinimized;
    session.radios[1].memory = RememberedRadio::MemoryNormal;
    session.radios[1].memoryPlace = QRect(5, 6, 569, 401);
    session.radios[2].maximized = true;
    {
        QSettings settings(dir.filePath("tsln.conf"), QSettings::IniFormat);
        writeSession(settings, session);
    }
    QSettings settings(dir.filePath("tsln.conf"), QSettings::IniFormat);
    QStringList problems;
    EXPECT_EQ(readSession(settings, &problems), session);
    EXPECT_TRUE(problems.isEmpty()) << qPrintable(problems.join('\n'));

    writeFile(dir.filePath("bad.conf"),
              "[radios]\n"
              "1\\model=IC-999\n1\\device=A\n1\\address=50\n"
              "2\\model=IC-756\n2\\address=50\n"
              "3\\model=IC-756\n3\\device=A\n3\\address=5000\n"
              "4\\window=text\n4\\model=IC-756\n4\\device=A\n4\\address=4C\n"
              "5\\window=popup\n5\\model=IC-756\n5\\device=A\n5\\address=50\n"
              "6\\model=IC-821\n6\\device=A\n6\\address=4c\n6\\place=nowhere\n"
              "6\\memory=sideways\n6\\snoop=perhaps\n");
    QSettings bad(dir.filePath("bad.conf"), QSettings::IniFormat);
    problems.clear();
    const RememberedSession read = readSession(bad, &problems);
    // What cannot be read of a usable entry costs only that: default places and states.
    ASSERT_EQ(read.radios.size(), 1);
    RememberedRadio expected = radio(RememberedRadio::Panel, RigModel::IC821, "A", 0x4C);
    expected.deviceNumber = 0;
    EXPECT_EQ(read.radios[0], expected);
    EXPECT_EQ(problems,
              (QStringList{
                  "remembered radio window 1 skipped: unknown model 'IC-999'",
                  "remembered radio window 2 skipped: no device",
                  "remembered radio window 3 skipped: address '5000' is not one byte in hexadecimal",
                  "remembered radio window 4 skipped: unknown model 'IC-756'",
                  "remembered radio window 5 skipped: unknown window 'popup'",
              }));
}

TEST(Station, TwoPanelsAndAnIc821WindowComeBackOnTheirDevicesWithTheirPlaces)
{
    const std::unique_ptr<Simulator> sim = startRelaySimulator();
    QTemporaryDir dir;
    QSettings settings(dir.filePath("tsln.conf"), QSettings::IniFormat);
    ModalRecorder modal;
    QList<RememberedRadio> before;
    {
        StationRun run;
        startSession(*run.frame, settings);
        if (run.frame->libraryPath(RigModel::IC756).isEmpty() ||
            run.frame->libraryPath(RigModel::IC706MKII).isEmpty())
            GTEST_SKIP() << "the panel-art libraries are not beside the tests";
        run.frame->showNormal();
        run.frame->resize(1300, 1000);
        addRelay(modal, *run.frame, "Sim", *sim);
        addRelay(modal, *run.frame, "Other", *sim);
        QWidget* p756 = openByHand(modal, run, TMainFORM::Command::IC756, 0, "50");
        QWidget* p706 = openByHand(modal, run, TMainFORM::Command::IC706MKII, 1, "48");
        QWidget* text = openByHand(modal, run, TMainFORM::Command::IC821Text, 1, "");
        ASSERT_TRUE(p756 && p706 && text);
        for (QWidget* w : {p756, p706, text})
            ASSERT_TRUE(waitFor([&] { return hasRead(w); }, 20000)) << qPrintable(w->windowTitle());
        // Written as the windows open, before the run ends.
        EXPECT_TRUE(waitFor(
            [&] {
                QSettings now(dir.filePath("tsln.conf"), QSettings::IniFormat);
                QStringList problems;
                return readSession(now, &problems).radios.size() == 3;
            },
            5000));
        auto* panel756 = qobject_cast<GraphicalPanel*>(p756);
        panel756->controls().CBSnoop->setChecked(true);
        panel756->memoryWindow()->close();  // an icon
        auto* panel706 = qobject_cast<GraphicalPanel*>(p706);
        mdiWindowOf(panel706->memoryWindow())->showNormal();
        mdiWindowOf(panel706->memoryWindow())->setGeometry(QRect(400, 300, 600, 420));
        mdiWindowOf(p756)->showNormal();
        mdiWindowOf(p756)->setGeometry(QRect(QPoint(20, 30), mdiWindowOf(p756)->size() + QSize(10, 5)));
        mdiWindowOf(p706)->showNormal();
        mdiWindowOf(p706)->move(60, 250);
        mdiWindowOf(text)->move(300, 500);
        before = captureRadios(*run.frame);
        endSession(*run.frame, settings);
    }
    ASSERT_EQ(before.size(), 3);
    EXPECT_EQ(before[0].address, 0x50);
    EXPECT_EQ(before[1].device, "[Other] <TCP/IP>");
    EXPECT_EQ(before[2].window, RememberedRadio::Text821);

    StationRun run;
    testing::internal::CaptureStderr();
    startSession(*run.frame, settings);
    ASSERT_TRUE(waitFor([&] { return run.restored(); }, 20000));
    EXPECT_TRUE(programLines(testing::internal::GetCapturedStderr()).isEmpty());
    const QList<QWidget*> windows = run.radioWindows();
    ASSERT_EQ(windows.size(), 3);
    EXPECT_EQ(windows[0]->windowTitle(), "IC756 on device [Sim] <TCP/IP>");
    EXPECT_EQ(windows[1]->windowTitle(), "IC706MKII on device [Other] <TCP/IP>");
    EXPECT_EQ(windows[2]->windowTitle(), "IC821 on device [Other] <TCP/IP>");
    EXPECT_EQ(part<QLineEdit>(windows[2], "EAddress")->text(), "76");
    // Each reads its radio as when opened by hand.
    for (QWidget* w : windows)
        EXPECT_TRUE(waitFor([&] { return hasRead(w); }, 20000)) << qPrintable(w->windowTitle());
    EXPECT_EQ(captureRadios(*run.frame), before);
    EXPECT_TRUE(qobject_cast<GraphicalPanel*>(windows[0])->controls().MSnoop->isVisibleTo(windows[0]));
    EXPECT_TRUE(modal.boxes.empty()) << qPrintable(modal.texts().join(" | "));
}

TEST(Station, AMissingDeviceOrLibraryIsSkippedWithItsLineAndNoRestoreReopensNothing)
{
    QTemporaryDir dir, noArt;
    const QByteArray file =
        "[devices]\n1\\name=[A] <TCP/IP>\n1\\kind=tcpip\n1\\host=127.0.0.1\n"
        "[radios]\n"
        "1\\model=IC-756\n1\\device=[A] <TCP/IP>\n1\\address=50\n"
        "2\\window=text\n2\\model=IC-821\n2\\device=[Gone] <Serial>\n2\\address=4C\n"
        "3\\window=text\n3\\model=IC-821\n3\\device=[A] <TCP/IP>\n3\\address=4C\n"
        "3\\place=@Rect(30 40 10 10)\n";
    writeFile(dir.filePath("tsln.conf"), file);
    ModalRecorder modal;
    const ProgramFiles withoutArt(noArt.path(), noArt.path(), noArt.path(), noArt.path());
    {
        QSettings settings(dir.filePath("tsln.conf"), QSettings::IniFormat);
        StationRun run(std::make_unique<TMainFORM>(withoutArt));
        testing::internal::CaptureStderr();
        startSession(*run.frame, settings);
        ASSERT_TRUE(waitFor([&] { return run.restored(); }, 20000));
        EXPECT_EQ(
            programLines(testing::internal::GetCapturedStderr()),
            (QStringList{"tsln: settings: remembered IC-756 window on [A] <TCP/IP> skipped: PV756.dll "
                         "not found",
                         "tsln: settings: remembered IC-821 (Text) window on [Gone] <Serial> skipped: no "
                         "such device"}));
        const QList<QWidget*> windows = run.radioWindows();
        ASSERT_EQ(windows.size(), 1);
        EXPECT_EQ(windows[0]->windowTitle(), "IC821 on device [A] <TCP/IP>");
        EXPECT_EQ(mdiWindowOf(windows[0])->pos(), QPoint(30, 40));
        endSession(*run.frame, settings);
    }
    // The panel whose library was missing is remembered for the run that finds it;
    // the window whose device is gone is not.
    QSettings settings(dir.filePath("tsln.conf"), QSettings::IniFormat);
    QStringList problems;
    const QList<RememberedRadio> kept = readSession(settings, &problems).radios;
    ASSERT_EQ(kept.size(), 2);
    EXPECT_EQ(kept[0].window, RememberedRadio::Text821);
    EXPECT_EQ(kept[1].model, RigModel::IC756);

    // tsln --no-restore: the devices come back, no radio window does.
    StationRun run;
    startSession(*run.frame, settings, false);
    ASSERT_TRUE(waitFor([&] { return run.restored(); }, 20000));
    QCoreApplication::processEvents();
    EXPECT_EQ(DeviceList->count(), 1);
    EXPECT_TRUE(run.radioWindows().isEmpty());
}

TEST(Station, AMaximisedPanelComesBackMaximisedAndItsMemoryWindowWhereItWas)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("tsln.conf"),
              "[devices]\n1\\name=[A] <TCP/IP>\n1\\kind=tcpip\n1\\host=127.0.0.1\n"
              "[radios]\n"
              "1\\model=IC-756\n1\\device=[A] <TCP/IP>\n1\\address=5A\n"
              "1\\maximized=true\n1\\memory=normal\n"
              "1\\memoryplace=@Rect(50 60 600 440)\n1\\snoop=true\n");
    ModalRecorder modal;
    QSettings settings(dir.filePath("tsln.conf"), QSettings::IniFormat);
    StationRun run;
    if (run.frame->libraryPath(RigModel::IC756).isEmpty())
        GTEST_SKIP() << "PV756.dll is not beside the tests";
    startSession(*run.frame, settings);
    ASSERT_TRUE(waitFor([&] { return run.restored(); }, 20000));
    const QList<QWidget*> windows = run.radioWindows();
    ASSERT_EQ(windows.size(), 1);
    auto* panel = qobject_cast<GraphicalPanel*>(windows[0]);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->engine()->Address, 0x5A);
    EXPECT_TRUE(mdiWindowOf(panel)->isMaximized());
    EXPECT_TRUE(panel->controls().CBSnoop->isChecked());
    const QList<RememberedRadio> now = captureRadios(*run.frame);
    ASSERT_EQ(now.size(), 1);
    EXPECT_TRUE(now[0].maximized);
    EXPECT_EQ(now[0].memory, RememberedRadio::MemoryNormal);
    EXPECT_EQ(now[0].memoryPlace, QRect(50, 60, 600, 440));
}
