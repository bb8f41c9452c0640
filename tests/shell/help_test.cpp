#include <gtest/gtest.h>

#include <QFile>
#include <QMap>
#include <QTextBrowser>

#include "shell/helpfile.h"
#include "shell/helpviewer.h"
#include "support/modalrecorder.h"

TEST(HelpFile, TopicsByContextWithTheirBodies)
{
    const QList<HelpTopic> topics = parseHelpFile(
        "preamble\r\n#topic 10 Getting started\r\n<p>one</p>\r\n#topic x bad\n#topic 20 "
        "Devices\n<p>two</p>\n");
    ASSERT_EQ(topics.size(), 2);
    EXPECT_EQ(topics[0].context, 10);
    EXPECT_EQ(topics[0].title, "Getting started");
    EXPECT_EQ(topics[0].html, "<p>one</p>\n#topic x bad\n");
    EXPECT_EQ(topics[1].context, 20);
    EXPECT_EQ(topics[1].html, "<p>two</p>\n\n");
}

TEST(HelpFile, TheShippedFileHasEveryTopicAndOpensAtContextTen)
{
    QFile file(helpFilePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(helpFilePath());
    const QList<HelpTopic> topics = parseHelpFile(file.readAll());
    QList<int> contexts;
    for (const HelpTopic& t : topics)
        contexts << t.context;
    EXPECT_EQ(contexts, (QList<int>{10, 20, 30, 35, 40, 50, 60, 65, 70}));

    ModalRecorder modal;
    QPointer<HelpViewer> viewer;
    HelpViewer* shown = showHelpContext(nullptr, 10, viewer, helpFilePath());
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->currentContext(), 10);
    EXPECT_TRUE(shown->browser()->toPlainText().contains("Getting started"));
    EXPECT_EQ(showHelpContext(nullptr, 40, viewer, helpFilePath()), shown);
    EXPECT_EQ(shown->currentContext(), 40);
    EXPECT_TRUE(modal.boxes.empty());
    delete shown;
}

TEST(HelpFile, TheShippedFileCoversNetworkControlTheF9WindowAndCsvAndTheLibrarySearch)
{
    QFile file(helpFilePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(helpFilePath());
    QMap<int, HelpTopic> topics;
    for (const HelpTopic& t : parseHelpFile(file.readAll()))
        topics.insert(t.context, t);
    EXPECT_TRUE(topics.value(60).html.contains("Network Control"));
    EXPECT_TRUE(topics.value(60).html.contains("Hamlib NET rigctl"));
    // Satellite trackers, linked from Network Control.
    EXPECT_TRUE(topics.value(60).html.contains("help:65"));
    for (const char* words : {"Duplex TRX", "VFO Up <b>Sub</b>", "VFO Down <b>Main</b>", "4532"})
        EXPECT_TRUE(topics.value(65).html.contains(words)) << words;
    EXPECT_TRUE(topics.value(70).title.contains("F9"));
    EXPECT_TRUE(topics.value(70).html.contains("Show Debug"));
    EXPECT_TRUE(topics.value(40).html.contains("Import CSV"));
    EXPECT_TRUE(topics.value(40).html.contains("Export CSV"));
    // The panels without a mouse, linked from the panels' topic.
    EXPECT_TRUE(topics.value(30).html.contains("help:35"));
    for (const char* words :
         {"Tab", "Space or Return", "Page Up", "\"Tune up\"", "Main 14.195.000 USB, VFO A"})
        EXPECT_TRUE(topics.value(35).html.contains(words)) << words;
    // The libraries as the program looks for them: never in the current folder.
    const QString start = topics.value(10).html;
    EXPECT_FALSE(start.contains("lies in the current folder or beside the program"));
    EXPECT_TRUE(start.contains("--art-dir"));
    EXPECT_TRUE(start.contains("lib/tessaline/art"));
    EXPECT_LT(start.indexOf("--art-dir"), start.indexOf("beside the program"));
    EXPECT_LT(start.indexOf("beside the program"), start.indexOf("lib/tessaline/art"));
}

TEST(HelpFile, TheShippedFileTellsOfFindRadiosAndOfStartingWithoutTheRadioWindows)
{
    QFile file(helpFilePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(helpFilePath());
    QMap<int, HelpTopic> topics;
    for (const HelpTopic& t : parseHelpFile(file.readAll()))
        topics.insert(t.context, t);
    EXPECT_TRUE(topics.value(20).html.contains("Find Radios..."));
    EXPECT_TRUE(topics.value(20).html.contains("tsln --no-restore"));
}
