#include "core/device.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/modalrecorder.h"

namespace {

class FakeDevice : public Tdevice {
public:
    std::vector<QByteArray> sent;
    void Send(const quint8* data, qint32 len) override
    {
        sent.emplace_back(reinterpret_cast<const char*>(data), len);
    }
};

struct Listener {
    int id;
    std::vector<int>* calls;
    void rx(const quint8*, qint32) { calls->push_back(id); }
};

const quint8 kBytes[] = {0xFE, 0xFE, 0xE0, 0x50, 0xFB, 0xFD};

}  // namespace

TEST(Device, FifteenRegisterTheSixteenthIsRefusedWithABox)
{
    ModalRecorder modal;
    FakeDevice dev;
    std::vector<int> calls;
    std::vector<Listener> listeners;
    for (int i = 0; i < 16; ++i)
        listeners.push_back({i + 1, &calls});
    for (int i = 0; i < 15; ++i) {
        TRxHandler h;
        h.bind(&listeners[i], &Listener::rx);
        EXPECT_EQ(dev.RegFunc(h), i + 1);
    }
    TRxHandler extra;
    extra.bind(&listeners[15], &Listener::rx);
    EXPECT_EQ(dev.RegFunc(extra), 0);
    ASSERT_EQ(modal.boxes.size(), 1u);
    EXPECT_EQ(modal.boxes[0].kind, Modal::Kind::Error);
    EXPECT_EQ(modal.boxes[0].text, "Error: Too many functions Reg to a device");
    EXPECT_EQ(dev.HandlerCount(), 15);
    dev.Deliver(kBytes, 6);
    EXPECT_EQ(calls.size(), 15u);
}

TEST(Device, FreedPositionsAreReusedAndOrderIsByPosition)
{
    FakeDevice dev;
    std::vector<int> calls;
    Listener a{1, &calls}, b{2, &calls}, c{3, &calls}, d{4, &calls};
    TRxHandler ha, hb, hc, hd;
    ha.bind(&a, &Listener::rx);
    hb.bind(&b, &Listener::rx);
    hc.bind(&c, &Listener::rx);
    hd.bind(&d, &Listener::rx);
    dev.RegFunc(ha);
    dev.RegFunc(hb);
    dev.RegFunc(hc);
    dev.UnRegFunc(1);
    EXPECT_EQ(dev.HandlerCount(), 3);
    EXPECT_EQ(dev.RegFunc(hd), 1);
    dev.Deliver(kBytes, 6);
    EXPECT_EQ(calls, (std::vector<int>{4, 2, 3}));

    dev.UnRegFunc(3);
    EXPECT_EQ(dev.HandlerCount(), 2);
    dev.UnRegFunc(0);
    dev.UnRegFunc(-4);
    dev.UnRegFunc(3);
    dev.UnRegFunc(16);
    EXPECT_EQ(dev.HandlerCount(), 2);
    dev.UnRegFunc(1);
    dev.UnRegFunc(2);
    EXPECT_EQ(dev.HandlerCount(), 0);
    calls.clear();
    dev.Deliver(kBytes, 6);
    EXPECT_TRUE(calls.empty());
}

TEST(Device, HandlersMayUnregisterDuringDelivery)
{
    FakeDevice dev;
    std::vector<int> calls;
    int h1 = 0, h2 = 0, h3 = 0;
    TRxHandler first, second, third;
    first.bind([&](const quint8*, qint32) {
        calls.push_back(1);
        dev.UnRegFunc(h1);  // itself
        dev.UnRegFunc(h2);  // a later one: not called any more
    });
    second.bind([&](const quint8*, qint32) { calls.push_back(2); });
    third.bind([&](const quint8*, qint32) {
        calls.push_back(3);
        TRxHandler late;
        late.bind([&](const quint8*, qint32) { calls.push_back(4); });
        dev.RegFunc(late);  // registered during delivery: waits for the next one
    });
    h1 = dev.RegFunc(first);
    h2 = dev.RegFunc(second);
    h3 = dev.RegFunc(third);
    dev.Deliver(kBytes, 6);
    EXPECT_EQ(calls, (std::vector<int>{1, 3}));
    calls.clear();
    dev.UnRegFunc(h3);
    dev.Deliver(kBytes, 6);
    EXPECT_EQ(calls, (std::vector<int>{4}));
}

TEST(Device, HandlerMaySendOnTheSameDevice)
{
    FakeDevice dev;
    TRxHandler echo;
    echo.bind([&](const quint8* p, qint32 l) { dev.Send(p, l); });
    dev.RegFunc(echo);
    dev.Deliver(kBytes, 6);
    ASSERT_EQ(dev.sent.size(), 1u);
    EXPECT_EQ(dev.sent[0].size(), 6);
}

TEST(Device, ListGivesDevicesByNumber)
{
    TDeviceList list;
    EXPECT_EQ(list.at(0), nullptr);
    auto* a = list.append(std::make_unique<FakeDevice>());
    auto* b = list.append(std::make_unique<FakeDevice>());
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(list.at(0), a);
    EXPECT_EQ(list.at(1), b);
    EXPECT_EQ(list.at(2), nullptr);
    EXPECT_EQ(list.at(-1), nullptr);
}
