#include <gtest/gtest.h>

#include <QFile>
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
    EXPECT_EQ(contexts, (QList<int>{10, 20, 30, 40, 50}));

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
