#include "core/cmdoptions.h"

#include <gtest/gtest.h>

namespace {

const QList<QCommandLineOption>& options()
{
    static const QList<QCommandLineOption> list = {
        QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}),
        QCommandLineOption(QStringLiteral("radio"), QString(), QStringLiteral("MODEL")),
        QCommandLineOption(QStringLiteral("port"), QString(), QStringLiteral("N")),
        QCommandLineOption(QStringLiteral("trace")),
    };
    return list;
}

QString given(const QStringList& words)
{
    QList<GivenOption> found;
    QString error;
    if (!readOptions(options(), words, &found, &error))
        return QStringLiteral("error: ") + error;
    QStringList texts;
    for (const GivenOption& g : found)
        texts << g.name + QLatin1Char('=') + g.value;
    return texts.join(QLatin1Char(' '));
}

}  // namespace

TEST(CmdOptions, AnswersTheOptionsInTheOrderGivenEachUseWithItsValue)
{
    EXPECT_EQ(given({"--radio", "ic756", "--trace", "--port=0", "--radio", "--trace", "-h", "--help"}),
              "radio=ic756 trace= port=0 radio=--trace h= h=");
    EXPECT_EQ(given({}), "");
}

TEST(CmdOptions, RefusesWhatIsNoOption)
{
    EXPECT_EQ(given({"--bogus"}), "error: Unknown option 'bogus'.");
    EXPECT_EQ(given({"--radio"}), "error: Missing value after '--radio'.");
    EXPECT_EQ(given({"ic756"}), "error: unexpected argument 'ic756'");
}

TEST(CmdOptions, LongNamesHaveMoreThanOneLetter)
{
    EXPECT_EQ(findLongOption(options(), "radio"), &options()[1]);
    EXPECT_EQ(findLongOption(options(), "help"), &options()[0]);
    EXPECT_EQ(findLongOption(options(), "h"), nullptr);
    EXPECT_EQ(findLongOption(options(), "rad"), nullptr);
}
