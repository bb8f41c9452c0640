#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The common part of the Upload and Download dialogs: a range given by its start
// and either its ending or its count, and where it goes.
//
// The change handlers keep ending and count consistent while the operator types.
// A field they need that does not hold a whole number yet (an empty one, say)
// leaves the others as they are; OK refuses what is still not a number.
class RangeDialog : public QDialog {
    Q_OBJECT

public:
    QLineEdit* EStart;
    QLineEdit* EEnding;
    QLineEdit* ENum;
    QPushButton* BOk;
    QPushButton* BCancel;

    // EEnding := EStart + ENum - 1.
    void ENumChange();
    // If EStart < EEnding: ENum := EEnding - EStart + 1.
    void EEndingChange();
    void EStartChange();

    // Closing with any result but Cancel first checks that every field holds a
    // whole number; if one does not, says "Invalid Value on UploadFORM" and closes
    // with Cancel instead.
    void done(int result) override;
    void reject() override;

protected:
    RangeDialog(const QString& caption, const QString& fromHeading, const QString& toHeading,
                const QString& startLabel, const QString& endingLabel, const QString& targetLabel,
                QWidget* parent);

    // The fourth field: where the range goes.
    QLineEdit* target_;

private:
    bool FormCloseCheck() const;
};
