#include "ser2net.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>

#include "devices/tcpipwindow.h"
#include "support/modalrecorder.h"
#include "support/pty.h"
#include "support/qtprint.h"
#include "widgets/ledlittle.h"

namespace {

bool connectThrough(TTCPIPForm& form, const Ser2netRelay& relay)
{
    form.setRelay(QStringLiteral("127.0.0.1"), relay.portText());
    form.connectToRelay();
    return waitFor([&] { return form.isConnected(); });
}

}  // namespace

TEST(Ser2netRelay, CarriesBytesBetweenTheWindowAndASerialLine)
{
    if (!Ser2netRelay::available())
        GTEST_SKIP() << "ser2net is not installed";
    PtyPair line;
    ASSERT_TRUE(line.ok());
    Ser2netRelay relay;
    ASSERT_TRUE(relay.start(line.slaveName));

    ModalRecorder modal;
    TTCPIPForm form;
    QByteArray received;
    form.setReceiveHandler(
        [&](const quint8* p, qint32 l) { received.append(reinterpret_cast<const char*>(p), l); });
    ASSERT_TRUE(connectThrough(form, relay));

    const QByteArray frame = QByteArray::fromHex("fefe50e003fd");
    // The relay opens the line when the connection arrives; give it the moment.
    QByteArray atLine;
    ASSERT_TRUE(waitFor([&] {
        form.Transmit(reinterpret_cast<const quint8*>(frame.constData()), qint32(frame.size()));
        waitFor([] { return false; }, 50);
        atLine += line.readAvailable();
        return atLine.size() >= frame.size();
    }));
    EXPECT_TRUE(atLine.startsWith(frame));

    line.write(QByteArray::fromHex("fefee05003000019140000fd"));
    ASSERT_TRUE(waitFor([&] { return received.size() >= 12; }));
    EXPECT_EQ(received, QByteArray::fromHex("fefee05003000019140000fd"));
    EXPECT_TRUE(modal.boxes.empty());
}

TEST(Ser2netRelay, TheRelayGoingAwayMidSessionClosesTheSession)
{
    if (!Ser2netRelay::available())
        GTEST_SKIP() << "ser2net is not installed";
    PtyPair line;
    ASSERT_TRUE(line.ok());
    Ser2netRelay relay;
    ASSERT_TRUE(relay.start(line.slaveName));

    ModalRecorder modal;
    TTCPIPForm form;
    ASSERT_TRUE(connectThrough(form, relay));
    EXPECT_EQ(form.findChild<TLedLittle*>("connectedLamp")->LedColor(), lcGreen);

    relay.stop();
    ASSERT_TRUE(waitFor([&] { return !form.isConnected(); }));
    EXPECT_EQ(form.findChild<TLedLittle*>("connectedLamp")->LedColor(), lcBlack);

    line.readAvailable();
    const quint8 frame[] = {0xfe, 0xfe, 0x50, 0xe0, 0x03, 0xfd};
    form.Transmit(frame, sizeof frame);
    waitFor([] { return false; }, 100);
    EXPECT_TRUE(line.readAvailable().isEmpty());
    // A reset rather than a close may be told once; nothing else is.
    EXPECT_LE(modal.boxes.size(), 1u);
    for (const auto& box : modal.boxes)
        EXPECT_EQ(box.text, "TSocket Reset by Peer!");
}
