#include "panels/panelpicture.h"

#include <QAccessible>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QWheelEvent>

#include "panels/pictureaccessible.h"
#include "panels/picturekeys.h"

PanelPicture::PanelPicture(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    // Installing the same factory again changes nothing.
    QAccessible::installFactory(panelPictureAccessible);
}

void PanelPicture::setPicture(const QImage& image)
{
    image_ = image;
    setFixedSize(image_.size());
    update();
}

int PanelPicture::keyCount() const { return keys_ ? keys_->keyCount() : 0; }

QRect PanelPicture::ringArea(int index) const
{
    if (index < 0 || index >= keyCount())
        return {};
    return keys_->key(index).area.adjusted(-6, -6, 6, 6);
}

void PanelPicture::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    p.drawImage(event->rect(), image_, event->rect());
    if (!focusRingShown())
        return;
    // Yellow on black shows on the dark front and on the lit display alike.
    const QRect ring = keys_->key(focusedKey_).area.adjusted(-3, -3, 3, 3);
    p.setPen(QPen(Qt::black, 4, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawRect(ring);
    p.setPen(QPen(Qt::yellow, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawRect(ring);
}

void PanelPicture::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    // The ring follows the mouse to the place pressed, unseen until a key moves it.
    ringShown_ = false;
    update(ringArea(focusedKey_));
    for (int i = 0; i < keyCount(); ++i) {
        const PictureKey k = keys_->key(i);
        if (k.button && k.area.contains(at)) {
            focusedKey_ = i;
            break;
        }
    }
    OnMouseDown(at.x(), at.y());
}

void PanelPicture::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    OnMouseUp(at.x(), at.y());
}

void PanelPicture::wheelEvent(QWheelEvent* event)
{
    // Fine-grained wheels report parts of a notch; they add up to whole ones.
    wheelRest_ += event->angleDelta().y();
    const int notches = wheelRest_ / 120;
    wheelRest_ -= notches * 120;
    event->accept();
    if (notches != 0) {
        const QPoint at = event->position().toPoint();
        OnWheel(at.x(), at.y(), notches);
    }
}

void PanelPicture::keyPressEvent(QKeyEvent* event)
{
    int steps = 0;
    switch (event->key()) {
    case Qt::Key_Up: steps = 1; break;
    case Qt::Key_Down: steps = -1; break;
    case Qt::Key_PageUp: steps = 10; break;
    case Qt::Key_PageDown: steps = -10; break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // A held key presses once, as a held mouse button does.
        if (!event->isAutoRepeat())
            pressKey(focusedKey_);
        event->accept();
        return;
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
    if (keys_)
        keys_->tune(steps);
}

void PanelPicture::pressKey(int index)
{
    if (index < 0 || index >= keyCount())
        return;
    const PictureKey k = keys_->key(index);
    if (!k.button)
        return;
    const QPoint at = k.area.center();
    QPointer<PanelPicture> alive(this);
    OnMouseDown(at.x(), at.y());
    if (alive)
        OnMouseUp(at.x(), at.y());
}

void PanelPicture::setFocusedKey(int index)
{
    if (index < -1 || index >= keyCount() || index == focusedKey_)
        return;
    update(ringArea(focusedKey_));
    focusedKey_ = index;
    update(ringArea(focusedKey_));
    if (hasFocus())
        tellFocus();
}

void PanelPicture::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    const int count = keyCount();
    switch (event->reason()) {
    case Qt::TabFocusReason:
        focusedKey_ = count > 0 ? 0 : -1;
        ringShown_ = true;
        break;
    case Qt::BacktabFocusReason:
        focusedKey_ = count - 1;
        ringShown_ = true;
        break;
    case Qt::MouseFocusReason: ringShown_ = false; break;
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason: break;
    default: ringShown_ = true; break;
    }
    if (focusedKey_ < 0 && count > 0)
        focusedKey_ = 0;
    update(ringArea(focusedKey_));
    tellFocus();
}

void PanelPicture::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update(ringArea(focusedKey_));
}

bool PanelPicture::focusNextPrevChild(bool next)
{
    const int to = focusedKey_ + (next ? 1 : -1);
    if (hasFocus() && to >= 0 && to < keyCount()) {
        ringShown_ = true;
        setFocusedKey(to);
        update(ringArea(to));
        return true;
    }
    return QWidget::focusNextPrevChild(next);
}

void PanelPicture::tellFocus()
{
    // Qt tells of the picture's focus after its focus-in; the place follows that.
    QTimer::singleShot(0, this, [this] {
        if (!hasFocus() || focusedKey_ < 0 || focusedKey_ >= keyCount())
            return;
        QAccessibleEvent event(this, QAccessible::Focus);
        event.setChild(focusedKey_);
        QAccessible::updateAccessibility(&event);
    });
}

void PanelPicture::keyChanged(int index, bool name, bool description)
{
    if (index < 0 || index >= keyCount())
        return;
    emit keyTextChanged(index, name, description);
    if (!QAccessible::isActive())
        return;
    if (name) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        event.setChild(index);
        QAccessible::updateAccessibility(&event);
    }
    if (description) {
        QAccessibleEvent event(this, QAccessible::DescriptionChanged);
        event.setChild(index);
        QAccessible::updateAccessibility(&event);
    }
}
