#pragma once

#include <QString>

class QDialog;

// Every modal box and modal dialog of the program goes through here, so tests can
// answer them and see what was asked. The program installs the handler that shows
// real boxes; tests install a recording handler.
namespace Modal {

// Modal results, as the program's dialogs return them.
enum Result { None = 0, Ok = 1, Cancel = 2, Yes = 6, No = 7 };

enum class Kind {
    Error,     // error box with the single button OK
    Confirm,   // question with Yes and No
    OkCancel,  // box with OK and Cancel and a caption of its own
    Info,      // plain message with OK
};

class Handler {
public:
    virtual ~Handler() = default;
    virtual int message(Kind kind, const QString& caption, const QString& text) = 0;
    virtual int dialog(QDialog& dialog) = 0;
};

// Installs the handler (not owned); returns the one it replaces.
Handler* setHandler(Handler* handler);
Handler* handler();

// Any box, with its own caption; returns the button pressed.
int show(Kind kind, const QString& caption, const QString& text);
void error(const QString& text);
// The program's general report of an error that no handler dealt with.
void exception(const QString& text);
void info(const QString& text);
// Yes/No: anything but an explicit No goes ahead.
bool confirm(const QString& text);
// OK/Cancel with a caption: true for OK.
bool okCancel(const QString& caption, const QString& text);
// Shows a dialog modally and returns its result (Ok, Cancel, ...).
int exec(QDialog& dialog);

}  // namespace Modal
