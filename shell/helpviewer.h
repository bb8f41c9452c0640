#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

#include "shell/helpfile.h"
#include "shell/programfiles.h"

class QListWidget;
class QTextBrowser;

// The program's help file, found where the running program keeps its files
// (its own folder, the installed data folder, the current folder); when it is
// nowhere, the path beside the program.
QString helpFileName();
QString helpFilePath(const ProgramFiles& files = ProgramFiles::running());

// A window that shows the topics of the help file: a contents list on the left,
// the topic on the right.
class HelpViewer : public QWidget {
    Q_OBJECT

public:
    explicit HelpViewer(const QList<HelpTopic>& topics, QWidget* parent = nullptr);

    // Shows the topic of the context number; false when the file has none.
    bool showContext(int context);
    int currentContext() const { return current_; }
    QTextBrowser* browser() const { return browser_; }

private:
    void showIndex(int index);

    QList<HelpTopic> topics_;
    QListWidget* contents_ = nullptr;
    QTextBrowser* browser_ = nullptr;
    int current_ = 0;
};

// Opens the help window at the topic of context, re-using viewer when it is open,
// else reading the help file at path. Tells the operator when it cannot be read.
HelpViewer* showHelpContext(QWidget* owner, int context, QPointer<HelpViewer>& viewer, const QString& path);
