#pragma once

#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>
#include <optional>

#include "devices/deviceselect.h"
#include "memory/memoryform.h"
#include "panels/panelaccess.h"
#include "panels/panelart.h"
#include "panels/panellogic.h"
#include "panels/panelmodel.h"
#include "panels/snooplog.h"
#include "radio/radiosession.h"

class FreqEdit;
class Tdevice;
class PanelPicture;
class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;

class RadioSession;
class TDeviceList;
class Tciv;
class Timer;

// The controls of a panel window, under the names the forms give them.
struct PanelControls {
    PanelPicture* IRadio = nullptr;
    FreqEdit* EFreq = nullptr;
    QPushButton* BMainDial = nullptr;
    QPushButton* BDialSub = nullptr;  // nullptr on single-band models
    QPushButton* BMemory = nullptr;
    QPushButton* BUpdate = nullptr;
    QPushButton* BForce = nullptr;
    QCheckBox* CBSnoop = nullptr;
    QPlainTextEdit* MSnoop = nullptr;
    QCheckBox* CBDecoded = nullptr;  // MSnoop shows the frames decoded, not the hex
    QStatusBar* Status = nullptr;
    QLabel* StatusPanels[3] = {};
    Timer* Dial_Timer = nullptr;
};

// What a panel knows of its radio and of itself. Single-band models use the main
// half of each pair.
struct PanelState {
    QString mainText;  // frequency texts, or "BLANK"
    QString subText;
    int mainChannel = 1;
    int subChannel = 1;
    bool subSelected = false;
    // Channel states: VFO (0 on the IC-756; 1 VFO A and 2 VFO B on models with two
    // VFOs) or 3, memory.
    int mainChannelState = 0;
    int subChannelState = 0;
    int mainMode = 0;  // mode indicators, numbered by the model
    int subMode = 0;
    qint64 mainStep = 10;
    qint64 subStep = 10;
    int dialFrame = 0;
    int pressedSpot = 0;
    int dialDirection = 0;  // 0 still, 1 up, 2 down

    QString& selectedText() { return subSelected ? subText : mainText; }
    qint64& selectedStep() { return subSelected ? subStep : mainStep; }
    int& selectedChannel() { return subSelected ? subChannel : mainChannel; }
    int& selectedChannelState() { return subSelected ? subChannelState : mainChannelState; }
};

// What the graphical radio panels share: the window and its controls, opening and
// closing, the art, hit testing, the tuning knob, the typed frequency, the snoop
// log, the status counters and error boxes, and passing the memory window's
// requests on. The radio itself (engine, device, what was asked, transfers) is the
// panel's RadioSession. A model adds its keys and its display; its tables
// (geometry, modes, bands) are data in its PanelLayout.
class GraphicalPanel : public QWidget {
    Q_OBJECT

public:
    ~GraphicalPanel() override;

    const PanelLayout& layout() const { return model_; }
    const PanelControls& controls() const { return ui_; }
    // A read-only view of the panel's state, for inspection.
    const PanelState& view() const { return st_; }
    // The design size: a document window that is not maximised opens at it.
    QSize sizeHint() const override { return model_.window.size; }

    // Handlers.
    void IRadioMouseDown(int x, int y);
    void IRadioMouseUp(int x, int y);
    // The mouse wheel over the picture: notches over the knob tune one step each.
    void IRadioMouseWheel(int x, int y, int notches);
    void Dial_TimerTimer();
    void BMainDialClick();
    void BDialSubClick();
    void BMemoryClick();
    void BUpdateClick();
    virtual void BForceClick() = 0;
    void CBSnoopClick();
    void MemorySetRequest(bool s, bool w, int n, const QString& f, const QString& m, const QString& o);
    void MemoryGetRequest(int n);

    // Which meaning the keys have now, for their descriptions (SpotText::does): the
    // function set or FUNC; 0 on a model whose keys keep theirs.
    virtual int keyMeaning() const { return 0; }

    virtual void PaintFrequency() = 0;
    virtual void PaintChannel() = 0;
    virtual void PaintIndicators() = 0;

    // Null until the panel has opened on a device.
    RadioSession* session() const { return session_; }
    Tciv* engine() const;
    TMemoryFORM* memoryWindow() const { return memory_; }
    // True once the panel gave up opening and closes itself.
    bool closing() const { return closing_; }
    const QImage& displayBitmap() const { return display_; }
    // Pictures this window fetched from its library.
    int artFetches() const { return art_.fetches(); }

protected:
    // devices: the ones Device Select offers. With a preset choice the panel
    // opens on that device and address without asking.
    GraphicalPanel(const PanelLayout& model, const TDeviceList& devices, QWidget* owner,
                   const QString& libraryPath, DevicePreset preset = {});

    // Opening, in order: art, device and address, caption, memory window, session
    // (engine and registration), steps, forced state and a first read. The model's
    // constructor calls it.
    void FormCreate();
    // The action of hot spot n (the knob halves are handled here).
    virtual void hotSpotAction(int n) = 0;
    // Draws a key's pressed picture at its rectangle.
    void pressKey(int n);
    // Draws what a key shows once released (its "BU_" picture).
    virtual void releaseKey(int n);
    // Runs before every hit test, hit or not.
    virtual void mouseDownStarted() {}

    // Band selection; on single-band models they do nothing.
    void SelectMain();
    void SelectSub();
    // The reads of the radio's state: all of it, or the selected band.
    void RequestAll();
    void RequestSelected();
    // The engine's mode to the selected band's indicator, by the model's table.
    void UpdateModeIndicator();
    // The memory keys: the selected band's channel up or down by delta, wrapping
    // between 1 and the model's last channel, then shown and read back.
    void channelStep(int delta);

    // Draws a shared picture onto the panel picture, or onto the display bitmap.
    void drawOnPicture(const QString& name, QPoint at);
    void drawOnDisplay(const QString& name, QPoint at);
    // Copies the display bitmap onto the panel picture in one draw.
    void showDisplay();

    void resizeEvent(QResizeEvent* event) override;
    // A memory list with unsaved changes is offered for saving; Cancel keeps the
    // panel open.
    void closeEvent(QCloseEvent* event) override;

    PanelControls ui_;
    PanelState st_;

private:
    void FormDestroy();
    void closeSelf();
    void buildControls();
    void buildStatusBar();
    bool openArt();
    void openMemoryWindow();
    // Makes the session on the device and binds its signals; false when the
    // device cannot take one more radio.
    bool openSession(Tdevice& device, int address);
    void showAsDocument();
    void stepFrequency();
    void dialTypedText(bool sub);

    // The session's news.
    void frequencyRead(int band, bool blank);
    void modeRead(int band, bool blank);
    void memoryRead(bool blank);
    void sessionNotified();
    void sessionFailed(int e, int d);
    void transferGivenUp(int e, int d);
    void showProgress(int p, int n);
    void showTrace(const QString& s);
    // Fills MSnoop with the whole history in the form the Decoded box chooses.
    void CBDecodedClick();
    // The device lost its way to the bus: said in the status bar at once.
    void showLinkLost(const QString& why);
    // What the selected band shows when a transfer begins, for the session to put
    // back when the whole transfer has ended.
    BandSnapshot selectedBandSnapshot() const;

    const PanelLayout& model_;
    const TDeviceList& devices_;
    QPointer<QWidget> owner_;
    PanelArt art_;
    DevicePreset preset_;
    QImage display_;
    SnoopLog snoop_{QString()};
    std::unique_ptr<PanelAccess> access_;
    RadioSession* session_ = nullptr;
    // The memory window lives in the frame's document area, which may delete it
    // before the panel when the whole frame goes.
    QPointer<TMemoryFORM> memory_;
    bool closing_ = false;
};
