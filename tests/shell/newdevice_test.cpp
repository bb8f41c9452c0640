#include "shell/newdevice.h"

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

TEST(NewDeviceDialog, LooksAsDesigned)
{
    TNewDeviceFORM dialog;
    EXPECT_EQ(dialog.windowTitle(), "New Device");
    EXPECT_EQ(dialog.Label1->text(), "Device Name");
    EXPECT_EQ(dialog.EDeviceName->text(), "Device");
    EXPECT_EQ(dialog.RGType->title(), "Device Type");
    const auto items = dialog.RGType->findChildren<QRadioButton*>();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0]->text(), "Serial");
    EXPECT_EQ(items[1]->text(), "TCP/IP");
    EXPECT_EQ(dialog.typeIndex(), TNewDeviceFORM::Serial);
    EXPECT_EQ(dialog.BitBtn1->text(), "OK");
    EXPECT_EQ(dialog.BitBtn2->text(), "Cancel");
}

TEST(NewDeviceDialog, ButtonsCloseWithTheirResultsAndTheFieldsStay)
{
    TNewDeviceFORM dialog;
    dialog.show();
    dialog.EDeviceName->setText("Shack");
    dialog.RGType->findChildren<QRadioButton*>()[1]->click();
    EXPECT_EQ(dialog.typeIndex(), TNewDeviceFORM::TcpIp);
    dialog.BitBtn2->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());

    dialog.show();
    EXPECT_EQ(dialog.EDeviceName->text(), "Shack");
    EXPECT_EQ(dialog.typeIndex(), TNewDeviceFORM::TcpIp);
    dialog.BitBtn1->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}
