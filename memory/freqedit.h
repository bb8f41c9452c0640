#pragma once

#include <QLineEdit>

// A line edit for frequency texts with a fixed layout of digit places and
// separators, such as "000.000.000".
//
// Its mask is written the traditional way, "<layout>;<keep separators>;<blank>",
// e.g. "000.000.000;1;_": "0" (or "9") is a digit place, anything else is a fixed
// separator; the blank character is shown in unfilled places. Unlike text(),
// maskedText() always gives every place, unfilled ones as spaces, so an empty
// field reads "   .   .   ".
class FreqEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit FreqEdit(QWidget* parent = nullptr);
    explicit FreqEdit(const QString& editMask, QWidget* parent = nullptr);

    void setEditMask(const QString& editMask);
    QString editMask() const { return editMask_; }

    QString maskedText() const;
    // Takes text laid out like maskedText(); a place that holds no digit (a space
    // for one) is left unfilled. The cursor goes to the first place.
    void setMaskedText(const QString& text);

    // Writes "0" into every unfilled place.
    void fillBlanksWithZeros();

    // Whether the space bar fills the unfilled places with "0" (on by default).
    bool spaceFillsBlanks() const { return spaceFills_; }
    void setSpaceFillsBlanks(bool on) { spaceFills_ = on; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool isPlace(qsizetype position) const;

    QString editMask_;
    QString layout_;
    bool keepSeparators_ = true;
    QChar blank_ = QLatin1Char('_');
    bool spaceFills_ = true;
};
