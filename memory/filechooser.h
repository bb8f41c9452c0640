#pragma once

#include <QString>
#include <functional>

class QWidget;

// Where the memory window asks the operator for a file name. The program uses
// the toolkit's file dialogs ("Memory Files|*.mem"); tests put their own chooser
// in place so that no dialog is shown.
namespace MemFileChooser {

enum class Purpose { Open, Save };

// Returns the chosen name, or an empty text when the operator cancels. previous
// is the name chosen the last time, where the dialog starts.
using Chooser = std::function<QString(QWidget* parent, Purpose purpose, const QString& previous)>;

// Installs a chooser (an empty one restores the dialogs); returns the one replaced.
Chooser setChooser(Chooser chooser);

QString choose(QWidget* parent, Purpose purpose, const QString& previous);

}  // namespace MemFileChooser
