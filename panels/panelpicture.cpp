#include "panels/panelpicture.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

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
