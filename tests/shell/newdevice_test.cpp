#include "shell/newdevice.h"

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "support/findpart.h"

TEST(NewDeviceDialog, LooksAsDesigned)
{
    TNewDeviceFORM dialog;
    EXPECT_EQ(dialog.windowTitle(), "New Device");
    EXPECT_EQ(part<QLabel>(dialog, "nameLabel")->text(), "Device Name");
    EXPECT_EQ(part<QLineEdit>(dialog, "name")->text(), "Device");
    EXPECT_EQ(part<QGroupBox>(dialog, "types")->title(), "Device Type");
    const auto items = part<QGroupBox>(dialog, "types")->findChildren<QRadioButton*>();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0]->text(), "Serial");
    EXPECT_EQ(items[1]->text(), "TCP/IP");
    EXPECT_EQ(dialog.choice().name, "Device");
    EXPECT_EQ(dialog.choice().kind, DeviceKind::Serial);
    EXPECT_EQ(part<QPushButton>(dialog, "ok")->text(), "OK");
    EXPECT_EQ(part<QPushButton>(dialog, "cancel")->text(), "Cancel");
}

TEST(NewDeviceDialog, ButtonsCloseWithTheirResultsAndTheFieldsStay)
{
    TNewDeviceFORM dialog;
    dialog.show();
    part<QLineEdit>(dialog, "name")->setText("Shack");
    part<QGroupBox>(dialog, "types")->findChildren<QRadioButton*>()[1]->click();
    EXPECT_EQ(dialog.choice().kind, DeviceKind::TcpIp);
    part<QPushButton>(dialog, "cancel")->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());

    dialog.show();
    EXPECT_EQ(dialog.choice().name, "Shack");
    EXPECT_EQ(dialog.choice().kind, DeviceKind::TcpIp);
    part<QPushButton>(dialog, "ok")->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(NewDeviceDialog, OffersTheChoiceItIsGiven)
{
    TNewDeviceFORM dialog;
    dialog.setChoice({QStringLiteral("Relay"), DeviceKind::TcpIp});
    EXPECT_EQ(part<QLineEdit>(dialog, "name")->text(), "Relay");
    EXPECT_TRUE(part<QGroupBox>(dialog, "types")->findChildren<QRadioButton*>()[1]->isChecked());
    dialog.setChoice({QStringLiteral("Shack"), DeviceKind::Serial});
    EXPECT_TRUE(part<QGroupBox>(dialog, "types")->findChildren<QRadioButton*>()[0]->isChecked());
    EXPECT_EQ(dialog.choice().name, "Shack");
}
