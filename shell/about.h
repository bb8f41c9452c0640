#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

// The About box of the Help menu.
class TAboutBox : public QDialog {
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The version line gets its text when the box is first painted.
    void showVersion();

    QFrame* frame_ = nullptr;
    QLabel* icon_ = nullptr;
    QLabel* programName_ = nullptr;
    QLabel* comments_ = nullptr;
    QLabel* maker_ = nullptr;
    QLabel* version_ = nullptr;
    QPushButton* ok_ = nullptr;
};
