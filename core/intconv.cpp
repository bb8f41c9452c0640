#include "core/intconv.h"

EConvertError::EConvertError(const QString& message) : std::runtime_error(message.toStdString()) {}

bool tryStrToInt(const QString& text, int* value)
{
    int i = 0;
    const int n = text.size();
    while (i < n && text.at(i) == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    bool hex = false;
    if (i < n && text.at(i) == QLatin1Char('$')) {
        hex = true;
        ++i;
    }
    if (i >= n)
        return false;

    quint64 magnitude = 0;
    for (; i < n; ++i) {
        const char16_t c = text.at(i).unicode();
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (hex && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return false;
        magnitude = magnitude * (hex ? 16 : 10) + digit;
        if (magnitude > 0xFFFFFFFFull)
            return false;
    }

    qint64 result;
    if (hex) {
        const auto pattern = static_cast<qint32>(static_cast<quint32>(magnitude));
        result = negative ? -static_cast<qint64>(pattern) : pattern;
        if (result > 2147483647LL)
            return false;
    } else {
        result = negative ? -static_cast<qint64>(magnitude) : static_cast<qint64>(magnitude);
        if (result > 2147483647LL || result < -2147483648LL)
            return false;
    }
    if (value)
        *value = static_cast<int>(result);
    return true;
}

int strToInt(const QString& text)
{
    int value = 0;
    if (!tryStrToInt(text, &value))
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return value;
}
