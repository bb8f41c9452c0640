#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>

#include "sim/ptyport.h"
#include "sim/radio.h"
#include "sim/simulator.h"
#include "simtest.h"

// Hamlib's rigctl, a CI-V client we did not write, drives each model over the
// pseudo-terminal at the line speed.
namespace {

struct RigctlCase {
    const char* radio;  // --radio value
    int hamlibModel;
    const char* setFreq;
    const char* setMode;
    qint64 expectFreq;
    int expectMode;
};

void PrintTo(const RigctlCase& c, std::ostream* os)
{
    *os << c.radio << " as Hamlib model " << c.hamlibModel;
}

class Rigctl : public ::testing::TestWithParam<RigctlCase> {};

QStringList runRigctl(const QString& program, int model, const QString& port, const QStringList& commands,
                      int* exitCode)
{
    QProcess rigctl;
    rigctl.setProcessChannelMode(QProcess::SeparateChannels);
    rigctl.start(program, QStringList{"-m", QString::number(model), "-r", port, "-s", "9600"} + commands);
    bool finished = false;
    QObject::connect(&rigctl, &QProcess::finished, [&] { finished = true; });
    if (!rigctl.waitForStarted(5000))
        return {};
    // The simulator answers from this thread's event loop, so wait in it.
    if (!waitUntil([&] { return finished; }, 30000)) {
        rigctl.kill();
        rigctl.waitForFinished(5000);
        *exitCode = -1;
        return {};
    }
    *exitCode = rigctl.exitCode();
    return QString::fromLocal8Bit(rigctl.readAllStandardOutput())
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

}  // namespace

TEST_P(Rigctl, ReadsAndSetsFrequencyAndMode)
{
    const QString program = QStandardPaths::findExecutable("rigctl");
    if (program.isEmpty())
        GTEST_SKIP() << "rigctl (Debian libhamlib-utils) is not installed";
    const RigctlCase& c = GetParam();

    SimOptions o;
    o.tcpPort = 0;
    o.stdinControl = false;
    QString error;
    RadioChoice choice;
    SimOptions parsed;
    ASSERT_TRUE(parseSimOptions({"--radio", c.radio}, &parsed, &error)) << error.toStdString();
    o.radios = parsed.radios;
    Simulator sim(o);
    ASSERT_TRUE(sim.start(&error)) << error.toStdString();
    SimRadio& radio = *sim.radios().first();
    const qint64 initialFreq = radio.state().operating().freq;

    int exitCode = 0;
    const QStringList out = runRigctl(program, c.hamlibModel, sim.pty()->path(),
                                      {"f", "F", c.setFreq, "f", "M", c.setMode, "0", "m"}, &exitCode);
    ASSERT_EQ(exitCode, 0) << out.join('\n').toStdString();
    ASSERT_GE(out.size(), 4) << out.join('\n').toStdString();
    EXPECT_EQ(out[0].toLongLong(), initialFreq);
    EXPECT_EQ(out[1], c.setFreq);
    EXPECT_EQ(out[2], c.setMode);
    EXPECT_EQ(radio.state().operating().freq, c.expectFreq);
    EXPECT_EQ(radio.state().operating().mode, c.expectMode);
}

INSTANTIATE_TEST_SUITE_P(
    EachModel, Rigctl,
    ::testing::Values(RigctlCase{"ic706", 3009, "7074000", "LSB", 7074000, civ::Mode::Lsb},
                      RigctlCase{"ic706mkii@4E", 3010, "145200000", "FM", 145200000, civ::Mode::Fm},
                      RigctlCase{"ic756", 3026, "14100000", "CW", 14100000, civ::Mode::Cw},
                      RigctlCase{"ic821", 3034, "435100000", "USB", 435100000, civ::Mode::Usb}),
    [](const ::testing::TestParamInfo<RigctlCase>& info) { return std::to_string(info.param.hamlibModel); });
