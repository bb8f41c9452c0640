// Find Radios in the whole program: the simulated bus behind a relay, the radios
// found listed, the panel of one opened, and a long search cancelled.
#include "shell/findradios.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <memory>

#include "civ/civ.h"
#include "core/device.h"
#include "devices/device_tcpip.h"
#include "devices/tcpipwindow.h"
#include "panels/graphicalpanel.h"
#include "radio/radiofinder.h"
#include "relaydevice.h"
#include "shell/mainform.h"
#include "shell/newdevice.h"
#include "shell/startup.h"
#include "sim/simulator.h"
#include "sim/tcprelay.h"
#include "support/findpart.h"
#include "support/freeport.h"
#include "support/modalrecorder.h"
#include "support/waitfor.h"

namespace {

QStringList rowTexts(const QTreeWidget* list)
{
    QStringList rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = list->topLevelItem(i);
        rows << QStringLiteral("%1 %2").arg(item->text(0), item->text(1));
    }
    return rows;
}

}  // namespace

TEST(FindRadios, TheThreeSimulatedRadiosAreListedAndTheIc756PanelOpensFromTheList)
{
    const std::unique_ptr<Simulator> sim = startRelaySimulator();
    ASSERT_TRUE(sim->tcp());

    ModalRecorder modal;
    modal.onDialog = [](QDialog& d) {
        if (auto* newDevice = dynamic_cast<TNewDeviceFORM*>(&d))
            newDevice->setChoice({QStringLiteral("Sim"), DeviceKind::TcpIp});
        return Modal::Ok;
    };
    std::unique_ptr<TMainFORM> frame = createSharedWindows();
    frame->resize(1100, 900);
    frame->show();
    connectRelay(*frame, sim->tcp()->port());
    ASSERT_FALSE(::testing::Test::HasFatalFailure());

    QAction* item = frame->command(TMainFORM::Command::FindRadios);
    EXPECT_EQ(item->text(), "Find Radios...");
    EXPECT_TRUE(frame->menu(TMainFORM::Menu::DeviceSetup)->actions().contains(item));
    item->trigger();
    FindRadiosForm* form = frame->findRadios();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(part<QComboBox>(form, "device")->currentText(), "[Sim] <TCP/IP>");
    auto* list = part<QTreeWidget>(form, "radios");

    QElapsedTimer clock;
    clock.start();
    part<QPushButton>(form, "find")->click();
    // The search runs from the event loop: the window is usable while it asks.
    EXPECT_TRUE(form->finder()->running());
    EXPECT_TRUE(part<QPushButton>(form, "cancel")->isEnabled());
    EXPECT_FALSE(part<QPushButton>(form, "find")->isEnabled());
    ASSERT_TRUE(waitFor([&] { return !form->finder()->running(); }, 10000));
    // The default addresses on an idle 9600 Bd bus.
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_EQ(rowTexts(list), (QStringList{"48 IC-706/IC-706MKII", "50 IC-756", "4C IC-821"}));
    EXPECT_EQ(list->topLevelItem(1)->text(2), "14.195.000");
    EXPECT_EQ(list->topLevelItem(1)->text(3), "USB");
    EXPECT_EQ(part<QProgressBar>(form, "progress")->value(), 3);
    EXPECT_EQ(part<QLabel>(form, "status")->text(), "3 radio(s) found on [Sim] <TCP/IP>.");

    // Both models of address 48 are offered, the IC-821's window of ordinary controls too.
    auto* model = part<QComboBox>(form, "model");
    EXPECT_EQ(model->count(), 2);
    list->setCurrentItem(list->topLevelItem(2));
    EXPECT_EQ(model->itemText(0), "IC-821");
    EXPECT_EQ(model->itemText(1), "IC-821 (Text)");
    list->setCurrentItem(list->topLevelItem(1));
    EXPECT_EQ(model->currentText(), "IC-756");
    part<QPushButton>(form, "open")->click();
    auto* panel = frame->findChild<GraphicalPanel*>();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->windowTitle(), "IC756 on device [Sim] <TCP/IP>");
    EXPECT_EQ(panel->engine()->Address, 0x50);
    // It reads its radio as when opened from the Radio menu.
    EXPECT_TRUE(waitFor(
        [&] { return panel->view().mainText.size() == 11 && panel->engine()->Queue().empty(); }, 20000));

    // Every address takes half a minute: Cancel stops it where it is.
    part<QCheckBox>(form, "allAddresses")->setChecked(true);
    part<QPushButton>(form, "find")->click();
    ASSERT_TRUE(waitFor([&] { return list->topLevelItemCount() == 3; }, 10000));
    part<QPushButton>(form, "cancel")->click();
    EXPECT_FALSE(form->finder()->running());
    EXPECT_LT(part<QProgressBar>(form, "progress")->value(), part<QProgressBar>(form, "progress")->maximum());
    EXPECT_TRUE(part<QLabel>(form, "status")->text().startsWith("Search cancelled"));
    EXPECT_TRUE(part<QPushButton>(form, "find")->isEnabled());
    EXPECT_TRUE(modal.boxes.empty()) << qPrintable(modal.texts().join(" | "));

    frame.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
