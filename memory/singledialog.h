#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// "Single Memory Write": the radio memory that Write Memory stores the current row into.
class TSingleUpload : public QDialog {
    Q_OBJECT

public:
    explicit TSingleUpload(QWidget* parent = nullptr);

    QLineEdit* ENumber;
    QPushButton* BOk;
    QPushButton* BCancel;

    void reject() override;
};

extern TSingleUpload* SingleUpload;
