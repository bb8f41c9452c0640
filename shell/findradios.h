#pragma once

#include <QDialog>
#include <functional>

#include "civ/rigmodel.h"
#include "devices/deviceselect.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class RadioFinder;
struct FoundRadio;

// "Find Radios": asks the addresses of the bus behind a device which radios
// answer (as tsln-ctl find does), the models' default addresses first or every
// address, lists each radio found with its address, model, frequency and mode,
// and opens the window of a radio found on that device at its address. The
// search runs from the event loop with its progress shown and may be
// cancelled; the program stays usable meanwhile. Modeless; the main frame
// keeps one.
class FindRadiosForm : public QDialog {
    Q_OBJECT

public:
    // What "Open" does: the window of model (the IC-821 window of ordinary
    // controls when text is true) on the chosen device at the found address.
    using OpenRadio = std::function<void(RigModel model, bool text, const DeviceChoice& choice)>;

    explicit FindRadiosForm(OpenRadio openRadio, QWidget* parent = nullptr);
    ~FindRadiosForm() override;

    // Lists the devices anew; the one chosen stays chosen.
    void refreshDevices();
    RadioFinder* finder() const { return finder_; }

protected:
    void showEvent(QShowEvent* event) override;
    // Closing stops a search that runs.
    void done(int result) override;

private:
    void find();
    void addRadio(const FoundRadio& radio);
    void showProgress(int asked, int total);
    void searchEnded(bool cancelled);
    // The selected radio's models are offered, the first chosen.
    void offerModels();
    void openSelected();
    void updateControls();

    OpenRadio openRadio_;
    QComboBox* device_ = nullptr;
    QCheckBox* all_ = nullptr;
    QPushButton* find_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QTreeWidget* radios_ = nullptr;
    QComboBox* model_ = nullptr;
    QPushButton* open_ = nullptr;
    QLabel* status_ = nullptr;
    RadioFinder* finder_ = nullptr;
    Tdevice* searched_ = nullptr;  // the device of the radios listed
};
