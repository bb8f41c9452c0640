#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

#include "core/modal.h"

// Answers modal boxes and dialogs from a script and remembers what was asked.
// Installs itself for its lifetime.
class ModalRecorder : public Modal::Handler {
public:
    struct Box {
        Modal::Kind kind;
        QString caption;
        QString text;
    };

    ModalRecorder();
    ~ModalRecorder() override;

    // Answers for the next boxes, in order; once used up, boxes get Ok or Yes.
    std::deque<int> answers;
    // Runs each dialog shown modally (may set its fields) and gives its result;
    // without one, dialogs answer Ok.
    std::function<int(QDialog&)> onDialog;

    std::vector<Box> boxes;
    std::vector<QDialog*> dialogs;

    int message(Modal::Kind kind, const QString& caption, const QString& text) override;
    int dialog(QDialog& dialog) override;

    QStringList texts() const;

private:
    Modal::Handler* previous_;
};
