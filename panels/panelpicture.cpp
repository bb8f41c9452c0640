#include "panels/panelpicture.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

PanelPicture::PanelPicture(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

void PanelPicture::setPicture(const QImage& image)
{
    image_ = image;
    setFixedSize(image_.size());
    update();
}

void PanelPicture::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    p.drawImage(event->rect(), image_, event->rect());
}

void PanelPicture::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
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
