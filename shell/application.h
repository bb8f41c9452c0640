#pragma once

#include <QApplication>

// The application object. An exception that escapes an event handler is shown in
// an error box with its text, and the program goes on.
class TApplication : public QApplication {
    Q_OBJECT

public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // The general error report for an exception no handler caught.
    static void showException(const QString& text);
};
