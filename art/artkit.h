#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QString>
#include <functional>

// Drawing helpers shared by the panel-art libraries: the panel's brushed dark metal,
// keys in their released and pressed looks, the amber LCD with its seven-segment
// and dot-matrix characters, and the tuning knob.
namespace ArtKit {

// Colours of the LCD.
QColor lcdBackground();
QColor lcdInk();
QColor lcdGhost();  // unlit segments, faintly visible as on a real LCD
QColor lcdDim();    // the half-intensity ink of the second band

// A picture of the given size whose top left corner lies at origin in the
// coordinates draw paints in (the panel's or the display's).
QImage picture(QSize size, QPoint origin, const std::function<void(QPainter&)>& draw);

// The panel's background: dark metal, continuous across the whole picture, so any
// piece of it matches the pieces around it. Coordinates are the panel's.
void fillPanel(QPainter& p, const QRect& area, int panelHeight);

// A key filling area (panel coordinates) with its legend; pressed keys sit lower
// and darker.
enum class KeyStyle { Grey, Dark, Accent };
void drawKey(QPainter& p, const QRect& area, const QString& legend, bool pressed, KeyStyle style);

// A seven-segment digit (0..9) in cell; unlit segments drawn in ghost.
void drawSegmentDigit(QPainter& p, const QRectF& cell, int digit, const QColor& ink, const QColor& ghost,
                      qreal thickness);

// Dot-matrix text in a 5 x 7 font; dot is the pitch of one dot. Returns the width.
qreal drawDotText(QPainter& p, QPointF topLeft, const QString& text, qreal dot, const QColor& ink);
qreal dotTextWidth(const QString& text, qreal dot);

// Plain legend text printed on the panel.
void drawLegend(QPainter& p, const QRectF& box, const QString& text, int pixelSize,
                const QColor& colour = QColor(0xd8, 0xdb, 0xde), bool bold = false,
                Qt::Alignment align = Qt::AlignCenter);

// A large tuning knob centred at centre, turned by angle degrees. Without its own
// shadow it stays inside its radius, for a knob sitting in a seat drawn around it.
void drawKnob(QPainter& p, QPointF centre, qreal radius, qreal angle, bool castShadow = true);

// A small control knob for decoration, with its pointer at angle degrees.
void drawSmallKnob(QPainter& p, QPointF centre, qreal radius, qreal angle);

}  // namespace ArtKit
