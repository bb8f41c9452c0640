#include "devices/devicewindow.h"

#include <QCloseEvent>
#include <QMdiSubWindow>
#include <QWidget>

#include "widgets/mdichild.h"

void minimiseInsteadOfClosing(QWidget* window, QCloseEvent* event)
{
    event->ignore();
    if (QMdiSubWindow* sub = mdiWindowOf(window))
        sub->showMinimized();
    else
        window->showMinimized();
}

void showDeviceWindow(QWidget* owner, QWidget* window, int width, int height)
{
    if (QMdiSubWindow* sub = showAsMdiChild(owner, window)) {
        sub->resize(width, height);
        return;
    }
    if (owner) {
        window->setParent(owner, window->windowFlags() | Qt::Window);
        window->show();
    }
    // A window of its own: the frame is the window system's; size the client.
    window->resize(width, height);
}

void releaseDeviceWindow(QWidget* window)
{
    if (!window)
        return;
    if (QMdiSubWindow* sub = mdiWindowOf(window))
        delete sub;
    else
        delete window;
}
