#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The help file holds topics keyed by context number. Each topic starts with a line
//   #topic <context> <title>
// and its body, up to the next such line, is HTML. Links of the form "help:<context>"
// jump between topics. Lines before the first topic are ignored.
struct HelpTopic {
    int context = 0;
    QString title;
    QString html;
};

QList<HelpTopic> parseHelpFile(const QByteArray& bytes);
