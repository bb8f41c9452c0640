#pragma once

#include <QDialog>

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
    // Closing with any result but Cancel first checks that every field holds a
    // whole number; if one does not, says "Invalid Value on UploadFORM" and closes
    // with Cancel instead.
    void done(int result) override;
    void reject() override;

protected:
    // targetName names the fourth field, where the range goes, for finding it.
    RangeDialog(const QString& caption, const QString& fromHeading, const QString& toHeading,
                const QString& startLabel, const QString& endingLabel, const QString& targetLabel,
                const QString& targetName, QWidget* parent);

    // The start, ending and target as typed; false while one of them holds no
    // whole number (the count is only a way of typing the ending).
    bool readRange(int* start, int* ending, int* target) const;

private:
    // ending := start + count - 1.
    void countChanged();
    // If start < ending: count := ending - start + 1.
    void endingChanged();
    bool allFieldsAreNumbers() const;

    QLineEdit* start_;
    QLineEdit* ending_;
    QLineEdit* count_;
    QLineEdit* target_;
    QPushButton* ok_;
    QPushButton* cancel_;
};
