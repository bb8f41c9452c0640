#include "devices/deviceselectdialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "core/device.h"

namespace {

class NamedDevice : public Tdevice {
public:
    explicit NamedDevice(const QString& name) { Name = name; }
    void Send(const quint8*, qint32) override {}
};

// A device list of the given names.
struct Devices {
    TDeviceList list;
    explicit Devices(const QStringList& names)
    {
        for (const QString& name : names)
            list.append(std::make_unique<NamedDevice>(name));
    }
};

// The dialog's controls, found by their names.
struct Parts {
    explicit Parts(const TDSelFORM& d)
        : deviceBox(d.findChild<QComboBox*>("DeviceName")),
          deviceLabel(d.findChild<QLabel*>("DeviceLabel")),
          ok(d.findChild<QPushButton*>("OkButton")),
          cancel(d.findChild<QPushButton*>("CancelButton")),
          addressLabel(d.findChild<QLabel*>("AddressLabel")),
          address(d.findChild<QLineEdit*>("Address")),
          hint(d.findChild<QLabel*>("Hint"))
    {
    }
    QComboBox* deviceBox;
    QLabel* deviceLabel;
    QPushButton* ok;
    QPushButton* cancel;
    QLabel* addressLabel;
    QLineEdit* address;
    QLabel* hint;
};

QStringList items(const QComboBox* box)
{
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list << box->itemText(i);
    return list;
}

}  // namespace

TEST(DeviceSelectDialog, LooksAsDesigned)
{
    Devices none({});
    TDSelFORM dialog(none.list);
    const Parts ui(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Device Select");
    EXPECT_EQ(ui.deviceLabel->text(), "Select A Device");
    EXPECT_EQ(ui.addressLabel->text(), "CIV Address");
    EXPECT_TRUE(ui.deviceBox->isEditable());
    EXPECT_EQ(ui.ok->text(), "OK");
    EXPECT_EQ(ui.cancel->text(), "Cancel");
    EXPECT_TRUE(ui.address->text().isEmpty());
}

TEST(DeviceSelectDialog, ActivationListsTheDevicesAndPreselectsALoneOne)
{
    TDeviceList devices;
    TDSelFORM dialog(devices);
    const Parts ui(dialog);
    {
        dialog.FormActivate();
        EXPECT_EQ(ui.deviceBox->count(), 0);
        EXPECT_EQ(ui.deviceBox->currentIndex(), -1);
    }
    {
        devices.append(std::make_unique<NamedDevice>("[Shack] <Serial>"));
        dialog.FormActivate();
        EXPECT_EQ(items(ui.deviceBox), QStringList{"[Shack] <Serial>"});
        EXPECT_EQ(ui.deviceBox->currentIndex(), 0);
    }
    {
        devices.append(std::make_unique<NamedDevice>("[Remote] <TCP/IP>"));
        dialog.FormActivate();
        EXPECT_EQ(items(ui.deviceBox), QStringList({"[Shack] <Serial>", "[Remote] <TCP/IP>"}));
        EXPECT_EQ(ui.deviceBox->currentIndex(), -1);
        // Each activation rebuilds the list, and a choice made before is gone.
        ui.deviceBox->setCurrentIndex(1);
        dialog.FormActivate();
        EXPECT_EQ(ui.deviceBox->currentIndex(), -1);
    }
}

TEST(DeviceSelectDialog, ShowingItActivatesItCentredOnTheScreen)
{
    Devices one({"[Shack] <Serial>"});
    TDSelFORM dialog(one.list);
    const Parts ui(dialog);
    dialog.show();
    dialog.activateWindow();
    QCoreApplication::processEvents();
    EXPECT_EQ(ui.deviceBox->count(), 1);
    EXPECT_EQ(ui.deviceBox->currentIndex(), 0);
    const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((dialog.frameGeometry().center() - centre).manhattanLength(), 2);
    dialog.reject();
}

TEST(DeviceSelectDialog, OkNeedsADeviceAndAHexadecimalAddress)
{
    Devices two({"one", "two"});
    TDSelFORM dialog(two.list);
    const Parts ui(dialog);
    dialog.show();
    dialog.FormActivate();
    ui.address->setText("50");
    ui.ok->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(ui.hint->text().isEmpty());

    ui.deviceBox->setCurrentIndex(1);
    for (const char* bad : {"", "ZZ", "5G", "$50", "-1", "100"}) {
        ui.address->setText(bad);
        ui.ok->click();
        EXPECT_TRUE(dialog.isVisible()) << bad;
        EXPECT_EQ(dialog.address(), -1) << bad;
    }
    EXPECT_TRUE(ui.hint->text().contains("hexadecimal"));

    ui.address->setText("5C");
    ui.ok->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.address(), 0x5C);
    EXPECT_EQ(ui.deviceBox->currentIndex(), 1);
    EXPECT_TRUE(ui.hint->text().isEmpty());
}

TEST(DeviceSelectDialog, TheRefusalHintIsShownWhole)
{
    Devices two({"one", "two"});
    TDSelFORM dialog(two.list);
    const Parts ui(dialog);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    dialog.FormActivate();
    ui.deviceBox->setCurrentIndex(0);
    for (const char* bad : {"ZZ", ""}) {
        ui.address->setText(bad);
        ui.ok->click();
        QCoreApplication::processEvents();
        ASSERT_FALSE(ui.hint->text().isEmpty());
        // Every line of the wrapped text fits in the label, and the label in the dialog.
        EXPECT_GE(ui.hint->height(), ui.hint->heightForWidth(ui.hint->width())) << bad;
        EXPECT_LE(ui.hint->geometry().bottom(), dialog.height()) << bad;
        EXPECT_GT(ui.hint->heightForWidth(ui.hint->width()), ui.hint->fontMetrics().height())
            << "the hint no longer wraps; the test proves nothing";
    }
    dialog.reject();
}

TEST(DeviceSelectDialog, FieldsCarryTheirLabelsAsAccessibleNames)
{
    Devices none({});
    TDSelFORM dialog(none.list);
    const Parts ui(dialog);
    EXPECT_EQ(ui.deviceBox->accessibleName(), "Select A Device");
    EXPECT_EQ(ui.address->accessibleName(), "CIV Address");
}

TEST(DeviceSelectDialog, ACallerWithItsOwnAddressNeedsOnlyADevice)
{
    Devices one({"one"});
    TDSelFORM dialog(one.list);
    const Parts ui(dialog);
    dialog.show();
    dialog.FormActivate();
    ui.address->clear();
    dialog.setAddressUsed(false);
    ui.ok->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    // A caller that needs the address is refused without one.
    dialog.setAddressUsed(true);
    dialog.show();
    ui.ok->click();
    EXPECT_TRUE(dialog.isVisible());
    ui.cancel->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}
