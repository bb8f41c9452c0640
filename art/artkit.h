#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QString>
#include <functional>
#include <optional>

#include "panels/panelmodel.h"

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

// --- pieces every front panel has ---

// The cabinet's edge around the whole picture: lit at the top and left, shaded at
// the bottom and right.
void drawCabinetEdge(QPainter& p, QSize picture);

// The maker's badge, left aligned in box.
void drawMakerBadge(QPainter& p, const QRectF& box);

// The black bezel around a display, margin wide.
void drawDisplayBezel(QPainter& p, const QRect& display, qreal margin);

// The shade at an LCD's rim, where the backlight is weakest.
void shadeLcdRim(QPainter& p, const QRect& lcd, const QColor& shade);

// The scale around a small control: eleven ticks from the seven-o'clock to the
// five-o'clock position between the two radii.
void drawControlScale(QPainter& p, QPointF centre, qreal inner, qreal outer);

// A round jack socket.
void drawJack(QPainter& p, QPointF centre, qreal radius);

// --- picture names ---

// The hot spot (from 1) whose key picture stem is key, 0 for none.
int spotOfKey(const PanelLayout& model, const char* key);

// A name made of prefix and one decimal digit: true with the digit in *digit.
bool digitOf(const char* name, const char* prefix, int* digit);

// The knob frame "Dial_<n>" names, -1 for any other name.
int knobFrameOf(const char* name, int frames);

// How a model draws what every front panel has, in the panel's coordinates: the
// whole front, the display (in its own), a hot spot's key released or pressed, and
// a frame of the tuning knob.
struct FrontDrawing {
    std::function<void(QPainter&)> radio;
    std::function<void(QPainter&)> display;
    std::function<void(QPainter&, int spot, bool pressed)> key;
    std::function<void(QPainter&, int frame)> knob;
};

// Draws "RADIO", "DISPLAY", a "BU_"/"BD_" key of the model or a "Dial_<n>" frame at
// the size and place the model gives it. Empty for a name of any other kind; else
// whether the name was one of the model's (a key it does not have is not).
std::optional<bool> drawFrontPicture(const PanelLayout& model, const char* name, const FrontDrawing& draw,
                                     QImage* image);

}  // namespace ArtKit
