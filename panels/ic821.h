#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include "memory/memoryform.h"

class FreqEdit;
class QAction;
class QButtonGroup;
class QCloseEvent;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;
class Tic821;
class UpDown;

// The IC-821 window built from ordinary controls: both bands side by side with
// frequency, mode, VFO or memory and channel, sent to the radio and filled from
// its reports by a small request state machine.
class TIC821FORM : public QWidget {
    Q_OBJECT

public:
    // Opens at once: Device Select, memory window, engine, a first read. Without a
    // device the window closes itself.
    explicit TIC821FORM(QWidget* owner);
    ~TIC821FORM() override;

    static constexpr int FormWidth = 789;
    static constexpr int FormHeight = 258;
    static constexpr int DebugHeight = 422;

    // Controls.
    QLabel* LMain = nullptr;
    QLabel* LSub = nullptr;
    FreqEdit* EMainFreq = nullptr;
    FreqEdit* ESubFreq = nullptr;
    QLabel* LMainSub = nullptr;
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
    QPlainTextEdit* Memo1 = nullptr;
    QStatusBar* Status = nullptr;
    QLabel* StatusPanels[3] = {};
    // The items lent to the main menu.
    QAction* Configuration1 = nullptr;
    QAction* Memory1 = nullptr;

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
    void Memory1Click();
    void RadioNotify(int t, int q);
    void RadioError(int e, int d);
    void RadioDebug(QString s);
    void MemorySetRequest(bool s, bool w, int n, const QString& f, const QString& m, const QString& o);
    void MemoryGetRequest(int n);

    void SelectMain();
    void SelectSub();

    Tic821* engine() const { return engine_; }
    TMemoryFORM* memoryWindow() const { return memory_; }
    int registration() const { return registration_; }
    bool closing() const { return closing_; }
    int requestState = 0;
    bool transfer = false;

protected:
    // Unsaved changes to the memory list are offered for saving first; Cancel
    // keeps the window open.
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void FormDestroy();
    void buildControls();
    void closeSelf();
    void memChanChange(QLineEdit* box, bool main);
    void setHeight(int height);
    // The device lost its way to the bus: said in the status bar at once.
    void LinkLost(const QString& why);
    // A transfer keeps what the window showed of the main band when it began and
    // gives it back to the radio when the memory window says the whole transfer
    // has ended, then reads both bands. A transfer given up on a silent radio
    // puts nothing back.
    void transferBegins();
    void transferEnded();

    struct MainBefore {
        bool taken = false;
        int vfo = 0;
        QString channel;
        QString freq;
        int mode = -1;
    };
    MainBefore beforeTransfer_;
    int linkWatch_ = 0;

    QPointer<QWidget> owner_;
    Tic821* engine_ = nullptr;
    int device_ = -1;
    int registration_ = 0;
    // The memory window lives in the frame's document area, which may delete it
    // before this window when the whole frame goes.
    QPointer<TMemoryFORM> memory_;
    bool closing_ = false;
};
