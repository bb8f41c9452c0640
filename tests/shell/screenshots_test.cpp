// Saves pictures of the shell's windows into <build>/screenshots for people to look at.
#include <gtest/gtest.h>

#include <QDir>
#include <QPointer>
#include <QTest>

#include "core/modal.h"
#include "shell/about.h"
#include "shell/disclaimer.h"
#include "shell/helpviewer.h"
#include "shell/mainform.h"

namespace {

void save(QWidget& w, const QString& name)
{
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QDir().mkpath(TSLN_SCREENSHOT_DIR);
    const QString path = QDir(TSLN_SCREENSHOT_DIR).filePath(name);
    EXPECT_TRUE(w.grab().save(path)) << qPrintable(path);
}

}  // namespace

TEST(Screenshots, ShellWindows)
{
    ModalRecorder modal;
    TMainFORM frame;
    frame.resize(1024, 640);
    save(frame, "main-frame.png");

    TAboutBox about;
    save(about, "about.png");

    TDisclaimerFORM disclaimer;
    save(disclaimer, "disclaimer.png");

    QPointer<HelpViewer> viewer;
    HelpViewer* help = showHelpContext(nullptr, 10, viewer);
    ASSERT_NE(help, nullptr);
    save(*help, "help.png");
    delete help;
}
