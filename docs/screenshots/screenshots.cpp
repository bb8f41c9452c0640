// Draws pictures of the program's windows, panels and panel art into a folder:
//   tsln-screenshots [folder]     (default: screenshots/ in the current folder)
// scripts/screenshots runs it on the offscreen platform. The pictures are for
// people to look at; the suite tests the windows.

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

#include "core/modal.h"
#include "devices/comportdialog.h"
#include "devices/deviceselectdialog.h"
#include "devices/serialwindow.h"
#include "devices/tcpipwindow.h"
#include "memory/filechooser.h"
#include "memory/memedit.h"
#include "memory/memoryform.h"
#include "memory/upload.h"
#include "panels/hi_706.h"
#include "panels/hi_706mkii.h"
#include "panels/hi_756.h"
#include "panels/hi_821.h"
#include "panels/model706.h"
#include "panels/model756.h"
#include "panels/model821.h"
#include "panelshots.h"
#include "shell/about.h"
#include "shell/disclaimer.h"
#include "shell/helpviewer.h"
#include "shell/mainform.h"
#include "shell/newdevice.h"
#include "shell/startup.h"

namespace {

// Every box answers OK unseen; Device Select takes the newest device.
class Answers : public Modal::Handler {
public:
    int message(Modal::Kind, const QString&, const QString& text) override
    {
        std::fprintf(stderr, "box: %s\n", qPrintable(text));
        return Modal::Ok;
    }
    int dialog(QDialog& dialog) override
    {
        if (auto* select = qobject_cast<TDSelFORM*>(&dialog)) {
            select->FormActivate();
            select->setDeviceIndex(DeviceList ? DeviceList->count() - 1 : -1);
        }
        return Modal::Ok;
    }
};

int failures = 0;

void save(QWidget& w, const QDir& out, const QString& name)
{
    w.show();
    QCoreApplication::processEvents();
    if (!w.grab().save(out.filePath(name))) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(out.filePath(name)));
        ++failures;
    }
}

void shellWindows(TMainFORM& frame, const QDir& out)
{
    frame.resize(1024, 640);
    save(frame, out, QStringLiteral("main-frame.png"));
    frame.hide();
    TAboutBox about;
    save(about, out, QStringLiteral("about.png"));
    TDisclaimerFORM disclaimer;
    save(disclaimer, out, QStringLiteral("disclaimer.png"));
    QPointer<HelpViewer> viewer;
    if (HelpViewer* help = showHelpContext(nullptr, 10, viewer, helpFilePath())) {
        save(*help, out, QStringLiteral("help.png"));
        delete help;
    }
}

void deviceWindows(const QDir& out)
{
    TTCPIPForm tcp;
    tcp.setWindowTitle(QStringLiteral("[Relay] <TCP/IP>"));
    save(tcp, out, QStringLiteral("tcpip-window.png"));
    TSerialFORM serial;
    serial.setWindowTitle(QStringLiteral("[Shack] <Serial>"));
    save(serial, out, QStringLiteral("serial-window.png"));
    TComPortFORM comPort;
    save(comPort, out, QStringLiteral("com-port.png"));
    TNewDeviceFORM newDevice;
    save(newDevice, out, QStringLiteral("new-device.png"));
    const TDeviceList none;
    TDSelFORM select(DeviceList ? *DeviceList : none);
    select.setAddressText(QStringLiteral("50"));
    save(select, out, QStringLiteral("device-select.png"));
}

void memoryWindows(const QDir& out)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("contest.mem"));
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly))
        return;
    f.write(
        "014.195.000,USB,NONE,20 m DX window\r\n"
        "007.050.000,LSB,NONE,40 m net\r\n"
        "145.500.000,FM,NONE,2 m calling\r\n"
        "145.600.000,FM,MINUS,GB3 repeater\r\n"
        "BLANK,,,\r\n"
        "050.110.000,CW,NONE,6 m DX\r\n");
    f.close();
    const MemFileChooser::Chooser previous =
        MemFileChooser::setChooser([&](QWidget*, MemFileChooser::Purpose, const QString&) { return file; });
    TMemoryFORM memory;
    memory.setWindowTitle(QStringLiteral("Memory for IC756 on device [Relay] <TCP/IP>"));
    memory.resize(569, 401);
    memory.BLoadClick();
    MemFileChooser::setChooser(previous);
    save(memory, out, QStringLiteral("memory-window.png"));
    TMemEditFORM edit;
    save(edit, out, QStringLiteral("memory-edit.png"));
    TUploadFORM upload;
    save(upload, out, QStringLiteral("upload.png"));
}

void panel756(TMainFORM& frame, const QDir& out)
{
    const QString art = QStringLiteral(TSLN_BIN_DIR "/PV756.dll");
    saveArtSheets(Model756::model(), art, out, QStringLiteral("art756"));
    const bool ok = savePanel(
        frame, QStringLiteral("ic756"), 0x50,
        [&](QWidget* owner) { return new THi_756FORM(*DeviceList, owner, art); },
        [](GraphicalPanel& p) {
            clickSpot(p, Model756::CW);
            clickSpot(p, Model756::MainDigit10MHz + 4);  // 1 kHz steps
        },
        out, QStringLiteral("ic756"), QStringLiteral("V/M"));
    if (!ok) {
        std::fprintf(stderr, "the IC-756 panel did not settle\n");
        ++failures;
    }
}

void panel821(TMainFORM& frame, const QDir& out)
{
    const QString art = QStringLiteral(TSLN_BIN_DIR "/PV821.dll");
    saveArtSheets(Model821::model(), art, out, QStringLiteral("art821"));
    const bool ok = savePanel(
        frame, QStringLiteral("ic821"), 0x4C,
        [&](QWidget* owner) { return new THi_821FORM(*DeviceList, owner, art); },
        [](GraphicalPanel& p) {
            clickSpot(p, Model821::SSB);                 // USB to LSB on the main band
            clickSpot(p, Model821::MainDigit10MHz + 4);  // 1 kHz steps
            clickSpot(p, Model821::UP);
            clickSpot(p, Model821::FUNC);
            clickSpot(p, Model821::FM);  // with FUNC: duplex minus
        },
        out, QStringLiteral("ic821"));
    if (!ok) {
        std::fprintf(stderr, "the IC-821 panel did not settle\n");
        ++failures;
    }
}

void panel706(TMainFORM& frame, const QDir& out)
{
    const QString art = QStringLiteral(TSLN_BIN_DIR "/PV706.dll");
    saveArtSheets(Model706::model(), art, out, QStringLiteral("art706"));
    const bool ok = savePanel(
        frame, QStringLiteral("ic706"), 0x48,
        [&](QWidget* owner) { return new THi_706FORM(*DeviceList, owner, art); },
        [](GraphicalPanel& p) {
            clickSpot(p, Model706::Digit10MHz + 4);  // 1 kHz steps
            clickSpot(p, Model706::FunctionSet);     // M2: memory write, clear, VFO/memory
        },
        out, QStringLiteral("ic706"));
    if (!ok) {
        std::fprintf(stderr, "the IC-706 panel did not settle\n");
        ++failures;
    }
}

void panel706mkii(TMainFORM& frame, const QDir& out)
{
    const QString art = QStringLiteral(TSLN_BIN_DIR "/PV706MKII.dll");
    saveArtSheets(Model706::modelMkII(), art, out, QStringLiteral("art706mkii"));
    const bool ok = savePanel(
        frame, QStringLiteral("ic706mkii"), 0x48,
        [&](QWidget* owner) { return new THi_706MKIIFORM(*DeviceList, owner, art); },
        [](GraphicalPanel& p) {
            clickSpot(p, Model706::DWN);             // band down: 145.5 MHz to 51.1 MHz
            clickSpot(p, Model706::Digit10MHz + 3);  // 10 kHz steps
        },
        out, QStringLiteral("ic706mkii"), QStringLiteral("Memory channel up"));
    if (!ok) {
        std::fprintf(stderr, "the IC-706MKII panel did not settle\n");
        ++failures;
    }
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots"));
    if (!QDir().mkpath(out.path())) {
        std::fprintf(stderr, "cannot make %s\n", qPrintable(out.path()));
        return 2;
    }
    Answers answers;
    Modal::setHandler(&answers);
    std::unique_ptr<TMainFORM> frame = createSharedWindows();

    shellWindows(*frame, out);
    deviceWindows(out);
    memoryWindows(out);
    panel756(*frame, out);
    panel821(*frame, out);
    if (!saveFindRadios(out)) {
        std::fprintf(stderr, "Find Radios did not finish\n");
        ++failures;
    }
    if (!saveIc821Window(out)) {
        std::fprintf(stderr, "the IC-821 window did not settle\n");
        ++failures;
    }
    panel706(*frame, out);
    panel706mkii(*frame, out);

    frame.reset();
    Modal::setHandler(nullptr);
    std::printf("pictures in %s\n", qPrintable(QDir(out).absolutePath()));
    return failures ? 1 : 0;
}
