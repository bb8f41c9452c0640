#pragma once

#include <QSize>

class QWidget;
class QMdiSubWindow;

// Shows child as a multiple-document child of owner when owner is the main frame
// (a main window whose central widget is the document area), or as a window of
// its own otherwise (tests, tools). Returns the sub-window, or nullptr. The
// child's size before it is shown becomes the sub-window's design size.
QMdiSubWindow* showAsMdiChild(QWidget* owner, QWidget* child);

// The sub-window that holds child, or nullptr.
QMdiSubWindow* mdiWindowOf(QWidget* child);

// The outer size a document window was designed with (Cascade gives it back), or
// an invalid size when none was recorded.
QSize designSizeOf(const QMdiSubWindow* sub);
void setDesignSize(QMdiSubWindow* sub, QSize size);
