#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <array>
#include <memory>

#include "civ/rigmodel.h"
#include "shell/programfiles.h"

class QAction;
class QMenu;
class QMdiArea;
class QStatusBar;
class TDeviceList;
class HelpViewer;
class NetControlForm;

// The panel-art library of a model: "PV706.dll", "PV706MKII.dll", "PV756.dll", "PV821.dll".
QString panelLibraryName(RigModel model);
// The box for a Radio item whose window this program cannot make.
QString notAvailableText(const QString& caption);

// The program's multiple-document frame with its menus and the device list.
class TMainFORM : public QMainWindow {
    Q_OBJECT

public:
    // The libraries and the help file are looked for where the running program
    // keeps them, or in the folders files names.
    explicit TMainFORM(QWidget* parent = nullptr);
    explicit TMainFORM(const ProgramFiles& files, QWidget* parent = nullptr);
    ~TMainFORM() override;

    QMdiArea* mdiArea() const { return area_; }
    TDeviceList* devices() const { return deviceList_.get(); }
    // The path of a model's panel-art library found at start-up, or empty.
    QString libraryPath(RigModel model) const { return libraryPaths_[static_cast<int>(model)]; }
    // The help file "Help Topics" opens.
    QString helpPath() const;

    // Published components, in the frame's declaration order.
    QMenuBar* MainMenu1 = nullptr;
    QMenu* Radio1 = nullptr;
    QMenu* DeviceSetup1 = nullptr;
    QMenu* Help1 = nullptr;
    QAction* IC7061 = nullptr;
    QAction* IC8211 = nullptr;
    QAction* About1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QMenu* Window1 = nullptr;
    QAction* Tile1 = nullptr;
    QAction* Cascade1 = nullptr;
    QAction* AddDevice1 = nullptr;
    QAction* RemoveDevice1 = nullptr;
    QAction* IC821HiRes1 = nullptr;
    QAction* IC7561 = nullptr;
    QAction* Disclaimer1 = nullptr;
    QAction* IC706MKII1 = nullptr;
    QAction* Help2 = nullptr;
    QAction* NetworkControl1 = nullptr;

    void AddDevice1Click();
    void IC7061Click();
    void IC706MKII1Click();
    void IC7561Click();
    void IC821HiRes1Click();
    void IC8211Click();
    void Tile1Click();
    void Cascade1Click();
    void About1Click();
    void Disclaimer1Click();
    void Help2Click();
    void NetworkControl1Click();
    NetControlForm* netControl() const { return netControl_; }

protected:
    // Memory lists with unsaved changes are offered for saving first; Cancel
    // keeps the program running.
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void buildMenus();
    void fillWindowMenu();
    void openPanel(RigModel model);

    ProgramFiles files_;
    QMdiArea* area_ = nullptr;
    NetControlForm* netControl_ = nullptr;  // made on first use, a child of the frame
    std::unique_ptr<TDeviceList> deviceList_;
    std::array<QString, 4> libraryPaths_;
    QPointer<HelpViewer> help_;
};

extern TMainFORM* MainFORM;
