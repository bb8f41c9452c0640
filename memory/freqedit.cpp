#include "memory/freqedit.h"

#include <QKeyEvent>

namespace {

bool isPlaceChar(QChar c) { return c == QLatin1Char('0') || c == QLatin1Char('9'); }

// Characters with a meaning of their own in Qt's input masks.
bool isQtMaskChar(QChar c)
{
    static const QString special = QStringLiteral("AaNnXx90Dd#HhBb><!{}[]\\;");
    return special.contains(c);
}

}  // namespace

FreqEdit::FreqEdit(QWidget* parent) : FreqEdit(QStringLiteral("000.000.000;1;_"), parent) {}

FreqEdit::FreqEdit(const QString& editMask, QWidget* parent) : QLineEdit(parent) { setEditMask(editMask); }

void FreqEdit::setEditMask(const QString& editMask)
{
    editMask_ = editMask;
    const QStringList parts = editMask.split(QLatin1Char(';'));
    layout_ = parts.value(0);
    keepSeparators_ = parts.size() < 2 || parts.at(1) != QLatin1String("0");
    blank_ = parts.size() >= 3 && !parts.at(2).isEmpty() ? parts.at(2).at(0) : QLatin1Char('_');

    // Digit places are optional for Qt, so a partly filled field is accepted, as
    // the old masks allowed.
    QString qtMask;
    for (QChar c : layout_) {
        if (isPlaceChar(c)) {
            qtMask += QLatin1Char('0');
        } else {
            if (isQtMaskChar(c))
                qtMask += QLatin1Char('\\');
            qtMask += c;
        }
    }
    setInputMask(qtMask + QLatin1Char(';') + blank_);
    setMaxLength(layout_.size());
}

bool FreqEdit::isPlace(qsizetype position) const
{
    return position < layout_.size() && isPlaceChar(layout_.at(position));
}

QString FreqEdit::maskedText() const
{
    const QString shown = displayText();
    QString text;
    text.reserve(layout_.size());
    for (qsizetype i = 0; i < layout_.size(); ++i) {
        if (isPlace(i)) {
            const QChar c = i < shown.size() ? shown.at(i) : blank_;
            text += c == blank_ ? QLatin1Char(' ') : c;
        } else if (keepSeparators_) {
            text += layout_.at(i);
        }
    }
    return text;
}

void FreqEdit::setMaskedText(const QString& text)
{
    // Qt skips characters that do not fit rather than leaving their place
    // unfilled; its blank character does leave one.
    QString fitted;
    qsizetype from = 0;
    for (qsizetype i = 0; i < layout_.size(); ++i) {
        if (isPlace(i)) {
            if (from >= text.size())
                break;
            const QChar c = text.at(from++);
            fitted += c.isDigit() && c.unicode() < 128 ? c : blank_;
        } else {
            fitted += layout_.at(i);
            if (keepSeparators_ && from < text.size())
                ++from;
        }
    }
    setText(fitted);
    // Typing starts at the first place again, as in a field just opened.
    setCursorPosition(0);
}

void FreqEdit::fillBlanksWithZeros()
{
    QString text = maskedText();
    text.replace(QLatin1Char(' '), QLatin1Char('0'));
    const int cursor = cursorPosition();
    setMaskedText(text);
    setCursorPosition(cursor);
}

void FreqEdit::keyPressEvent(QKeyEvent* event)
{
    if (spaceFills_ && event->key() == Qt::Key_Space)
        fillBlanksWithZeros();
    // The space itself goes on to the mask, which has no place for it.
    QLineEdit::keyPressEvent(event);
}
