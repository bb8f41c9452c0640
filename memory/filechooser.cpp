#include "memory/filechooser.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

#include "core/modal.h"

namespace MemFileChooser {

namespace {

Chooser installed;
// The folder of the last name chosen, in any memory window: the program's own
// folder is no place to keep memory lists.
QString lastFolder;

QString startingPlace(const QString& previous)
{
    if (!previous.isEmpty())
        return previous;
    if (!lastFolder.isEmpty())
        return lastFolder;
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

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
    const QString start = startingPlace(previous);
    const QString chosen = installed ? installed(parent, purpose, start) : fromDialog(parent, purpose, start);
    if (!chosen.isEmpty())
        lastFolder = QFileInfo(chosen).absolutePath();
    return chosen;
}

void forgetLastFolder() { lastFolder.clear(); }

}  // namespace MemFileChooser
