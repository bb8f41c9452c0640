#include "core/cmdoptions.h"

#include <QCommandLineParser>
#include <QHash>

namespace {

qsizetype optionIndex(const QList<QCommandLineOption>& options, const QString& name)
{
    for (qsizetype i = 0; i < options.size(); ++i) {
        if (options.at(i).names().contains(name))
            return i;
    }
    return -1;
}

}  // namespace

bool readOptions(const QList<QCommandLineOption>& options, const QStringList& words,
                 QList<GivenOption>* given, QString* error)
{
    QCommandLineParser parser;
    parser.addOptions(options);
    // The parser takes the first word for the program's name.
    if (!parser.parse(QStringList{QString()} + words)) {
        *error = parser.errorText();
        return false;
    }
    if (!parser.positionalArguments().isEmpty()) {
        *error = QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().constFirst());
        return false;
    }
    QHash<qsizetype, qsizetype> uses;
    for (const QString& name : parser.optionNames()) {
        const qsizetype index = optionIndex(options, name);
        const QCommandLineOption& option = options.at(index);
        GivenOption g{option.names().constFirst(), QString()};
        if (!option.valueName().isEmpty())
            g.value = parser.values(option).value(uses[index]++);
        given->append(g);
    }
    return true;
}

const QCommandLineOption* findLongOption(const QList<QCommandLineOption>& options, const QString& name)
{
    if (name.size() < 2)
        return nullptr;
    const qsizetype index = optionIndex(options, name);
    return index < 0 ? nullptr : &options.at(index);
}
