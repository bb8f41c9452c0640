#pragma once

#include <QString>
#include <stdexcept>

// The conversion error raised for operator input that is not an integer.
class EConvertError : public std::runtime_error {
public:
    explicit EConvertError(const QString& message);
    QString message() const { return QString::fromUtf8(what()); }
};

// Converts operator input to a 32-bit integer: optional leading blanks, an optional
// sign, then decimal digits or "$" followed by hexadecimal digits (up to $FFFFFFFF,
// taken as its 32-bit pattern). Anything else raises EConvertError with the text
// "'<input>' is not a valid integer value".
int strToInt(const QString& text);

// The same without raising: false for text strToInt would refuse.
bool tryStrToInt(const QString& text, int* value);
