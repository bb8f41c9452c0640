#include "shell/helpfile.h"

#include <QStringList>

QList<HelpTopic> parseHelpFile(const QByteArray& bytes)
{
    QList<HelpTopic> topics;
    const QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.startsWith(QStringLiteral("#topic "))) {
            const QString rest = line.mid(7).trimmed();
            const qsizetype space = rest.indexOf(QLatin1Char(' '));
            bool ok = false;
            HelpTopic topic;
            topic.context = rest.left(space < 0 ? rest.size() : space).toInt(&ok);
            if (ok) {
                topic.title = space < 0 ? QString() : rest.mid(space + 1).trimmed();
                topics.append(topic);
                continue;
            }
        }
        if (!topics.isEmpty()) {
            topics.last().html += line + QLatin1Char('\n');
        }
    }
    return topics;
}
