#pragma once

#include <QDialog>

#include "memfiles/memfile.h"

class FreqEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class RadioGroup;

// The dialog that edits one memory record ("Memory Edit").
class TMemEditFORM : public QDialog {
    Q_OBJECT

public:
    explicit TMemEditFORM(QWidget* parent = nullptr);

    // An empty record: no frequency, CW, Simplex, no description.
    void Reset();
    // Shows a record. A mode the dialog does not know leaves the Mode choice as
    // it was; a duplex other than PLUS or MINUS shows Simplex.
    void RecordToDialog(const MemRecord& record);
    // Writes the dialog's values into a record; a choice with nothing selected
    // leaves its text as it was.
    void DialogToRecord(MemRecord* record) const;
    // The record last shown (a blank one after Reset) as the operator edited it.
    MemRecord record() const;

    // OK takes only a description that a memory file can hold.
    void done(int result) override;
    void reject() override;

private:
    void refuseCharacter(const QString& character);

    FreqEdit* frequency_;
    RadioGroup* mode_;
    RadioGroup* duplex_;
    QLineEdit* description_;
    // Says why a typed character was refused.
    QLabel* hint_;
    QPushButton* ok_;
    QPushButton* cancel_;
    MemRecord shown_;
};
