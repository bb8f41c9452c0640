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
    return kind == Modal::Kind::Confirm ? Modal::Yes : Modal::Ok;
}

}  // namespace

namespace Modal {

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

int exec(QDialog& dialog) { return current ? current->dialog(dialog) : Cancel; }

}  // namespace Modal
