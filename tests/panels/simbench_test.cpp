// The bench the windows' end-to-end tests run on: several radios on one bus,
// reached at once over TCP/IP and the pseudo-terminal.

#include "support/simbench.h"

#include <gtest/gtest.h>

#include "core/device.h"
#include "sim/radio.h"
#include "support/waitfor.h"

namespace {

void listenTo(Tdevice& device, QByteArray& into)
{
    TRxHandler handler;
    handler.bind([&into](const quint8* p, qint32 l) { into.append(reinterpret_cast<const char*>(p), l); });
    device.RegFunc(handler);
}

void send(Tdevice& device, const QByteArray& frame)
{
    device.Send(reinterpret_cast<const quint8*>(frame.constData()), qint32(frame.size()));
}

TEST(SimBench, TwoRadiosOnOneBusAnswerOverBothLinks)
{
    SimBench bench;
    ASSERT_TRUE(bench.start({{QStringLiteral("ic706"), 0x48}, {QStringLiteral("ic706mkii"), 0x4e}}))
        << bench.failure().toStdString();
    EXPECT_EQ(bench.radio(0).address(), 0x48);
    EXPECT_EQ(bench.radio(1).address(), 0x4e);
    Tdevice* tcp = bench.addDevice(SimLink::Tcp);
    ASSERT_NE(tcp, nullptr) << bench.failure().toStdString();
    Tdevice* pty = bench.addDevice(SimLink::Pty);
    ASSERT_NE(pty, nullptr) << bench.failure().toStdString();
    EXPECT_EQ(DeviceList->count(), 2);
    EXPECT_EQ(DeviceList->at(0), tcp);
    EXPECT_EQ(DeviceList->at(1), pty);

    // Each link reaches each radio: a frequency read comes back from the address asked.
    QByteArray overTcp, overPty;
    listenTo(*tcp, overTcp);
    listenTo(*pty, overPty);
    send(*tcp, QByteArray::fromHex("fefe48e003fd"));
    send(*pty, QByteArray::fromHex("fefe4ee003fd"));
    ASSERT_TRUE(waitFor([&] { return overTcp.contains(QByteArray::fromHex("fefee04803")); }, 10000));
    ASSERT_TRUE(waitFor([&] { return overPty.contains(QByteArray::fromHex("fefee04e03")); }, 10000));
    EXPECT_TRUE(bench.modal.boxes.empty()) << bench.failure().toStdString();
}

TEST(SimBench, SaysWhyADeviceCouldNotBeAdded)
{
    SimBench bench;
    EXPECT_EQ(bench.addDevice(SimLink::Tcp), nullptr);
    EXPECT_TRUE(bench.failure().contains(QStringLiteral("not started")));
    ASSERT_TRUE(bench.start({{QStringLiteral("ic756"), -1}}, false)) << bench.failure().toStdString();
    EXPECT_EQ(bench.addDevice(SimLink::Pty), nullptr);
    EXPECT_TRUE(bench.failure().contains(QStringLiteral("without its pseudo-terminal")));
}

TEST(SimBench, PutsTheSharedDialogsAndDeviceListBack)
{
    TDeviceList* before = DeviceList;
    {
        SimBench bench;
        EXPECT_NE(DeviceList, nullptr);
        EXPECT_NE(DeviceList, before);
    }
    EXPECT_EQ(DeviceList, before);
}

}  // namespace
