// tsln-ctl download and upload end to end: the real program against the real
// simulator, each model over TCP and over the pseudo-terminal.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <array>
#include <tuple>

#include "memfiles/channelcsv.h"
#include "memfiles/memfile.h"
#include "support/simprocess.h"

namespace {

struct ModelCase {
    const char* key;
    const char* address;
    const char* lastChannel;  // as "memories ADDRESS all" ends
    std::array<const char*, 4> freqs;
    std::array<const char*, 4> modes;
};

const ModelCase Models[] = {
    {"ic706",
     "48",
     " 99 ",
     {"014.195.000", "007.050.000", "003.560.000", "028.500.000"},
     {"USB", "LSB", "CW", "FM"}},
    {"ic706mkii",
     "48",
     " 99 ",
     {"145.500.000", "007.050.000", "003.560.000", "050.150.000"},
     {"FM", "LSB", "CW", "USB"}},
    {"ic756",
     "50",
     " 99 ",
     {"014.195.000", "007.050.000", "010.106.000", "050.150.000"},
     {"USB", "LSB", "CW", "AM"}},
    {"ic821",
     "4C",
     " 80 ",
     {"145.500.000", "435.000.000", "144.300.000", "432.200.000"},
     {"FM", "FM", "USB", "CW"}},
};

// Channels 3 to 8 are transferred; 2 and 9 around them must stay as they are.
constexpr int First = 3;
constexpr int Last = 8;

QString fileText(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QStringLiteral("(unreadable)");
}

MemRecords readList(const QString& path)
{
    QByteArray bytes;
    QString error;
    EXPECT_TRUE(loadMemFile(path, &bytes, &error)) << qPrintable(error);
    return path.endsWith(".csv") ? importChannelCsv(bytes).records : readMemFile(bytes);
}

void writeList(const QString& path, const MemRecords& list)
{
    QString error;
    const QByteArray bytes = path.endsWith(".csv") ? exportChannelCsv(list).bytes : writeMemFile(list);
    ASSERT_TRUE(saveMemFile(path, bytes, &error)) << qPrintable(error);
}

// The bands' VFO lines of "show", without the channel number a VFO line names.
QStringList vfoLines(const QString& show)
{
    QStringList lines;
    for (QString line : show.split('\n')) {
        if (line.contains(" | A "))
            lines << line.remove(QRegularExpression(", channel \\d+"));
    }
    return lines;
}

// "  3 14.195.000 USB" -> "14.195.000 USB", by channel (index 0 unused).
QStringList channelTexts(const QString& memories)
{
    QStringList byChannel(100);
    for (const QString& line : memories.split('\n')) {
        const QRegularExpressionMatch m = QRegularExpression("^\\s*(\\d+) (.+)$").match(line);
        if (m.hasMatch() && m.captured(1).toInt() < 100)
            byChannel[m.captured(1).toInt()] = m.captured(2).trimmed();
    }
    return byChannel;
}

class CtlMemoryRoundTrip : public ::testing::TestWithParam<std::tuple<int, bool>> {};

// A range with blanks on the simulated radio, downloaded, edited (a blank filled,
// a filled channel blanked), uploaded and downloaded again. Over TCP the list is
// a memory file, over the pseudo-terminal a CSV list.
TEST_P(CtlMemoryRoundTrip, TheRadioHoldsExactlyTheListAndNothingElseChanges)
{
    const ModelCase& m = Models[std::get<0>(GetParam())];
    const bool tcp = std::get<1>(GetParam());
    SimProcess sim({"--radio", m.key, "--no-pacing"});
    const QByteArray set = QByteArray("set ") + m.address + " channel ";
    // 3 e0, 4 blank, 5 e1, 6 e2, 7 blank, 8 e3; around them 2 e3 and 9 e0.
    const int filled[] = {3, 5, 6, 8};
    for (int i = 0; i < 4; ++i)
        sim.command(set + QByteArray::number(filled[i]) + ' ' + m.freqs[i] + ' ' + m.modes[i]);
    sim.command(set + "4 blank");
    sim.command(set + "7 blank");
    sim.command(set + "2 " + m.freqs[3] + ' ' + m.modes[3]);
    sim.command(set + "9 " + m.freqs[0] + ' ' + m.modes[0]);
    const QByteArray memories = QByteArray("memories ") + m.address + " all";
    const QStringList before = channelTexts(sim.ask(memories, m.lastChannel));
    const QStringList vfosBefore = vfoLines(sim.state(m.address));
    ASSERT_FALSE(vfosBefore.isEmpty());

    const QStringList link = QStringList{"--model", m.key} +
                             (tcp ? QStringList{"--tcp", sim.tcp()} : QStringList{"--serial", sim.link});
    const QString file = sim.dir.filePath(tcp ? "list.mem" : "list.csv");
    CtlResult r = runCtl(link + QStringList{"download", "3", "8", file});
    ASSERT_EQ(r.status, 0) << qPrintable(r.out + r.err);
    EXPECT_EQ(r.out, "6 channels read\n");
    EXPECT_EQ(r.err.count('\n'), 6) << qPrintable(r.err);
    EXPECT_TRUE(r.err.startsWith(QStringLiteral("channel 3 %1 %2 (1 of 6)\n").arg(m.freqs[0], m.modes[0])))
        << qPrintable(r.err);
    EXPECT_TRUE(r.err.contains("channel 4 blank (2 of 6)\n")) << qPrintable(r.err);
    MemRecords list = readList(file);
    ASSERT_EQ(list.size(), 6u) << qPrintable(fileText(file));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(list[size_t(filled[i] - First)].Freq, m.freqs[i]) << i;
        EXPECT_EQ(list[size_t(filled[i] - First)].Mode, m.modes[i]) << i;
    }
    const MemRecord blank = tcp ? MemRecord{"BLANK", "", "", ""} : MemRecord{};
    EXPECT_EQ(list[4 - First], blank);
    EXPECT_EQ(list[7 - First], blank);
    EXPECT_EQ(vfoLines(sim.state(m.address)), vfosBefore);

    // Channel 4 takes channel 3's setting, channel 6 is blanked.
    list[4 - First] = list[3 - First];
    list[6 - First] = blank;
    writeList(file, list);
    r = runCtl(link + QStringList{"upload", file, "3", "8"});
    ASSERT_EQ(r.status, 0) << qPrintable(r.out + r.err);
    EXPECT_EQ(r.out, "6 channels written\n");
    EXPECT_TRUE(r.err.contains("channel 6 cleared (4 of 6)\n")) << qPrintable(r.err);
    QStringList want = before;
    want[4] = before[3];
    want[6] = QStringLiteral("blank");
    EXPECT_EQ(channelTexts(sim.ask(memories, m.lastChannel)), want);
    EXPECT_EQ(vfoLines(sim.state(m.address)), vfosBefore);

    const QString again = sim.dir.filePath(tcp ? "again.mem" : "again.csv");
    r = runCtl(link + QStringList{"download", "3", "8", again});
    ASSERT_EQ(r.status, 0) << qPrintable(r.out + r.err);
    EXPECT_EQ(readList(again), list) << qPrintable(fileText(again));
}

INSTANTIATE_TEST_SUITE_P(ModelsAndLinks, CtlMemoryRoundTrip,
                         ::testing::Combine(::testing::Range(0, 4), ::testing::Bool()),
                         [](const ::testing::TestParamInfo<std::tuple<int, bool>>& i) {
                             return std::string(Models[std::get<0>(i.param)].key) +
                                    (std::get<1>(i.param) ? "OverTcpWithAMemFile" : "OverThePtyWithACsvList");
                         });

// Everything wrong with the command line or the files stops with status 2 and a
// line saying what, before the radio hears anything (nothing listens on the relay).
TEST(CtlMemory, BadArgumentsAndFilesStopWithStatusTwo)
{
    QTemporaryDir dir;
    const auto file = [&](const char* name, const QByteArray& bytes) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    };
    const QString five = file("five.mem", QByteArray("014.195.000,USB,,\r\n").repeated(5));
    const QString many = file("many.mem", QByteArray("145.500.000,FM,,\r\n").repeated(81));
    const QString bad = file("bad.mem", "014.195.000,USB,,\r\n14.2,USB,,\r\n");
    const QString badCsv = file("bad.csv", "Location,Frequency,Mode\r\n1,14.195,USB\r\n2,,USB\r\n");
    const struct {
        QStringList args;
        QString says;
    } table[] = {
        {{"download", "0", "5", "x.mem"}, "channel 0 is not one of the IC-756's channels 1 to 99"},
        {{"--model", "ic821", "download", "1", "81", "x.mem"},
         "channel 81 is not one of the IC-821's channels 1 to 80"},
        {{"download", "5", "3", "x.mem"}, "the first channel 5 comes after the last 3"},
        {{"download", "1", "x", "x.mem"}, "a channel is a number, not 'x'"},
        {{"download", "1", "3", "x.txt"}, "the file's name ends in .mem or .csv"},
        {{"download", "1", "3", "x.mem", "4"}, "download takes FIRST LAST FILE"},
        {{"upload"}, "upload takes FILE, or FILE FIRST LAST"},
        {{"upload", dir.filePath("missing.mem")}, "cannot read " + dir.filePath("missing.mem")},
        {{"upload", five, "1", "3"}, "five.mem holds 5 rows, more than channels 1 to 3"},
        {{"upload", five, "1", "9"}, "five.mem holds 5 rows, fewer than channels 1 to 9"},
        {{"--model", "ic821", "upload", many}, "many.mem holds 81 rows, more than the IC-821's 80 channels"},
        {{"upload", bad}, "bad.mem: row 2: '14.2' is not a frequency (nothing sent)"},
        {{"upload", badCsv}, "line 3: no frequency"},
        {{"download", "1", "3", dir.filePath("no/such/folder.mem")}, "cannot write "},
    };
    for (const auto& c : table) {
        const CtlResult r = runCtl(QStringList{"--tcp", "127.0.0.1:1", "--model", "ic756"} + c.args);
        EXPECT_EQ(r.status, 2) << qPrintable(c.args.join(' ') + "\n" + r.out + r.err);
        EXPECT_TRUE(r.err.startsWith("tsln-ctl: ")) << qPrintable(r.err);
        EXPECT_TRUE(r.err.contains(c.says)) << qPrintable(c.args.join(' ') + "\n" + r.err);
        EXPECT_TRUE(r.out.isEmpty()) << qPrintable(r.out);
    }
    const CtlResult help = runCtl({"--help"});
    EXPECT_TRUE(help.out.contains("\n  download FIRST LAST FILE\n") &&
                help.out.contains("\n  upload FILE [FIRST LAST]\n"))
        << qPrintable(help.out);
}

// A radio falling silent in the middle of a download: status 1, the channel named,
// and the file already there neither replaced nor cut, nothing left beside it.
TEST(CtlMemory, AFailedDownloadLeavesTheFileAsItWas)
{
    // At the line's own speed, so that the download is still running when the radio goes off.
    SimProcess sim;
    QTemporaryDir dir;
    const QString path = dir.filePath("backup.mem");
    const QByteArray old = "014.195.000,USB,,kept\r\n";
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(old);
    }
    QProcess ctl;
    ctl.start(QStringLiteral(TSLN_BIN_DIR "/tsln-ctl"),
              {"--serial", sim.link, "--model", "ic756", "download", "1", "99", path});
    QByteArray err;
    for (int i = 0; i < 600 && !err.contains("channel 2 "); ++i) {
        ctl.waitForReadyRead(100);
        err += ctl.readAllStandardError();
    }
    ASSERT_TRUE(err.contains("channel 2 ")) << err.constData();
    sim.command("fault off 50 on");
    ASSERT_TRUE(ctl.waitForFinished(60000));
    err += ctl.readAllStandardError();
    EXPECT_EQ(ctl.exitCode(), 1) << err.constData();
    EXPECT_TRUE(QString::fromUtf8(err).contains(QRegularExpression(
        "\ntsln-ctl: channel \\d+: No Response, Your Radio is Turned off or is Configured Wrong\n$")))
        << err.constData();
    EXPECT_TRUE(ctl.readAllStandardOutput().isEmpty());
    EXPECT_EQ(fileText(path).toLatin1(), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"backup.mem"});
}

}  // namespace
