#pragma once

#include <QDialog>
#include <optional>

class QLineEdit;
class QPushButton;

// What the operator chose in Single Memory Write.
struct SingleWriteTarget {
    int radioMemory = 0;
};

// "Single Memory Write": the radio memory that Write Memory stores the current row into.
class TSingleUpload : public QDialog {
    Q_OBJECT

public:
    explicit TSingleUpload(QWidget* parent = nullptr);

    // The memory as typed; none while the field holds no whole number (OK does
    // not check it).
    std::optional<SingleWriteTarget> target() const;

    void reject() override;

private:
    QLineEdit* radioMemory_;
    QPushButton* ok_;
    QPushButton* cancel_;
};
