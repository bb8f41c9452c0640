#include "memory/filechooser.h"

#include <QFileDialog>

#include "core/modal.h"

namespace MemFileChooser {

namespace {

Chooser installed;

QString fromDialog(QWidget* parent, Purpose purpose, const QString& previous)
{
    const bool csv = purpose == Purpose::ImportCsv || purpose == Purpose::ExportCsv;
    QFileDialog dialog(parent, QString(), previous,
                       csv ? QStringLiteral("CSV Files (*.csv)") : QStringLiteral("Memory Files (*.mem)"));
    if (purpose == Purpose::Save || purpose == Purpose::ExportCsv) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // Saving over a file asks nothing; the program adds no extension here.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (Modal::exec(dialog) != Modal::Ok)
        return {};
    return dialog.selectedFiles().value(0);
}

}  // namespace

Chooser setChooser(Chooser chooser)
{
    Chooser old = std::move(installed);
    installed = std::move(chooser);
    return old;
}

QString choose(QWidget* parent, Purpose purpose, const QString& previous)
{
    return installed ? installed(parent, purpose, previous) : fromDialog(parent, purpose, previous);
}

}  // namespace MemFileChooser
