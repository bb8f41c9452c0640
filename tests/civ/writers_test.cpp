#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "bus.h"

// Operation -> the exact frame queued, per model class.

namespace {

struct Vector {
    std::string what;
    std::function<void(Tciv&)> op;
    std::string frame;  // "" = nothing queued
};

template <typename T>
void checkVectors(const std::vector<Vector>& vectors)
{
    for (const Vector& v : vectors) {
        BusHarness h;
        T* engine = h.open<T>();
        v.op(*engine);
        const QStringList q = queueOf(*engine);
        if (!v.frame.empty()) {
            EXPECT_EQ(q, QStringList{QString::fromStdString(v.frame)}) << v.what;
            EXPECT_EQ(h.log.lines, QStringList{"0 E(9,1)"}) << v.what;
        } else {
            EXPECT_TRUE(q.isEmpty()) << v.what;
            EXPECT_TRUE(h.log.lines.isEmpty()) << v.what;
        }
    }
}

// Everything but the mode table is common to the three models; at address xx.
std::vector<Vector> common(const char* a)
{
    const auto f = [a](const char* body) {
        return QStringLiteral("FE FE %1 E0 %2 FD").arg(a, body).toStdString();
    };
    return {
        {"ReadFreq", [](Tciv& e) { e.ReadFreq(); }, f("03")},
        {"ReadMode", [](Tciv& e) { e.ReadMode(); }, f("04")},
        {"ReadOffset", [](Tciv& e) { e.ReadOffset(); }, f("0C")},
        {"Freq 014.195.000", [](Tciv& e) { e.setFreq("014.195.000"); }, f("05 00 50 19 14 00")},
        {"Freq 014.195,000", [](Tciv& e) { e.setFreq("014.195,000"); }, f("05 00 50 19 14 00")},
        {"Freq 145.500.000", [](Tciv& e) { e.setFreq("145.500.000"); }, f("05 00 00 50 45 01")},
        {"band 0", [](Tciv& e) { e.setBand(0); }, f("07 D0")},
        {"band 1", [](Tciv& e) { e.setBand(1); }, f("07 D1")},
        {"band 2", [](Tciv& e) { e.setBand(2); }, ""},
        {"VFO 0", [](Tciv& e) { e.setVFO(0); }, f("07")},
        {"VFO 1", [](Tciv& e) { e.setVFO(1); }, f("07 00")},
        {"VFO 2", [](Tciv& e) { e.setVFO(2); }, f("07 01")},
        {"VFO 7", [](Tciv& e) { e.setVFO(7); }, f("07 A0")},
        {"VFO 8", [](Tciv& e) { e.setVFO(8); }, f("07 B0")},
        {"VFO 3", [](Tciv& e) { e.setVFO(3); }, ""},
        {"Memory 7", [](Tciv& e) { e.setMemory(7); }, f("08 07")},
        {"Memory 42", [](Tciv& e) { e.setMemory(42); }, f("08 42")},
        {"Memory 101", [](Tciv& e) { e.setMemory(101); }, f("08 01 01")},
        {"Memory 1234", [](Tciv& e) { e.setMemory(1234); }, f("08 12 34")},
        {"Memory -1", [](Tciv& e) { e.setMemory(-1); }, ""},
        {"MemoryCmd 0", [](Tciv& e) { e.setMemoryCmd(0); }, f("08")},
        {"MemoryCmd 1", [](Tciv& e) { e.setMemoryCmd(1); }, f("09")},
        {"MemoryCmd 2", [](Tciv& e) { e.setMemoryCmd(2); }, f("0A")},
        {"MemoryCmd 3", [](Tciv& e) { e.setMemoryCmd(3); }, f("0B")},
        {"MemoryCmd 4", [](Tciv& e) { e.setMemoryCmd(4); }, f("0C")},
        {"MemoryCmd 5", [](Tciv& e) { e.setMemoryCmd(5); }, f("0D")},
        {"MemoryCmd 6", [](Tciv& e) { e.setMemoryCmd(6); }, ""},
        {"ScanCmd 0", [](Tciv& e) { e.setScanCmd(0); }, f("0E 01")},
        {"ScanCmd 1", [](Tciv& e) { e.setScanCmd(1); }, f("0E 00")},
        {"ScanCmd 2", [](Tciv& e) { e.setScanCmd(2); }, f("0E 02")},
        {"ScanCmd 3", [](Tciv& e) { e.setScanCmd(3); }, f("0E 03")},
        {"ScanCmd 4", [](Tciv& e) { e.setScanCmd(4); }, f("0E 12")},
        {"ScanCmd 5", [](Tciv& e) { e.setScanCmd(5); }, f("0E 13")},
        {"ScanCmd 6", [](Tciv& e) { e.setScanCmd(6); }, f("0E 22")},
        {"ScanCmd 7", [](Tciv& e) { e.setScanCmd(7); }, f("0E 23")},
        {"ScanCmd -1", [](Tciv& e) { e.setScanCmd(-1); }, ""},
        {"split true", [](Tciv& e) { e.setSplit(true); }, f("0F 01")},
        {"split false", [](Tciv& e) { e.setSplit(false); }, f("0F 00")},
        {"duplex 0", [](Tciv& e) { e.setDuplex(0); }, f("0F 10")},
        {"duplex 1", [](Tciv& e) { e.setDuplex(1); }, f("0F 11")},
        {"duplex 2", [](Tciv& e) { e.setDuplex(2); }, f("0F 12")},
        {"duplex 3", [](Tciv& e) { e.setDuplex(3); }, ""},
    };
}

// mode -> body, for the base table and the IC-706 table.
std::vector<Vector> modes(const char* a, bool ic706)
{
    const char* base[] = {"06 03 02", "06 03 01", "06 00", "06 01", "06 02", "06 05", "", "06 04",
                          "",         "",         "",      "",      "",      "",      ""};
    const char* i706[] = {"06 03 02", "06 03 01", "06 00 01", "06 01 01", "06 02 01",
                          "06 05 01", "06 06",    "06 04 01", "",         "06 00 02",
                          "06 01 02", "06 02 02", "06 04 02", "06 05 02", ""};
    std::vector<Vector> out;
    for (int m = -1; m <= 14; ++m) {
        const char* body = m < 0 ? "" : (ic706 ? i706[m] : base[m]);
        const std::string frame = *body ? QStringLiteral("FE FE %1 E0 %2 FD").arg(a, body).toStdString() : "";
        out.push_back({"mode " + std::to_string(m), [m](Tciv& e) { e.setMode(m); }, frame});
    }
    return out;
}

}  // namespace

TEST(CivWriters, Ic706)
{
    checkVectors<Tic706>(common("48"));
    checkVectors<Tic706>(modes("48", true));
}

TEST(CivWriters, Ic756)
{
    checkVectors<Tic756>(common("50"));
    checkVectors<Tic756>(modes("50", false));
    checkVectors<Tic756>({
        {"Dual true", [](Tciv& e) { static_cast<Tic756&>(e).setDual(true); }, "FE FE 50 E0 07 C1 FD"},
        {"Dual false", [](Tciv& e) { static_cast<Tic756&>(e).setDual(false); }, "FE FE 50 E0 07 C0 FD"},
        {"Antenna 5", [](Tciv& e) { static_cast<Tic756&>(e).setAntenna(5); }, "FE FE 50 E0 12 00 00 FD"},
        {"Antenna 6", [](Tciv& e) { static_cast<Tic756&>(e).setAntenna(6); }, "FE FE 50 E0 12 01 00 FD"},
        {"Antenna 7", [](Tciv& e) { static_cast<Tic756&>(e).setAntenna(7); }, "FE FE 50 E0 12 00 01 FD"},
        {"Antenna 8", [](Tciv& e) { static_cast<Tic756&>(e).setAntenna(8); }, "FE FE 50 E0 12 01 01 FD"},
        {"Antenna 4", [](Tciv& e) { static_cast<Tic756&>(e).setAntenna(4); }, ""},
        {"Antenna 0", [](Tciv& e) { static_cast<Tic756&>(e).setAntenna(0); }, ""},
    });
}

TEST(CivWriters, Ic821)
{
    checkVectors<Tic821>(common("4C"));
    checkVectors<Tic821>(modes("4C", false));
}

TEST(CivWriters, TheAddressFieldIsUsedAtEachWrite)
{
    BusHarness h;
    Tic756* e = h.open<Tic756>();
    e->Address = 0x5A;
    e->ReadFreq();
    EXPECT_EQ(queueOf(*e), QStringList{"FE FE 5A E0 03 FD"});
}

TEST(CivWriters, ValuesAreStoredWhetherOrNotSent)
{
    BusHarness h;
    Tic756* e756 = h.open<Tic756>();
    Tic706* e706 = h.open<Tic706>();
    e756->setMode(9);
    e706->setMode(9);
    EXPECT_EQ(e756->mode(), 9);
    EXPECT_EQ(queueOf(*e756), QStringList{});
    EXPECT_EQ(queueOf(*e706), QStringList{"FE FE 48 E0 06 00 02 FD"});

    e756->setVFO(5);
    e756->setBand(7);
    e756->setDuplex(-2);
    e756->setMemory(-3);
    e756->setAntenna(99);
    e756->setDual(true);
    e756->setSplit(true);
    EXPECT_EQ(e756->VFO(), 5);
    EXPECT_EQ(e756->band(), 7);
    EXPECT_EQ(e756->duplex(), -2);
    EXPECT_EQ(e756->Memory(), -3);
    EXPECT_EQ(e756->Antenna(), 99);
    EXPECT_TRUE(e756->Dual());
    EXPECT_TRUE(e756->split());
    EXPECT_EQ(queueOf(*e756), (QStringList{"FE FE 50 E0 07 C1 FD", "FE FE 50 E0 0F 01 FD"}));
}

TEST(CivWriters, FreqThatDoesNotConvertReportsTenAndKeepsTheText)
{
    for (const char* text : {"NONE", "014.195.00", "", "BLANK", "014.1a5.000", "   .   .   "}) {
        BusHarness h;
        Tic756* e = h.open<Tic756>();
        e->setFreq(text);
        EXPECT_EQ(e->Freq(), text);
        EXPECT_EQ(h.log.lines, QStringList{"0 E(10,0)"}) << text;
        EXPECT_TRUE(e->Queue().empty());
    }
    BusHarness h;
    Tic756* e = h.open<Tic756>();
    e->setFreq("014.195.000 trailing");  // past the 11th character nothing is read
    EXPECT_EQ(queueOf(*e), QStringList{"FE FE 50 E0 05 00 50 19 14 00 FD"});
    EXPECT_EQ(e->Freq(), "014.195.000 trailing");
}

TEST(CivWriters, NewEnginesHaveTheirDefaultsAndSendNothing)
{
    BusHarness h;
    Tic821* e821 = new Tic821(h.owner.get());
    Tic706* e706 = new Tic706(h.owner.get());
    Tic756* e756 = new Tic756(h.owner.get());
    EXPECT_EQ(e821->Address, 0x4C);
    EXPECT_EQ(e706->Address, 0x48);
    EXPECT_EQ(e756->Address, 0x50);
    for (Tciv* e : std::initializer_list<Tciv*>{e821, e706, e756}) {
        EXPECT_EQ(e->mode(), 5);
        EXPECT_EQ(e->Freq(), "NONE");
        EXPECT_EQ(e->VFO(), 0);
        EXPECT_EQ(e->Memory(), 0);
        EXPECT_EQ(e->band(), 0);
        EXPECT_FALSE(e->split());
        EXPECT_EQ(e->duplex(), 0);
        EXPECT_EQ(e->device(), nullptr);
        EXPECT_TRUE(e->RadioName.isEmpty());
        EXPECT_EQ(e->MaxTries, 9);
        EXPECT_EQ(e->ReplyTimeout, 1000);
        EXPECT_EQ(e->SendDelay, 250);
        EXPECT_EQ(e->Timer()->interval(), 250);
        EXPECT_TRUE(e->Timer()->enabled());
        EXPECT_EQ(e->Timer()->parent(), h.owner.get());
        EXPECT_EQ(e->RxWindow(), (std::array<quint8, 20>{}));
        EXPECT_TRUE(e->Queue().empty());
    }
    EXPECT_EQ(e756->Antenna(), 0);
    EXPECT_FALSE(e756->Dual());
    h.clock.advance(10000);
    EXPECT_EQ(h.bus->sent, 0);
}

TEST(CivWriters, SendCmdRefusesOverlongFrames)
{
    BusHarness h;
    Tic756* e = h.open<Tic756>();
    e->ReadFreq();
    const QByteArray twenty = hex("FE FE 50 E0 1A") + QByteArray(14, '\x01') + hex("FD");
    const QByteArray longer = twenty + hex("00");
    e->SendCmd(reinterpret_cast<const quint8*>(longer.constData()), longer.size());
    e->SendCmd(reinterpret_cast<const quint8*>(twenty.constData()), twenty.size());
    e->SendCmd(reinterpret_cast<const quint8*>(twenty.constData()), 0);
    e->SendCmd(nullptr, 5);
    EXPECT_EQ(h.log.lines, (QStringList{"0 E(9,1)", "0 E(2,20)", "0 E(9,2)"}));
    EXPECT_EQ(queueOf(*e), (QStringList{"FE FE 50 E0 03 FD", hexOf(twenty)}));
}

namespace {

class HfOnly : public Tciv {
public:
    using Tciv::Tciv;
    bool CheckFreq(const QString& text) override { return text.startsWith(QLatin1String("0")); }
};

}  // namespace

TEST(CivWriters, CheckFreqDecidesWhetherAConvertedFrequencyIsSent)
{
    BusHarness h;
    HfOnly* e = h.open<HfOnly>();
    e->Address = 0x50;
    e->setFreq("145.500.000");
    EXPECT_EQ(e->Freq(), "145.500.000");
    EXPECT_TRUE(e->Queue().empty());
    EXPECT_TRUE(h.log.lines.isEmpty());
    e->setFreq("014.195.000");
    EXPECT_EQ(queueOf(*e), QStringList{"FE FE 50 E0 05 00 50 19 14 00 FD"});

    // The radio models hold no band limits: the radio itself refuses with NG.
    Tic706 e706(nullptr);
    Tic756 e756(nullptr);
    Tic821 e821(nullptr);
    for (Tciv* m : std::initializer_list<Tciv*>{&e706, &e756, &e821}) {
        EXPECT_TRUE(m->CheckFreq("999.999.999"));
        EXPECT_TRUE(m->CheckFreq("000.000.000"));
    }
}

TEST(CivWriters, TimingFollowsTheKindOfDevice)
{
    BusHarness h;
    Tic756* e = new Tic756(h.owner.get());
    EXPECT_EQ(e->MaxTries, 9);
    EXPECT_EQ(e->ReplyTimeout, 1000);
    EXPECT_EQ(e->SendDelay, 250);
    e->setTimingForDevice(DeviceKind::TcpIp);
    EXPECT_EQ(e->MaxTries, 1);
    EXPECT_EQ(e->ReplyTimeout, 15000);
    EXPECT_EQ(e->SendDelay, 500);
    e->setTimingForDevice(DeviceKind::Serial);
    EXPECT_EQ(e->MaxTries, 9);
    EXPECT_EQ(e->ReplyTimeout, 1000);
    EXPECT_EQ(e->SendDelay, 300);
}
