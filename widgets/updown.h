#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// Two small arrows beside an edit box that step the number in it by one between a
// minimum and a maximum, without wrapping. The edit box stays the place where the
// number lives: the arrows read it, step it and write it back, so the box's change
// handler sees every step. A text that is not a number steps from the minimum.
class UpDown : public QWidget {
    Q_OBJECT

public:
    UpDown(QLineEdit* buddy, int minimum, int maximum, QWidget* parent = nullptr);

    QToolButton* up() const { return up_; }
    QToolButton* down() const { return down_; }

    void stepBy(int delta);

private:
    QLineEdit* buddy_;
    int minimum_;
    int maximum_;
    QToolButton* up_;
    QToolButton* down_;
};
