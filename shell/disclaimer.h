#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

// The notice and warranty text of the Help menu. The text box can be edited; the
// edits stay until the program ends and are never saved.
class TDisclaimerFORM : public QDialog {
    Q_OBJECT

public:
    explicit TDisclaimerFORM(QWidget* parent = nullptr);

    static QString noticeText();

private:
    QPlainTextEdit* notice_ = nullptr;
    QPushButton* close_ = nullptr;
};
