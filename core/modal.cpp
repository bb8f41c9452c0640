#include "core/modal.h"

#include <QStringList>
#include <cstdio>

namespace {

Modal::Handler* current = nullptr;

int defaultAnswer(Modal::Kind kind)
{
    switch (kind) {
    case Modal::Kind::Confirm: return Modal::Yes;
    // Nobody to ask must not hold a closing program open.
    case Modal::Kind::Unsaved: return Modal::Discard;
    default: return Modal::Ok;
    }
}

int answer(Modal::Kind kind, const QString& caption, const QString& text)
{
    if (current)
        return current->message(kind, caption, text);
    // No window system to ask: say it on stderr and take the default answer.
    std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
    return defaultAnswer(kind);
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

int askSave(const QString& text)
{
    const int given = answer(Kind::Unsaved, QStringLiteral("TSLN"), text);
    return given == Save || given == Discard ? given : Cancel;
}

int exec(QDialog& dialog) { return current ? current->dialog(dialog) : Cancel; }

}  // namespace Modal

ModalRecorder::ModalRecorder() : previous_(Modal::setHandler(this)) {}

ModalRecorder::~ModalRecorder() { Modal::setHandler(previous_); }

int ModalRecorder::message(Modal::Kind kind, const QString& caption, const QString& text)
{
    boxes.push_back({kind, caption, text});
    if (!answers.empty()) {
        const int a = answers.front();
        answers.pop_front();
        return a;
    }
    return defaultAnswer(kind);
}

int ModalRecorder::dialog(QDialog& dialog)
{
    dialogs.push_back(&dialog);
    return onDialog ? onDialog(dialog) : Modal::Ok;
}

QStringList ModalRecorder::texts() const
{
    QStringList list;
    for (const Box& b : boxes)
        list << b.text;
    return list;
}
