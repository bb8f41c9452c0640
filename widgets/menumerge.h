#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenuBar;
class QWidget;

// Qt's document area does not merge a child's menu into the frame's menu bar, so
// a child lends its items here and the frame's MenuMerger shows them while that
// child is the current document window.

// Lends action (owned by child) to the frame's menu bar in group (the frame's own
// items are group 0; higher groups sit further right).
void addMergedMenuItem(QWidget* child, QAction* action, int group);

class MenuMerger : public QObject {
    Q_OBJECT

public:
    MenuMerger(QMenuBar* bar, QMdiArea* area);

    // Shows the items of the current document window, and only those.
    void refresh();

private:
    QMenuBar* bar_;
    QMdiArea* area_;
    QList<QPointer<QAction>> merged_;
};
