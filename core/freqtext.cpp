#include "core/freqtext.h"

namespace {

qint64 digitsValue(const QString& text, std::initializer_list<int> positions)
{
    qint64 value = 0;
    for (int pos : positions) {
        const QChar c = text.at(pos - 1);
        const int digit = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ? c.unicode() - '0' : -1;
        value = value * 10 + digit;
    }
    return value;
}

}  // namespace

qint64 freqTextToHertz(const QString& text)
{
    if (text.size() == 11)
        return digitsValue(text, {1, 2, 3, 5, 6, 7, 9, 10, 11});
    if (text.size() == 12)
        return digitsValue(text, {1, 2, 3, 4, 6, 7, 8, 10, 11, 12});
    return 0;
}

QString hertzToFreqText(qint64 hertz)
{
    const QString s = QString::number(hertz);
    QString padded;
    switch (s.size()) {
    case 5: padded = QStringLiteral("0000") + s; break;
    case 6: padded = QStringLiteral("000") + s; break;
    case 7: padded = QStringLiteral("00") + s; break;
    case 8: padded = QStringLiteral("0") + s; break;
    case 9: padded = s; break;
    case 10: return s.left(4) + QLatin1Char('.') + s.mid(4, 3) + QLatin1Char('.') + s.mid(7, 3);
    default: return QString();
    }
    return padded.left(3) + QLatin1Char('.') + padded.mid(3, 3) + QLatin1Char('.') + padded.mid(6, 3);
}
