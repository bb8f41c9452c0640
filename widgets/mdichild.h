#pragma once

class QWidget;
class QMdiSubWindow;

// Shows child as a multiple-document child of owner when owner is the main frame
// (a main window whose central widget is the document area), or as a window of
// its own otherwise (tests, tools). Returns the sub-window, or nullptr.
QMdiSubWindow* showAsMdiChild(QWidget* owner, QWidget* child);

// The sub-window that holds child, or nullptr.
QMdiSubWindow* mdiWindowOf(QWidget* child);
