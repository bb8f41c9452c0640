#include "shell/appicon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

QImage programImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);

    // Cabinet.
    QLinearGradient body(0, 6, 0, 27);
    body.setColorAt(0, QColor(0x4a, 0x4e, 0x55));
    body.setColorAt(1, QColor(0x1c, 0x1e, 0x22));
    p.setPen(QPen(QColor(0x10, 0x10, 0x10), 0.8));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(1.5, 7.5, 29, 18), 2.5, 2.5);

    // Display.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf0, 0xa8, 0x30));
    p.drawRoundedRect(QRectF(4, 10, 13, 6), 1, 1);
    p.setPen(QPen(QColor(0x40, 0x22, 0x00), 1.1));
    for (int i = 0; i < 4; ++i)
        p.drawLine(QPointF(5.5 + i * 3, 11.5), QPointF(5.5 + i * 3, 14.5));

    // Keys.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xb8, 0xbc, 0xc4));
    for (int i = 0; i < 4; ++i)
        p.drawRect(QRectF(4 + i * 3.4, 19, 2.4, 3));

    // Tuning knob.
    QRadialGradient knob(QPointF(22.5, 15), 6, QPointF(21.5, 13.5));
    knob.setColorAt(0, QColor(0x9a, 0x9e, 0xa6));
    knob.setColorAt(1, QColor(0x30, 0x32, 0x36));
    p.setBrush(knob);
    p.setPen(QPen(QColor(0x0c, 0x0c, 0x0c), 0.8));
    p.drawEllipse(QPointF(23.5, 16.5), 5.5, 5.5);
    p.setBrush(QColor(0x20, 0x20, 0x22));
    p.drawEllipse(QPointF(25, 14.5), 1.2, 1.2);

    // Antenna.
    p.setPen(QPen(QColor(0xd0, 0xd0, 0xd0), 1.0));
    p.drawLine(QPointF(26, 7.5), QPointF(29, 1.5));
    return image;
}

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64})
        icon.addPixmap(QPixmap::fromImage(programImage(size)));
    return icon;
}
