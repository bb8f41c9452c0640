#pragma once

#include <QString>
#include <functional>

class QWidget;

// Where the memory window asks the operator for a file name. The program uses
// the toolkit's file dialogs ("Memory Files|*.mem", "CSV Files|*.csv"); tests put their own chooser
// in place so that no dialog is shown.
namespace MemFileChooser {

// Open and Save ask for memory files, ImportCsv and ExportCsv for CSV channel lists.
enum class Purpose { Open, Save, ImportCsv, ExportCsv };

// Returns the chosen name, or an empty text when the operator cancels. previous
// is where the dialog starts: the name chosen the last time in that window, else
// the folder of the last name chosen in any, else the user's documents folder.
using Chooser = std::function<QString(QWidget* parent, Purpose purpose, const QString& previous)>;

// Installs a chooser (an empty one restores the dialogs); returns the one replaced.
Chooser setChooser(Chooser chooser);

// previous: the name chosen the last time in the asking window, or empty.
QString choose(QWidget* parent, Purpose purpose, const QString& previous);

// Forgets the folder of the last name chosen (tests start afresh with it).
void forgetLastFolder();

}  // namespace MemFileChooser
