#include "memfiles/channelcsv.h"

#include <gtest/gtest.h>
#include <time.h>

#include "memfiles/printers.h"

namespace {

MemRecord rec(const char* f, const char* m, const char* o, const char* d)
{
    return {QString::fromLatin1(f), QString::fromLatin1(m), QString::fromLatin1(o), QString::fromUtf8(d)};
}

const QByteArray Header =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,"
    "CrossMode,Mode,TStep,Skip,Comment\r\n";

// A line as the export writes it.
QByteArray line(int location, const char* name, const char* mhz, const char* duplex, const char* mode,
                const char* comment = "")
{
    return QByteArray::number(location) + ',' + name + ',' + mhz + ',' + duplex +
           ",0.000000,,88.5,88.5,023,NN,023,Tone->Tone," + mode + ",5.00,," + comment + "\r\n";
}

qint64 threadMilliseconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

std::vector<int> lines(const std::vector<CsvProblem>& problems)
{
    std::vector<int> out;
    for (const CsvProblem& p : problems)
        out.push_back(p.line);
    return out;
}

// Every mode and duplex the CSV layout and the records share.
QByteArray everyModeAndDuplex()
{
    const char* modes[] = {"FM", "WFM", "AM", "USB", "LSB", "CW", "NCW", "RTTY", ""};
    const char* duplexes[] = {"", "+", "-"};
    QByteArray csv = Header;
    int location = 1;
    for (const char* mode : modes)
        for (const char* duplex : duplexes) {
            const QByteArray mhz = QByteArray::number(144 + location) + ".125000";
            csv += line(location, location % 2 ? "\"Club, north\"" : "W1AW", mhz.constData(), duplex, mode,
                        location % 3 ? "" : "\"the \"\"old\"\" one\"");
            ++location;
        }
    return csv;
}

TEST(ChannelCsvRoundTrip, CsvToRecordsToCsvIsTheSameFile)
{
    const QByteArray csv = everyModeAndDuplex();
    const CsvImport imported = importChannelCsv(csv);
    ASSERT_TRUE(imported.readable);
    EXPECT_TRUE(imported.complete()) << imported.summary().toStdString();
    EXPECT_EQ(imported.channels, 27);
    EXPECT_EQ(imported.records.at(0), rec("145.125.000", "FM", "NONE", "Club, north"));
    EXPECT_EQ(imported.records.at(2), rec("147.125.000", "FM", "MINUS", "Club, north - the \"old\" one"));
    EXPECT_EQ(imported.records.at(19), rec("164.125.000", "CWn", "PLUS", "W1AW"));

    const CsvExport exported = exportChannelCsv(imported.records);
    EXPECT_TRUE(exported.complete()) << exported.summary().toStdString();
    EXPECT_EQ(exported.bytes, csv);
}

TEST(ChannelCsvRoundTrip, MemToCsvToMemIsTheSameFile)
{
    const char* modes[] = {"CW", "CWn", "LSB", "USB", "AM", "FM", "WFM", "RTTY", ""};
    const char* duplexes[] = {"NONE", "MINUS", "PLUS"};
    const char* freqs[] = {"000.010.000", "001.800.000",  "014.195.000",
                           "145.500.000", "1296.000.000", "9999.999.999"};
    MemRecords records;
    int k = 0;
    for (const char* mode : modes)
        for (const char* duplex : duplexes) {
            records.push_back(rec(freqs[k % 6], mode, duplex, k % 4 ? "Repeater - output, split" : "R, 1"));
            if (k % 5 == 4)
                records.push_back({});  // a gap in the list stays a gap
            ++k;
        }
    records.push_back(rec("BLANK", "", "", ""));  // an empty radio memory in the middle
    records.push_back(rec("433.500.000", "FM", "NONE", ""));
    const QByteArray mem = writeMemFile(records);

    const CsvExport exported = exportChannelCsv(readMemFile(mem));
    EXPECT_TRUE(exported.complete()) << exported.summary().toStdString();
    const CsvImport imported = importChannelCsv(exported.bytes);
    EXPECT_TRUE(imported.complete()) << imported.summary().toStdString();

    // The empty radio memory comes back as a blank row.
    records[records.size() - 2] = {};
    EXPECT_EQ(writeMemFile(imported.records), writeMemFile(records));
}

struct ModeCase {
    const char* csv;
    const char* record;
    bool reported;
};

TEST(ChannelCsvImport, ModesBecomeRecordModes)
{
    const ModeCase cases[] = {
        {"FM", "FM", false},     {"nfm", "FM", true},   {"WFM", "WFM", false}, {"AM", "AM", false},
        {"NAM", "AM", true},     {"USB", "USB", false}, {"LSB", "LSB", false}, {"CW", "CW", false},
        {"CWR", "CW", true},     {"NCW", "CWn", false}, {"NCWR", "CWn", true}, {"RTTY", "RTTY", false},
        {"RTTYR", "RTTY", true}, {"DV", "", true},      {"Auto", "", true},    {"", "", false},
    };
    for (const ModeCase& c : cases) {
        const CsvImport r = importChannelCsv(QByteArray("Frequency,Mode\n146.52,") + c.csv + "\n");
        ASSERT_EQ(r.records.size(), 1u) << c.csv;
        EXPECT_EQ(r.records[0].Mode, QLatin1String(c.record)) << c.csv;
        EXPECT_EQ(lines(r.changed), c.reported ? std::vector<int>{2} : std::vector<int>{}) << c.csv;
    }
}

TEST(ChannelCsvImport, DuplexBecomesPlusMinusOrNone)
{
    const ModeCase cases[] = {
        {"", "NONE", false},     {"+", "PLUS", false},  {"-", "MINUS", false},
        {"split", "NONE", true}, {"off", "NONE", true}, {"sideways", "NONE", true},
    };
    for (const ModeCase& c : cases) {
        const CsvImport r = importChannelCsv(QByteArray("Frequency,Duplex\n146.52,") + c.csv + "\n");
        ASSERT_EQ(r.records.size(), 1u) << c.csv;
        EXPECT_EQ(r.records[0].Duplex, QLatin1String(c.record)) << c.csv;
        EXPECT_EQ(lines(r.changed), c.reported ? std::vector<int>{2} : std::vector<int>{}) << c.csv;
    }
}

TEST(ChannelCsvImport, FrequenciesInMegahertz)
{
    const std::pair<const char*, const char*> cases[] = {
        {"146.520000", "146.520.000"},
        {"146.52", "146.520.000"},
        {"7", "007.000.000"},
        {" 0.01 ", "000.010.000"},
        {".5", "000.500.000"},
        {"1296.000000", "1296.000.000"},
        {"9999.999999", "9999.999.999"},
        {"14.1950000000", "014.195.000"},
        // Refused: below 10 kHz, 10 GHz and up, finer than a hertz, not a number.
        {"0.009999", ""},
        {"10000", ""},
        {"146.5200001", ""},
        {"-146.52", ""},
        {"146,52", ""},
        {"1e3", ""},
        {".", ""},
        {"146.52.1", ""},
        {"", ""},
    };
    for (const auto& [mhz, text] : cases)
        EXPECT_EQ(csvFrequencyToFreqText(QLatin1String(mhz)), QLatin1String(text)) << mhz;
}

struct EdgeCase {
    const char* name;
    QByteArray csv;
    MemRecords records;
    std::vector<int> changed;
    std::vector<int> refused;
};

class ChannelCsvEdges : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(ChannelCsvEdges, Convert)
{
    const EdgeCase& c = GetParam();
    const CsvImport r = importChannelCsv(c.csv);
    ASSERT_TRUE(r.readable) << r.summary().toStdString();
    EXPECT_EQ(r.records, c.records);
    EXPECT_EQ(lines(r.changed), c.changed);
    EXPECT_EQ(lines(r.refused), c.refused);
}

INSTANTIATE_TEST_SUITE_P(
    Import, ChannelCsvEdges,
    ::testing::Values(
        EdgeCase{"OnlyFrequency",
                 "Frequency\r\n146.52\r\n7.1\r\n",
                 {rec("146.520.000", "", "NONE", ""), rec("007.100.000", "", "NONE", "")},
                 {},
                 {}},
        EdgeCase{"ColumnsInAnyOrderAndCase",
                 "mode,COMMENT,frequency,Location,name\nUSB,dx,14.2,2,W1AW\n",
                 {{}, rec("014.200.000", "USB", "NONE", "W1AW - dx")},
                 {},
                 {}},
        EdgeCase{"GapsBecomeBlankRows",
                 "Location,Frequency\n3,145\n1,146\n",
                 {rec("146.000.000", "", "NONE", ""), {}, rec("145.000.000", "", "NONE", "")},
                 {},
                 {}},
        EdgeCase{"ListCountingFromZeroMovesUp",
                 "Location,Frequency\n0,145\n1,146\n",
                 {rec("145.000.000", "", "NONE", ""), rec("146.000.000", "", "NONE", "")},
                 {2},
                 {}},
        EdgeCase{"EmptyLocationTakesTheNextChannel",
                 "Location,Frequency\n4,145\n,146\n",
                 {{}, {}, {}, rec("145.000.000", "", "NONE", ""), rec("146.000.000", "", "NONE", "")},
                 {},
                 {}},
        EdgeCase{"NameOrCommentAlone",
                 "Frequency,Name,Comment\n1.8,,only comment\n1.9, name ,\n",
                 {rec("001.800.000", "", "NONE", "only comment"), rec("001.900.000", "", "NONE", "name")},
                 {},
                 {}},
        EdgeCase{"LineBreaksInANameBecomeSpaces",
                 "Frequency,Name\n1.8,\"a\r\nb\"\n",
                 {rec("001.800.000", "", "NONE", "a  b")},
                 {2},
                 {}},
        EdgeCase{
            "BrokenLinesReportedTheRestConverts",
            "Location,Frequency,Mode\n1,145,FM\n2,banana,FM\nx,146,FM\n4,,FM\n5,0.001,FM\n6,147,\"FM\n7,148,"
            "FM\n"
            "-1,149,FM\n1,150,FM\n100000,151,FM\n",
            {rec("145.000.000", "FM", "NONE", ""), {}, {}, {}, {}, {}, rec("148.000.000", "FM", "NONE", "")},
            {},
            {3, 4, 5, 6, 7, 9, 10, 11}},
        EdgeCase{"HeaderOnly", "Location,Name,Frequency\r\n", {}, {}, {}},
        EdgeCase{"ShortLinesMissOptionalFields",
                 "Location,Frequency,Mode,Duplex,Name\n1,145.5\n",
                 {rec("145.500.000", "", "NONE", "")},
                 {},
                 {}}),
    [](const ::testing::TestParamInfo<EdgeCase>& info) { return std::string(info.param.name); });

TEST(ChannelCsvImport, WithoutAFrequencyColumnNothingIsRead)
{
    const std::pair<QByteArray, int> cases[] = {
        {"", 1},
        {"\r\n\r\n", 1},
        {"Location,Name,Freq\r\n1,a,146.52\r\n", 1},
        {"\r\n\r\nLocation,Name\r\n", 3},
    };
    for (const auto& [csv, line] : cases) {
        const CsvImport r = importChannelCsv(csv);
        EXPECT_FALSE(r.readable) << csv.constData();
        EXPECT_EQ(r.problem.line, line) << csv.constData();
        EXPECT_TRUE(r.records.empty());
    }
}

TEST(ChannelCsvImport, SettingsARecordCannotHoldAreCounted)
{
    const QByteArray csv =
        "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,"
        "CrossMode,Mode,TStep,Skip,Power,Comment,URCALL\n"
        "1,A,146.94,-,0.600000,Tone,100.0,88.5,023,NN,023,Tone->Tone,FM,5.00,,50W,,\n"
        "2,B,446.00,,0.000000,DTCS,88.5,88.5,754,NN,023,Tone->Tone,FM,12.50,S,,,\n"
        "3,C,145.50,,0,TSQL,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,,,CQCQCQ\n"
        "4,D,144.30,,,,88.5,88.5,023,NN,023,Tone->Tone,USB,5.00,,,,\n";
    const CsvImport r = importChannelCsv(csv);
    EXPECT_EQ(r.channels, 4);
    EXPECT_EQ(r.dropped.offsets, 1);
    EXPECT_EQ(r.dropped.tones, 2);
    EXPECT_EQ(r.dropped.dtcs, 1);
    EXPECT_EQ(r.dropped.skips, 1);
    EXPECT_EQ(r.dropped.powers, 1);
    EXPECT_EQ(r.dropped.others, 1);
    EXPECT_FALSE(r.complete());
    EXPECT_EQ(r.summary(),
              QStringLiteral(
                  "4 channels imported.\nDropped, as a memory channel cannot hold them: 1 offset, 2 tones, "
                  "1 DTCS code, 1 skip setting, 1 power level, 1 line with other settings.\n"));
}

TEST(ChannelCsvImport, SummaryListsChangedAndRefusedLinesUpToALimit)
{
    QByteArray csv = "Frequency,Mode\n146.52,NFM\n";
    for (int i = 0; i < 5; ++i)
        csv += "none,FM\n";
    const CsvImport r = importChannelCsv(csv);
    EXPECT_EQ(r.summary(3),
              QStringLiteral("1 channel imported.\n"
                             "Changed:\n  line 2: mode NFM became FM\n"
                             "Not imported:\n  line 3: frequency \"none\" is not one a memory holds "
                             "(0.010000 to 9999.999999 MHz)\n"
                             "  line 4: frequency \"none\" is not one a memory holds (0.010000 to "
                             "9999.999999 MHz)\n  ... and 3 more\n"));
}

TEST(ChannelCsvExport, RecordsWithoutAFrequencyAreLeftOut)
{
    const MemRecords records = {
        rec("145.500.000", "FM", "MINUS", "Club - output"),
        {},
        rec("BLANK", "", "", ""),
        rec("   .   .   ", "CW", "NONE", ""),
        rec("BLANK", "", "", "kept description"),
        rec(" 14.2  .   ", "USB", "NONE", "half typed"),
        rec("000.009.999", "USB", "NONE", ""),
        rec("014.195.000", "PSK", "SIMPLEX", "odd"),
        rec("007.030.000", "cwn", "plus", ""),
    };
    const CsvExport r = exportChannelCsv(records);
    EXPECT_EQ(r.bytes, Header + line(1, "Club", "145.500000", "-", "FM", "output") +
                           line(8, "odd", "14.195000", "", "") + line(9, "", "7.030000", "+", "NCW"));
    EXPECT_EQ(r.channels, 3);
    EXPECT_EQ(lines(r.notes), (std::vector<int>{5, 6, 7, 8, 8}));
}

TEST(ChannelCsvImport, FiftyThousandLinesInUnderASecond)
{
    QByteArray csv = Header;
    for (int i = 1; i <= 50000; ++i)
        csv += line(i, "\"Club, repeater\"", "145.500000", "-", "NFM", "\"note \"\"x\"\"\"");
    // Processor time of this thread: the machine may be busy with other work.
    const qint64 ms0 = threadMilliseconds();
    const CsvImport r = importChannelCsv(csv);
    const qint64 ms = threadMilliseconds() - ms0;
    EXPECT_EQ(r.channels, 50000);
    EXPECT_EQ(r.changed.size(), 50000u);
    EXPECT_EQ(r.records.back(), rec("145.500.000", "FM", "MINUS", "Club, repeater - note \"x\""));
#ifdef TSLN_SLOW_BUILD
    constexpr qint64 limit = 10000;  // instrumented code runs several times slower
#else
    constexpr qint64 limit = 1000;
#endif
    EXPECT_LT(ms, limit);
    RecordProperty("milliseconds", static_cast<int>(ms));
}

}  // namespace

TEST(ChannelCsvExport, TextASpreadsheetWouldRunIsWrittenBehindAnApostropheAndReadBackAsItWas)
{
    const MemRecords records = {
        rec("146.520.000", "FM", "NONE", "=HYPERLINK(\"http://x\",\"click\")"),
        rec("146.540.000", "FM", "NONE", "+1 club"),
        rec("146.560.000", "FM", "NONE", "-5 dB"),
        rec("146.580.000", "FM", "NONE", "@home"),
        rec("146.600.000", "FM", "NONE", "Relay - =cmd|' /C calc'!A0"),
        rec("146.620.000", "FM", "NONE", "'=already quoted"),
        rec("146.640.000", "FM", "NONE", "O'Brien - 'quoted'"),
        rec("146.660.000", "FM", "NONE", "Plain - a-b=c"),
    };
    const CsvExport out = exportChannelCsv(records);
    std::vector<CsvProblem> problems;
    const std::vector<CsvRow> rows = readCsv(out.bytes, &problems);
    ASSERT_EQ(rows.size(), records.size() + 1);
    const std::pair<const char*, const char*> cells[] = {
        {"'=HYPERLINK(\"http://x\",\"click\")", ""},
        {"'+1 club", ""},
        {"'-5 dB", ""},
        {"'@home", ""},
        {"Relay", "'=cmd|' /C calc'!A0"},
        {"''=already quoted", ""},
        {"O'Brien", "'quoted'"},
        {"Plain", "a-b=c"},
    };
    for (size_t i = 0; i < std::size(cells); ++i) {
        EXPECT_EQ(rows[i + 1].fields.at(1), QString::fromUtf8(cells[i].first)) << i;
        EXPECT_EQ(rows[i + 1].fields.at(15), QString::fromUtf8(cells[i].second)) << i;
    }
    // Our own round trip is unchanged.
    const CsvImport back = importChannelCsv(out.bytes);
    EXPECT_EQ(back.records, records);
    EXPECT_TRUE(back.complete()) << back.summary().toStdString();
}

TEST(ChannelCsvImport, AQuoteLeftOpenDoesNotSwallowTheFollowingRows)
{
    // The quote opened on line 2 "closes" at the opening quote of line 4's name.
    const QByteArray open =
        "Location,Name,Frequency\n"
        "1,\"Club,146.52\n"
        "2,Other,147.0\n"
        "3,\"X\",148\n"
        "4,Last,149\n";
    const CsvImport r = importChannelCsv(open);
    ASSERT_TRUE(r.readable);
    EXPECT_EQ(r.records, (MemRecords{{},
                                     rec("147.000.000", "", "NONE", "Other"),
                                     rec("148.000.000", "", "NONE", "X"),
                                     rec("149.000.000", "", "NONE", "Last")}));
    EXPECT_EQ(lines(r.refused), std::vector<int>{2});
    EXPECT_TRUE(r.summary().contains("line 2: a quoted field is not closed")) << r.summary().toStdString();

    // Where the stray quote does end a field, the lines it joined are named.
    const QByteArray joined =
        "Location,Name,Frequency\n"
        "1,\"Club,146.52\n"
        "2,Other,147.0\n"
        "3,X\",148\n";
    const CsvImport j = importChannelCsv(joined);
    ASSERT_EQ(lines(j.changed), std::vector<int>{2});
    EXPECT_TRUE(j.summary().contains("line 2: lines 2 to 4 are one row, joined by a quoted field"))
        << j.summary().toStdString();
}
