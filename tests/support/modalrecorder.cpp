#include "support/modalrecorder.h"

ModalRecorder::ModalRecorder() : previous_(Modal::setHandler(this)) {}

ModalRecorder::~ModalRecorder() { Modal::setHandler(previous_); }

int ModalRecorder::message(Modal::Kind kind, const QString& caption, const QString& text)
{
    boxes.push_back({kind, caption, text});
    if (!answers.empty()) {
        const int a = answers.front();
        answers.pop_front();
        return a;
    }
    return kind == Modal::Kind::Confirm ? Modal::Yes : Modal::Ok;
}

int ModalRecorder::dialog(QDialog& dialog)
{
    dialogs.push_back(&dialog);
    return onDialog ? onDialog(dialog) : Modal::Ok;
}

QStringList ModalRecorder::texts() const
{
    QStringList list;
    for (const Box& b : boxes)
        list << b.text;
    return list;
}
