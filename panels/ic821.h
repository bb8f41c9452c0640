#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <optional>

#include "devices/deviceselect.h"
#include "memory/memoryform.h"
#include "panels/snooplog.h"
#include "radio/radiosession.h"

class FreqEdit;
class QAction;
class QCloseEvent;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;
class TDeviceList;
class Tic821;
class UpDown;

// The controls of the IC-821 window, under the names the window gives them.
struct Ic821Controls {
    QLabel* LMain = nullptr;
    QLabel* LSub = nullptr;
    FreqEdit* EMainFreq = nullptr;
    FreqEdit* ESubFreq = nullptr;
    QLabel* LMainBlank = nullptr;  // shown while the main box holds a blank channel
    QLabel* LSubBlank = nullptr;
    QLabel* LMainSub = nullptr;  // which band commands go to
    QPushButton* BMain = nullptr;
    QPushButton* BSub = nullptr;
    QPushButton* BDial = nullptr;
    QPushButton* BUpdate = nullptr;
    QPushButton* BFlip = nullptr;
    QPushButton* BScanStart = nullptr;
    QPushButton* BScanStop = nullptr;
    QGroupBox* RGMainMode = nullptr;
    QGroupBox* RGSubMode = nullptr;
    QPushButton* BSetMM = nullptr;
    QPushButton* BSubm = nullptr;
    QGroupBox* RGDuplex = nullptr;
    QGroupBox* RGMainVfo = nullptr;
    QGroupBox* RGSubVfo = nullptr;
    QLabel* LMemory = nullptr;
    QLineEdit* MainMemChan = nullptr;
    UpDown* MainMemUpDown = nullptr;
    QLabel* LSubMemory = nullptr;
    QLineEdit* SubMemChan = nullptr;
    UpDown* SubMemUpDown = nullptr;
    QPushButton* BMemWrite = nullptr;
    QPushButton* BMemClear = nullptr;
    QPushButton* BMemVfo = nullptr;
    QPushButton* BEmpty = nullptr;
    QLabel* LAddress = nullptr;
    QLineEdit* EAddress = nullptr;
    QCheckBox* CBDebug = nullptr;
    QPlainTextEdit* debugLog = nullptr;  // the received bytes, under "Show Debug"
    QCheckBox* CBDecoded = nullptr;      // debugLog shows the frames decoded, not the hex
    QStatusBar* Status = nullptr;
    QLabel* StatusPanels[3] = {};
    // The items lent to the main menu while the window is the current one.
    QAction* configurationItem = nullptr;
    QAction* memoryItem = nullptr;
};

// The IC-821 window built from ordinary controls: both bands side by side with
// frequency, mode, VFO or memory and channel, sent to the radio through its
// session and filled from what the session reads.
class TIC821FORM : public QWidget {
    Q_OBJECT

public:
    // Opens at once: Device Select among devices, memory window, session, a first
    // read. Without a device the window closes itself. With a preset choice it
    // opens on that device and address (in its Address box) without asking.
    TIC821FORM(const TDeviceList& devices, QWidget* owner, DevicePreset preset = {});
    ~TIC821FORM() override;

    static constexpr int FormWidth = 789;
    static constexpr int FormHeight = 258;
    static constexpr int DebugHeight = 422;

    const Ic821Controls& controls() const { return ui_; }

    // The groups' selected index, -1 for none, and selecting by index.
    static int itemIndex(QGroupBox* group);
    static void setItemIndex(QGroupBox* group, int index);

    // Handlers.
    void BMainClick();
    void BSubClick();
    void BDialClick();
    void BUpdateClick();
    void BFlipClick();
    void BScanStartClick();
    void BScanStopClick();
    void BSetMMClick();
    void BSubmClick();
    void RGDuplexClick();
    void RGMainVfoClick();
    void RGSubVfoClick();
    void MainMemChanChange();
    void SubMemChanChange();
    void BMemWriteClick();
    void BMemClearClick();
    void BMemVfoClick();
    void BEmptyClick();
    void EAddressChange();
    void CBDebugClick();
    void MemoryItemClick();
    void MemorySetRequest(bool s, bool w, int n, const QString& f, const QString& m, const QString& o);
    void MemoryGetRequest(int n);

    void SelectMain();
    void SelectSub();

    // Null until the window has opened on a device.
    RadioSession* session() const { return session_; }
    Tic821* engine() const;
    TMemoryFORM* memoryWindow() const { return memory_; }
    bool closing() const { return closing_; }

protected:
    // Unsaved changes to the memory list are offered for saving first; Cancel
    // keeps the window open.
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate(DevicePreset preset);
    void FormDestroy();
    void buildControls();
    void buildMainColumn();
    void buildSubColumn();
    void buildCentre();
    void buildBottomRow();
    void buildDebugAndStatus();
    void buildMenuItems();
    void connectControls();
    void openMemoryWindow();
    void connectSession();
    void closeSelf();
    void memChanChange(QLineEdit* box, bool main);
    void setHeight(int height);

    // The session's news.
    void frequencyRead(int band, bool blank);
    void modeRead(int band, bool blank);
    void memoryRead(bool blank);
    void sessionFailed(int e, int d);
    void transferGivenUp(int e, int d);
    void showProgress(int p, int n);
    void showTrace(const QString& s);
    // Fills the debug log with the whole history in the form the Decoded box chooses.
    void CBDecodedClick();
    // What the main band shows when a transfer begins, for the session to give
    // back to the radio once the memory window says the whole transfer has ended.
    BandSnapshot mainBandSnapshot() const;

    Ic821Controls ui_;
    const TDeviceList& devices_;
    QPointer<QWidget> owner_;
    RadioSession* session_ = nullptr;
    SnoopLog trace_{QString()};
    // The memory window lives in the frame's document area, which may delete it
    // before this window when the whole frame goes.
    QPointer<TMemoryFORM> memory_;
    bool closing_ = false;
};
