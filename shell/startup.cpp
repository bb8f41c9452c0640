#include "shell/startup.h"

#include "shell/about.h"
#include "shell/appicon.h"
#include "shell/application.h"
#include "shell/disclaimer.h"
#include "shell/helpviewer.h"
#include "shell/mainform.h"
#include "shell/widgetmodal.h"

void createSharedWindows()
{
    MainFORM = new TMainFORM;
    AboutBox = new TAboutBox(MainFORM);
    DisclaimerFORM = new TDisclaimerFORM(MainFORM);
}

int runTessaline(int argc, char** argv)
{
    TApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TSLN"));
    QApplication::setWindowIcon(programIcon());
    WidgetModalHandler modal;
    Modal::setHandler(&modal);

    createSharedWindows();
    MainFORM->showMaximized();
    const int status = app.exec();
    delete MainFORM;
    MainFORM = nullptr;
    Modal::setHandler(nullptr);
    return status;
}
