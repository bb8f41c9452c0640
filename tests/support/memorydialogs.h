#pragma once

// The fields of the memory window's dialogs, found by their object names the way
// a test reaches them once the window has shown a dialog through Modal::exec.

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <utility>

#include "memory/freqedit.h"
#include "memory/radiogroup.h"

// Upload and Download: the range and where it goes.
struct RangeFields {
    explicit RangeFields(QWidget& dialog)
        : start(dialog.findChild<QLineEdit*>(QStringLiteral("EStart"))),
          ending(dialog.findChild<QLineEdit*>(QStringLiteral("EEnding"))),
          count(dialog.findChild<QLineEdit*>(QStringLiteral("ENum"))),
          // Upload sends to radio memories, Download fills program memories.
          target(dialog.findChild<QLineEdit*>(QStringLiteral("EStartRadio"))
                     ? dialog.findChild<QLineEdit*>(QStringLiteral("EStartRadio"))
                     : dialog.findChild<QLineEdit*>(QStringLiteral("EStartProg"))),
          ok(dialog.findChild<QPushButton*>(QStringLiteral("BOk"))),
          cancel(dialog.findChild<QPushButton*>(QStringLiteral("BCancel")))
    {
    }

    // The operator types a range and its target; the dialog's own checks of one
    // field against the others are not what is tried, so they stay quiet.
    void fill(int first, int last, int to) const
    {
        for (auto [field, value] : {std::pair{start, first}, {ending, last}, {target, to}}) {
            const QSignalBlocker quiet(field);
            field->setText(QString::number(value));
        }
    }

    QLineEdit* start;
    QLineEdit* ending;
    QLineEdit* count;
    QLineEdit* target;
    QPushButton* ok;
    QPushButton* cancel;
};

// Memory Edit.
struct EditFields {
    explicit EditFields(QWidget& dialog)
        : freq(dialog.findChild<FreqEdit*>(QStringLiteral("MEFreq"))),
          mode(dialog.findChild<RadioGroup*>(QStringLiteral("RGMode"))),
          duplex(dialog.findChild<RadioGroup*>(QStringLiteral("RGDuplex"))),
          desc(dialog.findChild<QLineEdit*>(QStringLiteral("EDesc"))),
          hint(dialog.findChild<QLabel*>(QStringLiteral("LHint"))),
          ok(dialog.findChild<QPushButton*>(QStringLiteral("BOk"))),
          cancel(dialog.findChild<QPushButton*>(QStringLiteral("BCancel")))
    {
    }

    FreqEdit* freq;
    RadioGroup* mode;
    RadioGroup* duplex;
    QLineEdit* desc;
    QLabel* hint;
    QPushButton* ok;
    QPushButton* cancel;
};

// Single Memory Write.
struct SingleWriteFields {
    explicit SingleWriteFields(QWidget& dialog)
        : radioMemory(dialog.findChild<QLineEdit*>(QStringLiteral("ENumber"))),
          ok(dialog.findChild<QPushButton*>(QStringLiteral("BOk"))),
          cancel(dialog.findChild<QPushButton*>(QStringLiteral("BCancel")))
    {
    }

    QLineEdit* radioMemory;
    QPushButton* ok;
    QPushButton* cancel;
};
