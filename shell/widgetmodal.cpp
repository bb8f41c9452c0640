#include "shell/widgetmodal.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>

int WidgetModalHandler::message(Modal::Kind kind, const QString& caption, const QString& text)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(caption);
    box.setText(text);
    switch (kind) {
    case Modal::Kind::Error:
        box.setIcon(QMessageBox::Critical);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Modal::Kind::Info:
        box.setIcon(QMessageBox::Information);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Modal::Kind::Confirm:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    case Modal::Kind::OkCancel:
        box.setIcon(QMessageBox::Warning);
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        break;
    case Modal::Kind::Unsaved:
        box.setIcon(QMessageBox::Warning);
        box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Save);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok: return Modal::Ok;
    case QMessageBox::Yes: return Modal::Yes;
    case QMessageBox::No: return Modal::No;
    case QMessageBox::Cancel: return Modal::Cancel;
    case QMessageBox::Save: return Modal::Save;
    case QMessageBox::Discard: return Modal::Discard;
    default: return Modal::None;
    }
}

int WidgetModalHandler::dialog(QDialog& dialog)
{
    const int result = dialog.exec();
    return result == QDialog::Accepted ? Modal::Ok : (result == QDialog::Rejected ? Modal::Cancel : result);
}
