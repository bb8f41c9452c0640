#include "core/modal.h"

#include <cstdio>

namespace {

Modal::Handler* current = nullptr;

int answer(Modal::Kind kind, const QString& caption, const QString& text)
{
    if (current)
        return current->message(kind, caption, text);
    // No window system to ask: say it on stderr and take the default answer.
    std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
    return Modal::defaultAnswer(kind);
}

}  // namespace

namespace Modal {

int defaultAnswer(Kind kind)
{
    switch (kind) {
    case Kind::Confirm: return Yes;
    // Nobody to ask must not hold a closing program open.
    case Kind::Unsaved: return Discard;
    default: return Ok;
    }
}

Handler* setHandler(Handler* handler)
{
    Handler* old = current;
    current = handler;
    return old;
}

Handler* handler() { return current; }

int show(Kind kind, const QString& caption, const QString& text) { return answer(kind, caption, text); }

void error(const QString& text) { answer(Kind::Error, QStringLiteral("Error"), text); }

void exception(const QString& text)
{
    QString message = text;
    if (!message.isEmpty() && !message.endsWith(QLatin1Char('.')))
        message += QLatin1Char('.');
    answer(Kind::Error, QStringLiteral("TSLN"), message);
}

void info(const QString& text) { answer(Kind::Info, QStringLiteral("TSLN"), text); }

bool confirm(const QString& text) { return answer(Kind::Confirm, QStringLiteral("Confirm"), text) != No; }

bool okCancel(const QString& caption, const QString& text)
{
    return answer(Kind::OkCancel, caption, text) == Ok;
}

int askSave(const QString& text)
{
    const int given = answer(Kind::Unsaved, QStringLiteral("TSLN"), text);
    return given == Save || given == Discard ? given : Cancel;
}

int exec(QDialog& dialog) { return current ? current->dialog(dialog) : Cancel; }

}  // namespace Modal
