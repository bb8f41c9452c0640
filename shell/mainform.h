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
class TComPortFORM;
class TDeviceList;
class TDisclaimerFORM;
class TNewDeviceFORM;
class HelpViewer;
class NetControlForm;
class FindRadiosForm;

// The panel-art library of a model: "PV706.dll", "PV706MKII.dll", "PV756.dll", "PV821.dll".
QString panelLibraryName(RigModel model);
// The box for a Radio item whose window this program cannot make.
QString notAvailableText(const QString& caption);

// The program's multiple-document frame with its menus and the device list. It
// owns the dialogs of Add Device, which keep what was entered for the next use.
class TMainFORM : public QMainWindow {
    Q_OBJECT

public:
    // The menus of the menu bar, in their order.
    enum class Menu { DeviceSetup, Radio, Window, Help };
    // The menu items, in menu order.
    enum class Command {
        AddDevice,
        RemoveDevice,
        NetworkControl,
        FindRadios,
        IC706,
        IC706MKII,
        IC756,
        IC821,
        IC821Text,
        Tile,
        Cascade,
        About,
        Disclaimer,
        HelpTopics,
    };

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

    QMenu* menu(Menu which) const { return menus_[static_cast<int>(which)]; }
    QAction* command(Command which) const { return commands_[static_cast<int>(which)]; }
    NetControlForm* netControl() const { return netControl_; }
    FindRadiosForm* findRadios() const { return findRadios_; }
    // The Com Port dialog of the run: serial devices ask it for their port, when
    // added and when their port is to be opened again.
    TComPortFORM* comPortDialog() const { return comPort_; }

protected:
    // Memory lists with unsaved changes are offered for saving first; Cancel
    // keeps the program running.
    void closeEvent(QCloseEvent* event) override;

private:
    void findLibraries();
    void buildMenus();
    void buildRadioMenu();
    void fillWindowMenu();
    void openPanel(RigModel model);
    void openTextPanel821();
    void addDevice();
    void showNetworkControl();
    void showFindRadios();
    void showAbout();
    void showDisclaimer();
    void showHelp();

    ProgramFiles files_;
    QMdiArea* area_ = nullptr;
    std::array<QMenu*, 4> menus_{};
    std::array<QAction*, 14> commands_{};
    NetControlForm* netControl_ = nullptr;  // made on first use, a child of the frame
    FindRadiosForm* findRadios_ = nullptr;  // likewise
    TNewDeviceFORM* newDevice_ = nullptr;
    TComPortFORM* comPort_ = nullptr;
    // Made on first use; its edits stay until the program ends.
    TDisclaimerFORM* disclaimer_ = nullptr;
    std::unique_ptr<TDeviceList> deviceList_;
    std::array<QString, 4> libraryPaths_;
    QPointer<HelpViewer> help_;
};
