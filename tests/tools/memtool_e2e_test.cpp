// tsln-mem as scripts run it: files in, files out, exit status and messages.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

const QString kBin = QStringLiteral(TSLN_BIN_DIR);

const QByteArray csvHeader =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,"
    "CrossMode,Mode,TStep,Skip,Comment\r\n";

const QByteArray cleanCsv =
    csvHeader +
    "1,Club,145.500000,-,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,output\r\n"
    "3,EME,1296.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,USB,5.00,,\r\n";
const QByteArray cleanMem = "145.500.000,FM,MINUS,Club - output\r\n,,,\r\n1296.000.000,USB,NONE,EME\r\n";

struct Outcome {
    int status = -1;
    QString out;
    QString err;
};

class MemTool : public ::testing::Test {
protected:
    Outcome run(const QStringList& args)
    {
        QProcess p;
        p.start(kBin + "/tsln-mem", args);
        EXPECT_TRUE(p.waitForFinished(60000));
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }

    QString file(const char* name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(QLatin1String(name));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }

    QByteArray contents(const char* name)
    {
        QFile f(dir.filePath(QLatin1String(name)));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
    }

    QString path(const char* name) { return dir.filePath(QLatin1String(name)); }

    QTemporaryDir dir;
};

TEST_F(MemTool, ImportAndExportThatLoseNothingExitZeroQuietly)
{
    Outcome r = run({"import", file("in.csv", cleanCsv), path("out.mem")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out + r.err, QString());
    EXPECT_EQ(contents("out.mem"), cleanMem);

    r = run({"export", path("out.mem"), path("back.csv")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out + r.err, QString());
    EXPECT_EQ(contents("back.csv"), cleanCsv);
}

TEST_F(MemTool, SomethingDroppedExitsOneWithASummary)
{
    const QString in = file("in.csv",
                            "Location,Name,Frequency,Tone,Mode\n"
                            "1,Rpt,146.94,Tone,NFM\n"
                            "2,Bad,x,,FM\n"
                            "3,Ko\xC5\x82o,7.1,,LSB\n");
    Outcome r = run({"import", in, path("out.mem")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, QString());
    EXPECT_EQ(r.err,
              in + QStringLiteral(": 2 channels imported.\n"
                                  "Dropped, as a memory channel cannot hold them: 1 tone.\n"
                                  "Changed:\n  line 2: mode NFM became FM\n"
                                  "Not imported:\n  line 3: frequency \"x\" is not one a memory holds "
                                  "(0.010000 to 9999.999999 MHz)\n"
                                  "  channel 3: characters a memory file cannot hold are saved as \"?\"\n"));
    EXPECT_EQ(contents("out.mem"), "146.940.000,FM,NONE,Rpt\r\n,,,\r\n007.100.000,LSB,NONE,Ko?o\r\n");

    const QString mem = file("in.mem", "BLANK,,,kept\r\n014.195.000,USB,NONE,dx\r\n");
    r = run({"export", mem, path("out.csv")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, mem + QStringLiteral(": 1 channel exported.\nLeft out or changed:\n"
                                          "  channel 1: \"BLANK\" is no frequency; left out\n"));
    EXPECT_EQ(contents("out.csv"),
              csvHeader + "2,dx,14.195000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,USB,5.00,,\r\n");
}

TEST_F(MemTool, UnreadableInputExitsTwoWithLineAndReason)
{
    struct Case {
        QStringList args;
        QString err;
    };
    const QString noFreq = file("nofreq.csv", "\r\nLocation,Name\r\n1,a\r\n");
    const QString empty = file("empty.csv", "");
    const Case cases[] = {
        {{"import", noFreq, path("o.mem")},
         QStringLiteral("tsln-mem: %1 line 2: the header line names no Frequency column\n").arg(noFreq)},
        {{"import", empty, path("o.mem")},
         QStringLiteral("tsln-mem: %1 line 1: there is no header line\n").arg(empty)},
        {{"show", noFreq},
         QStringLiteral("tsln-mem: %1 line 2: the header line names no Frequency column\n").arg(noFreq)},
        {{"import", path("missing.csv"), path("o.mem")},
         QStringLiteral("tsln-mem: cannot read %1: ").arg(path("missing.csv"))},
        {{"export", path("missing.mem"), path("o.csv")},
         QStringLiteral("tsln-mem: cannot read %1: ").arg(path("missing.mem"))},
        {{"show", path("missing.mem")},
         QStringLiteral("tsln-mem: cannot read %1: ").arg(path("missing.mem"))},
        {{"import", file("ok.csv", cleanCsv), path("no/such/dir/o.mem")},
         QStringLiteral("tsln-mem: cannot write %1: ").arg(path("no/such/dir/o.mem"))},
    };
    for (const Case& c : cases) {
        const Outcome r = run(c.args);
        EXPECT_EQ(r.status, 2) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.startsWith(c.err)) << r.err.toStdString();
        EXPECT_EQ(r.out, QString());
    }
    EXPECT_FALSE(QFile::exists(path("o.mem")));
}

TEST_F(MemTool, BadArgumentsExitTwoWithTheUsage)
{
    for (const QStringList& args : {QStringList{}, QStringList{"import", "a.csv"},
                                    QStringList{"convert", "a", "b"}, QStringList{"show", "a", "b"}}) {
        const Outcome r = run(args);
        EXPECT_EQ(r.status, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.startsWith(QStringLiteral("usage: tsln-mem import"))) << r.err.toStdString();
    }
    const Outcome help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.startsWith(QStringLiteral("usage: tsln-mem import")));
    EXPECT_EQ(help.err, QString());
}

TEST_F(MemTool, ShowPrintsATable)
{
    Outcome r = run({"show", file("list.mem", cleanMem)});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, QStringLiteral("Channel  Freq          Mode  Duplex  Description\n"
                                    "1        145.500.000   FM    MINUS   Club - output\n"
                                    "2\n"
                                    "3        1296.000.000  USB   NONE    EME\n"));
    EXPECT_EQ(r.err, QString());

    r = run({"show", file("list.CSV", "Frequency,Mode,Power\n146.52,FM,5W\n")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, QStringLiteral("Channel  Freq         Mode  Duplex  Description\n"
                                    "1        146.520.000  FM    NONE\n"));
    EXPECT_TRUE(r.err.endsWith(QStringLiteral(
        ": 1 channel imported.\nDropped, as a memory channel cannot hold them: 1 power level.\n")));
}

}  // namespace
