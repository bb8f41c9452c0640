#include "tools/ctloptions.h"

#include <gtest/gtest.h>

namespace {

QString refusal(const QStringList& args)
{
    CtlOptions o;
    QString error;
    EXPECT_FALSE(parseCtlArgs(args, &o, &error)) << qPrintable(args.join(' '));
    return error;
}

}  // namespace

TEST(CtlOptions, TcpWithDefaultPortAndCommandsInOrder)
{
    CtlOptions o;
    QString error;
    ASSERT_TRUE(
        parseCtlArgs({"--tcp", "127.0.0.1", "--model", "ic756", "--trace", "freq", "014.195.000", "mode", "3",
                      "split", "on", "raw", "FE", "fe", "50", "E0", "03", "FD", "readfreq"},
                     &o, &error))
        << qPrintable(error);
    EXPECT_TRUE(o.tcp);
    EXPECT_EQ(o.host, "127.0.0.1");
    EXPECT_EQ(o.port, "6005");
    EXPECT_EQ(o.model, RigModel::IC756);
    EXPECT_EQ(o.address, -1);
    EXPECT_TRUE(o.trace);
    ASSERT_EQ(o.commands.size(), 5u);
    EXPECT_EQ(o.commands[0].word, "freq");
    EXPECT_EQ(o.commands[0].value, "014.195.000");
    EXPECT_EQ(o.commands[2].value, "on");
    EXPECT_EQ(o.commands[3].bytes, (QStringList{"FE", "fe", "50", "E0", "03", "FD"}));
    EXPECT_EQ(o.commands[4].word, "readfreq");
}

TEST(CtlOptions, VerboseAsksForTheProgressCountersAndTheHelpSaysWhatIsPrinted)
{
    CtlOptions o;
    QString error;
    ASSERT_TRUE(parseCtlArgs({"--tcp", "127.0.0.1", "--model", "ic756", "readfreq"}, &o, &error));
    EXPECT_FALSE(o.verbose);
    ASSERT_TRUE(parseCtlArgs({"--tcp", "127.0.0.1", "--verbose", "--model", "ic756", "readfreq"}, &o, &error))
        << qPrintable(error);
    EXPECT_TRUE(o.verbose);
    const QString usage = ctlUsage();
    EXPECT_TRUE(usage.contains("[--verbose]"));
    EXPECT_TRUE(usage.contains("progress P N"));
    EXPECT_TRUE(usage.contains("freq=TEXT when a frequency was set or read"));
}

TEST(CtlOptions, SerialWithBaudAddressAndPort)
{
    CtlOptions o;
    QString error;
    ASSERT_TRUE(parseCtlArgs(
        {"--serial", "COM2", "--baud", "19200", "--model", "IC706MKII", "--address", "4E", "watch", "5"}, &o,
        &error));
    EXPECT_FALSE(o.tcp);
    EXPECT_EQ(o.serialPort, "COM2");
    EXPECT_EQ(o.baud, 19200);
    EXPECT_EQ(o.model, RigModel::IC706MKII);
    EXPECT_EQ(o.address, 0x4E);

    CtlOptions t;
    ASSERT_TRUE(parseCtlArgs({"--tcp", "relay:7000", "--model", "ic821", "readmode"}, &t, &error));
    EXPECT_EQ(t.host, "relay");
    EXPECT_EQ(t.port, "7000");
}

TEST(CtlOptions, BadArgumentsAreRefusedWithOneLine)
{
    EXPECT_EQ(refusal({"--model", "ic756", "readfreq"}),
              "give exactly one of --tcp HOST[:PORT] and --serial PORT");
    EXPECT_EQ(refusal({"--tcp", "h", "--serial", "COM1", "--model", "ic756", "readfreq"}),
              "give exactly one of --tcp HOST[:PORT] and --serial PORT");
    EXPECT_EQ(refusal({"--tcp", "h", "readfreq"}), "--model is required (ic706, ic706mkii, ic756, ic821)");
    EXPECT_EQ(refusal({"--tcp", "h", "--model", "ic7300", "readfreq"}),
              "unknown model 'ic7300' (ic706, ic706mkii, ic756, ic821)");
    EXPECT_EQ(refusal({"--tcp", "h", "--model", "ic756"}), "no command given (see --help)");
    EXPECT_EQ(refusal({"--tcp", "h", "--model", "ic756", "tune", "3"}), "unknown command 'tune'");
    EXPECT_EQ(refusal({"--tcp", "h", "--model", "ic756", "mode"}), "mode needs a value");
    EXPECT_EQ(refusal({"--tcp", "h", "--model", "ic756", "mode", "usb"}), "mode takes a number, not 'usb'");
    EXPECT_EQ(refusal({"--tcp", "h", "--model", "ic756", "split", "yes"}),
              "split takes on or off, not 'yes'");
    EXPECT_EQ(refusal({"--tcp", "h", "--model", "ic821", "dual", "on"}),
              "dual is a command of the IC-756 only");
    EXPECT_EQ(refusal({"--tcp", "h", "--model", "ic756", "raw", "FE", "XYZ"}),
              "raw takes hexadecimal bytes, not 'XYZ'");
    EXPECT_EQ(refusal({"--tcp", "h", "--model", "ic756", "raw"}), "raw needs the frame's bytes");
    EXPECT_EQ(refusal({"--tcp", "h", "--model", "ic756", "--address", "123", "readfreq"}),
              "--address takes two hexadecimal digits, not '123'");
    EXPECT_EQ(refusal({"--tcp", ":6005", "--model", "ic756", "readfreq"}),
              "--tcp takes HOST or HOST:PORT, not ':6005'");
    EXPECT_EQ(refusal({"--serial", "COM1", "--baud", "fast", "--model", "ic756", "readfreq"}),
              "--baud takes a speed in bits per second, not 'fast'");
    EXPECT_EQ(refusal({"--tcp", "h", "--model", "ic756", "wait", "-5"}), "wait takes a time of 0 or more");
}

TEST(CtlOptions, FindRunsAloneWithoutAModel)
{
    CtlOptions o;
    QString error;
    ASSERT_TRUE(parseCtlArgs({"--tcp", "h:6005", "find"}, &o, &error)) << qPrintable(error);
    EXPECT_TRUE(o.find);
    EXPECT_FALSE(o.findAll);
    EXPECT_TRUE(o.commands.empty());

    CtlOptions all;
    ASSERT_TRUE(parseCtlArgs({"--serial", "/dev/ttyUSB0", "--baud", "19200", "FIND", "--all"}, &all, &error))
        << qPrintable(error);
    EXPECT_TRUE(all.find);
    EXPECT_TRUE(all.findAll);
    EXPECT_EQ(all.baud, 19200);

    EXPECT_EQ(refusal({"--tcp", "h", "find", "readfreq"}), "find takes only --all after it");
    EXPECT_EQ(refusal({"find"}), "give exactly one of --tcp HOST[:PORT] and --serial PORT");
}
