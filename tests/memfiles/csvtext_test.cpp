#include "memfiles/csvtext.h"

#include <gtest/gtest.h>

#include "memfiles/printers.h"

namespace {

struct ReadCase {
    const char* name;
    QByteArray bytes;
    std::vector<std::pair<int, QStringList>> rows;  // line, fields
    std::vector<int> problemLines;
};

class CsvReading : public ::testing::TestWithParam<ReadCase> {};

TEST_P(CsvReading, GivesTheRowsWithTheirLines)
{
    const ReadCase& c = GetParam();
    std::vector<CsvProblem> problems;
    const std::vector<CsvRow> rows = readCsv(c.bytes, &problems);
    std::vector<std::pair<int, QStringList>> got;
    for (const CsvRow& r : rows)
        got.emplace_back(r.line, r.fields);
    EXPECT_EQ(got, c.rows);
    std::vector<int> lines;
    for (const CsvProblem& p : problems)
        lines.push_back(p.line);
    EXPECT_EQ(lines, c.problemLines);
}

const QStringList AB = {"a", "b"};
const QStringList CD = {"c", "d"};

INSTANTIATE_TEST_SUITE_P(
    Edges, CsvReading,
    ::testing::Values(
        ReadCase{"Empty", "", {}, {}}, ReadCase{"LfEnds", "a,b\nc,d\n", {{1, AB}, {2, CD}}, {}},
        ReadCase{"CrLfEnds", "a,b\r\nc,d\r\n", {{1, AB}, {2, CD}}, {}},
        ReadCase{"LoneCrEnds", "a,b\rc,d", {{1, AB}, {2, CD}}, {}},
        ReadCase{"NoFinalLineEnd", "a,b\r\nc,d", {{1, AB}, {2, CD}}, {}},
        ReadCase{"ByteOrderMark",
                 "\xEF\xBB\xBF"
                 "a,b\r\n",
                 {{1, AB}},
                 {}},
        ReadCase{"EmptyAndCommaOnlyLinesLeftOut", "\r\na,b\r\n,,\r\n\r\nc,d", {{2, AB}, {5, CD}}, {}},
        ReadCase{"QuotedComma", "\"a,1\",b\n", {{1, {"a,1", "b"}}}, {}},
        ReadCase{"DoubledQuotes", "\"say \"\"hi\"\"\",\"\"\"\"\n", {{1, {"say \"hi\"", "\""}}}, {}},
        ReadCase{
            "QuotedLineEndsCountLines", "\"a\r\nb\nc\",x\r\nc,d\n", {{1, {"a\r\nb\nc", "x"}}, {4, CD}}, {}},
        ReadCase{"EmptyFieldsKept", "a,,\"\",\n", {{1, {"a", "", "", ""}}}, {}},
        ReadCase{"QuoteInsideTextTakenAsItIs", "ab\"c,d\n", {{1, {"ab\"c", "d"}}}, {}},
        ReadCase{"TextAfterClosingQuoteKept", "\"ab\"c,d\n", {{1, {"abc", "d"}}}, {}},
        ReadCase{
            "Utf8", "K\xC3\xB6ln,\xE2\x82\xAC\n", {{1, {QStringLiteral(u"Köln"), QStringLiteral(u"€")}}}, {}},
        ReadCase{"UnclosedQuoteSpoilsOnlyItsLine", "a,b\n\"x,y\nc,d\n", {{1, AB}, {3, CD}}, {2}},
        ReadCase{"UnclosedQuoteOnTheLastLine", "a,b\r\nc,\"d", {{1, AB}}, {2}}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

TEST(CsvWriting, QuotesOnlyWhereNeededAndEndsWithCrLf)
{
    const std::pair<QStringList, QByteArray> cases[] = {
        {{"a", "b c", ""}, "a,b c,\r\n"},
        {{"a,b"}, "\"a,b\"\r\n"},
        {{"say \"hi\""}, "\"say \"\"hi\"\"\"\r\n"},
        {{"two\nlines", "x"}, "\"two\nlines\",x\r\n"},
        {{"cr\r"}, "\"cr\r\"\r\n"},
        {{QStringLiteral(u"Köln")}, "K\xC3\xB6ln\r\n"},
    };
    for (const auto& [fields, bytes] : cases) {
        QByteArray out;
        appendCsvRow(out, fields);
        EXPECT_EQ(out, bytes);
        // What is written reads back as it was.
        const std::vector<CsvRow> rows = readCsv(out, nullptr);
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0].fields, fields);
    }
}

}  // namespace
