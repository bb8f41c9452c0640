#pragma once

class QCloseEvent;
class QWidget;

// Device windows live as long as their devices: a close request minimises the
// window (its document sub-window when it has one) instead.
void minimiseInsteadOfClosing(QWidget* window, QCloseEvent* event);

// Shows a device window as a document window of owner, or as a window of its own
// that owner still owns; then gives it its design size (outer frame).
void showDeviceWindow(QWidget* owner, QWidget* window, int width, int height);

// Releases a device window together with its document sub-window, if any.
void releaseDeviceWindow(QWidget* window);
