#include "devices/deviceselectdialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "core/device.h"

namespace {

class NamedDevice : public Tdevice {
public:
    explicit NamedDevice(const QString& name) { Name = name; }
    void Send(const quint8*, qint32) override {}
};

// A device list of the given names, installed as the program's for one test.
struct Devices {
    TDeviceList list;
    TDeviceList* previous = DeviceList;
    explicit Devices(const QStringList& names)
    {
        for (const QString& name : names)
            list.append(std::make_unique<NamedDevice>(name));
        DeviceList = &list;
    }
    ~Devices() { DeviceList = previous; }
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
    TDSelFORM dialog;
    EXPECT_EQ(dialog.windowTitle(), "Device Select");
    EXPECT_EQ(dialog.Label1->text(), "Select A Device");
    EXPECT_EQ(dialog.Label2->text(), "CIV Address");
    EXPECT_TRUE(dialog.CBDeviceName->isEditable());
    EXPECT_EQ(dialog.BBOK->text(), "OK");
    EXPECT_EQ(dialog.BBCancel->text(), "Cancel");
    EXPECT_TRUE(dialog.Eaddress->text().isEmpty());
}

TEST(DeviceSelectDialog, ActivationListsTheDevicesAndPreselectsALoneOne)
{
    TDSelFORM dialog;
    {
        Devices none({});
        dialog.FormActivate();
        EXPECT_EQ(dialog.CBDeviceName->count(), 0);
        EXPECT_EQ(dialog.CBDeviceName->currentIndex(), -1);
    }
    {
        Devices one({"[Shack] <Serial>"});
        dialog.FormActivate();
        EXPECT_EQ(items(dialog.CBDeviceName), QStringList{"[Shack] <Serial>"});
        EXPECT_EQ(dialog.CBDeviceName->currentIndex(), 0);
    }
    {
        Devices two({"[Shack] <Serial>", "[Remote] <TCP/IP>"});
        dialog.FormActivate();
        EXPECT_EQ(items(dialog.CBDeviceName), QStringList({"[Shack] <Serial>", "[Remote] <TCP/IP>"}));
        EXPECT_EQ(dialog.CBDeviceName->currentIndex(), -1);
        // Each activation rebuilds the list, and a choice made before is gone.
        dialog.CBDeviceName->setCurrentIndex(1);
        dialog.FormActivate();
        EXPECT_EQ(dialog.CBDeviceName->currentIndex(), -1);
    }
}

TEST(DeviceSelectDialog, ShowingItActivatesItCentredOnTheScreen)
{
    Devices one({"[Shack] <Serial>"});
    TDSelFORM dialog;
    dialog.show();
    dialog.activateWindow();
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog.CBDeviceName->count(), 1);
    EXPECT_EQ(dialog.CBDeviceName->currentIndex(), 0);
    const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((dialog.frameGeometry().center() - centre).manhattanLength(), 2);
    dialog.reject();
}

TEST(DeviceSelectDialog, OkNeedsADeviceAndAHexadecimalAddress)
{
    Devices two({"one", "two"});
    TDSelFORM dialog;
    dialog.show();
    dialog.FormActivate();
    dialog.Eaddress->setText("50");
    dialog.BBOK->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.LHint->text().isEmpty());

    dialog.CBDeviceName->setCurrentIndex(1);
    for (const char* bad : {"", "ZZ", "5G", "$50", "-1", "100"}) {
        dialog.Eaddress->setText(bad);
        dialog.BBOK->click();
        EXPECT_TRUE(dialog.isVisible()) << bad;
        EXPECT_EQ(dialog.address(), -1) << bad;
    }
    EXPECT_TRUE(dialog.LHint->text().contains("hexadecimal"));

    dialog.Eaddress->setText("5C");
    dialog.BBOK->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.address(), 0x5C);
    EXPECT_EQ(dialog.CBDeviceName->currentIndex(), 1);
    EXPECT_TRUE(dialog.LHint->text().isEmpty());
}

TEST(DeviceSelectDialog, ACallerWithItsOwnAddressNeedsOnlyADevice)
{
    Devices one({"one"});
    TDSelFORM dialog;
    dialog.show();
    dialog.FormActivate();
    dialog.Eaddress->clear();
    dialog.AddressUsed = false;
    dialog.BBOK->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    // The next caller needs an address again.
    EXPECT_TRUE(dialog.AddressUsed);
    dialog.show();
    dialog.BBOK->click();
    EXPECT_TRUE(dialog.isVisible());
    dialog.BBCancel->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}
