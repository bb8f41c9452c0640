#include "shell/startup.h"

#include "devices/comportdialog.h"
#include "devices/deviceselectdialog.h"
#include "memory/download.h"
#include "memory/memedit.h"
#include "memory/memopen.h"
#include "memory/singledialog.h"
#include "memory/upload.h"
#include "shell/about.h"
#include "shell/appicon.h"
#include "shell/application.h"
#include "shell/disclaimer.h"
#include "shell/helpviewer.h"
#include "shell/mainform.h"
#include "shell/newdevice.h"
#include "shell/widgetmodal.h"

void createSharedWindows()
{
    MainFORM = new TMainFORM;
    AboutBox = new TAboutBox(MainFORM);
    DSelFORM = new TDSelFORM(MainFORM);
    ComPortFORM = new TComPortFORM(MainFORM);
    NewDeviceFORM = new TNewDeviceFORM(MainFORM);
    MemEditFORM = new TMemEditFORM(MainFORM);
    UploadFORM = new TUploadFORM(MainFORM);
    DownloadFORM = new TDownloadFORM(MainFORM);
    MemOpenFORM = new TMemOpenFORM(MainFORM);
    SingleUpload = new TSingleUpload(MainFORM);
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
