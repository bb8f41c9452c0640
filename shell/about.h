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

    QFrame* Panel1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Version = nullptr;
    QLabel* Comments = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* LVersion = nullptr;
    QPushButton* OKButton = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void FormPaint();
};
