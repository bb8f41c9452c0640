#include "art/artkit.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>
#include <array>
#include <cstdint>
#include <cstring>

namespace ArtKit {

QColor lcdBackground() { return QColor(0xe9, 0xa5, 0x4e); }
QColor lcdInk() { return QColor(0x2a, 0x14, 0x06); }
QColor lcdGhost() { return QColor(0xdf, 0x9b, 0x47); }
QColor lcdDim() { return QColor(0x7c, 0x4a, 0x1c); }

QImage picture(QSize size, QPoint origin, const std::function<void(QPainter&)>& draw)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.translate(-origin);
    draw(p);
    p.end();
    return image;
}

void fillPanel(QPainter& p, const QRect& area, int panelHeight)
{
    p.save();
    QLinearGradient g(0, 0, 0, panelHeight);
    g.setColorAt(0.0, QColor(0x47, 0x4b, 0x51));
    g.setColorAt(0.08, QColor(0x3a, 0x3e, 0x44));
    g.setColorAt(1.0, QColor(0x22, 0x24, 0x28));
    p.fillRect(area, g);
    // Fine brushed lines, a pure function of the row so neighbouring pieces agree.
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const uint32_t h = static_cast<uint32_t>(y) * 2654435761u;
        const int shade = static_cast<int>((h >> 27) & 7);
        if (shade < 3)
            p.fillRect(QRect(area.left(), y, area.width(), 1), QColor(255, 255, 255, 4 + shade * 2));
        else if (shade > 5)
            p.fillRect(QRect(area.left(), y, area.width(), 1), QColor(0, 0, 0, 12));
    }
    p.restore();
}

void drawKey(QPainter& p, const QRect& area, const QString& legend, bool pressed, KeyStyle style)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF outer = QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal radius = qMin<qreal>(4.0, area.height() / 4.0);

    // The well the key sits in.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x0c, 0x0d, 0x0f));
    p.drawRoundedRect(outer, radius + 1, radius + 1);

    QColor top, bottom, text;
    switch (style) {
    case KeyStyle::Grey:
        top = QColor(0x9a, 0x9e, 0xa4);
        bottom = QColor(0x5d, 0x61, 0x67);
        text = QColor(0x10, 0x12, 0x14);
        break;
    case KeyStyle::Dark:
        top = QColor(0x5a, 0x5e, 0x65);
        bottom = QColor(0x2c, 0x2f, 0x34);
        text = QColor(0xf0, 0xf0, 0xf0);
        break;
    case KeyStyle::Accent:
        top = QColor(0xd9, 0x8a, 0x3a);
        bottom = QColor(0x95, 0x52, 0x18);
        text = QColor(0x1a, 0x0c, 0x02);
        break;
    }
    QRectF cap = outer.adjusted(1.5, 1.0, -1.5, -2.5);
    if (pressed) {
        top = top.darker(135);
        bottom = bottom.darker(125);
        cap.translate(0, 1.5);
    }
    QLinearGradient g(cap.topLeft(), cap.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    if (!pressed) {
        // Side of the key below the cap.
        p.setBrush(bottom.darker(170));
        p.drawRoundedRect(cap.translated(0, 1.5), radius, radius);
    }
    p.setBrush(g);
    p.setPen(QPen(pressed ? QColor(0, 0, 0, 160) : top.lighter(125), 0.8));
    p.drawRoundedRect(cap, radius, radius);
    if (pressed) {
        // Shadow of the rim on the sunken cap.
        p.setPen(Qt::NoPen);
        QLinearGradient s(cap.topLeft(), cap.topLeft() + QPointF(0, 4));
        s.setColorAt(0, QColor(0, 0, 0, 110));
        s.setColorAt(1, QColor(0, 0, 0, 0));
        p.setBrush(s);
        p.drawRoundedRect(cap, radius, radius);
    }

    if (!legend.isEmpty()) {
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(qBound(7, static_cast<int>(cap.height() * 0.52), 12));
        f.setBold(true);
        f.setStretch(legend.size() > 4 ? QFont::Condensed : QFont::Unstretched);
        p.setFont(f);
        p.setPen(pressed ? text.lighter(140) : text);
        if (style == KeyStyle::Dark)
            p.setPen(pressed ? QColor(0xb0, 0xb0, 0xb0) : text);
        p.drawText(cap, Qt::AlignCenter, legend);
    }
    p.restore();
}

namespace {

// Segments a..g lit for each digit (bit 0 = a).
constexpr std::array<uint8_t, 10> SegmentsOf = {0x3f, 0x06, 0x5b, 0x4f, 0x66, 0x6d, 0x7d, 0x07, 0x7f, 0x6f};

QPolygonF segment(const QRectF& c, int index, qreal t)
{
    const qreal l = c.left(), r = c.right(), top = c.top(), b = c.bottom();
    const qreal m = (top + b) / 2;
    const qreal h = t / 2;
    const qreal gap = t * 0.22;
    // Segments meet in mitred corners: each runs between the centres of its two
    // corners, shortened by the gap.
    auto horizontal = [&](qreal y) {
        const qreal x0 = l + h + gap, x1 = r - h - gap;
        return QPolygonF({QPointF(x0, y), QPointF(x0 + h, y - h), QPointF(x1 - h, y - h), QPointF(x1, y),
                          QPointF(x1 - h, y + h), QPointF(x0 + h, y + h)});
    };
    auto vertical = [&](qreal x, qreal y0, qreal y1) {
        y0 += gap;
        y1 -= gap;
        return QPolygonF({QPointF(x, y0), QPointF(x + h, y0 + h), QPointF(x + h, y1 - h), QPointF(x, y1),
                          QPointF(x - h, y1 - h), QPointF(x - h, y0 + h)});
    };
    switch (index) {
    case 0: return horizontal(top + h);
    case 1: return vertical(r - h, top + h, m);
    case 2: return vertical(r - h, m, b - h);
    case 3: return horizontal(b - h);
    case 4: return vertical(l + h, m, b - h);
    case 5: return vertical(l + h, top + h, m);
    default: return horizontal(m);
    }
}

// 5 x 7 glyphs, one byte per row, bit 4 the leftmost dot.
struct Glyph {
    char c;
    std::array<uint8_t, 7> rows;
};
constexpr Glyph Font[] = {
    {'A', {0x0e, 0x11, 0x11, 0x1f, 0x11, 0x11, 0x11}}, {'B', {0x1e, 0x11, 0x11, 0x1e, 0x11, 0x11, 0x1e}},
    {'C', {0x0e, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0e}}, {'D', {0x1c, 0x12, 0x11, 0x11, 0x11, 0x12, 0x1c}},
    {'E', {0x1f, 0x10, 0x10, 0x1e, 0x10, 0x10, 0x1f}}, {'F', {0x1f, 0x10, 0x10, 0x1e, 0x10, 0x10, 0x10}},
    {'G', {0x0e, 0x11, 0x10, 0x17, 0x11, 0x11, 0x0f}}, {'H', {0x11, 0x11, 0x11, 0x1f, 0x11, 0x11, 0x11}},
    {'I', {0x0e, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0e}}, {'J', {0x07, 0x02, 0x02, 0x02, 0x02, 0x12, 0x0c}},
    {'K', {0x11, 0x12, 0x14, 0x18, 0x14, 0x12, 0x11}}, {'L', {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1f}},
    {'M', {0x11, 0x1b, 0x15, 0x15, 0x11, 0x11, 0x11}}, {'N', {0x11, 0x11, 0x19, 0x15, 0x13, 0x11, 0x11}},
    {'O', {0x0e, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0e}}, {'P', {0x1e, 0x11, 0x11, 0x1e, 0x10, 0x10, 0x10}},
    {'Q', {0x0e, 0x11, 0x11, 0x11, 0x15, 0x12, 0x0d}}, {'R', {0x1e, 0x11, 0x11, 0x1e, 0x14, 0x12, 0x11}},
    {'S', {0x0f, 0x10, 0x10, 0x0e, 0x01, 0x01, 0x1e}}, {'T', {0x1f, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04}},
    {'U', {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0e}}, {'V', {0x11, 0x11, 0x11, 0x11, 0x11, 0x0a, 0x04}},
    {'W', {0x11, 0x11, 0x11, 0x15, 0x15, 0x15, 0x0a}}, {'X', {0x11, 0x11, 0x0a, 0x04, 0x0a, 0x11, 0x11}},
    {'Y', {0x11, 0x11, 0x11, 0x0a, 0x04, 0x04, 0x04}}, {'Z', {0x1f, 0x01, 0x02, 0x04, 0x08, 0x10, 0x1f}},
    {'0', {0x0e, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0e}}, {'1', {0x04, 0x0c, 0x04, 0x04, 0x04, 0x04, 0x0e}},
    {'2', {0x0e, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1f}}, {'3', {0x1f, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0e}},
    {'4', {0x02, 0x06, 0x0a, 0x12, 0x1f, 0x02, 0x02}}, {'5', {0x1f, 0x10, 0x1e, 0x01, 0x01, 0x11, 0x0e}},
    {'6', {0x06, 0x08, 0x10, 0x1e, 0x11, 0x11, 0x0e}}, {'7', {0x1f, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0e, 0x11, 0x11, 0x0e, 0x11, 0x11, 0x0e}}, {'9', {0x0e, 0x11, 0x11, 0x0f, 0x01, 0x02, 0x0c}},
    {'-', {0x00, 0x00, 0x00, 0x1f, 0x00, 0x00, 0x00}}, {'.', {0x00, 0x00, 0x00, 0x00, 0x00, 0x0c, 0x0c}},
    {'/', {0x00, 0x01, 0x02, 0x04, 0x08, 0x10, 0x00}}, {'>', {0x10, 0x18, 0x1c, 0x1e, 0x1c, 0x18, 0x10}},
    {'+', {0x00, 0x04, 0x04, 0x1f, 0x04, 0x04, 0x00}},
};

const Glyph* glyphOf(QChar c)
{
    const char ch = static_cast<char>(c.toUpper().toLatin1());
    for (const Glyph& g : Font) {
        if (g.c == ch)
            return &g;
    }
    return nullptr;
}

}  // namespace

void drawSegmentDigit(QPainter& p, const QRectF& cell, int digit, const QColor& ink, const QColor& ghost,
                      qreal thickness)
{
    if (digit < 0 || digit > 9)
        return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    // A slight forward slant, as on the radio's readout.
    const qreal slant = 0.08;
    QTransform t;
    t.translate(cell.center().x(), cell.center().y());
    t.shear(-slant, 0);
    t.translate(-cell.center().x(), -cell.center().y());
    p.setTransform(t, true);
    const QRectF c = cell.adjusted(cell.height() * slant / 2, 0, -cell.height() * slant / 2, 0);
    for (int s = 0; s < 7; ++s) {
        const bool lit = SegmentsOf[static_cast<size_t>(digit)] & (1u << s);
        p.setBrush(lit ? ink : ghost);
        p.drawPolygon(segment(c, s, thickness));
    }
    p.restore();
}

qreal dotTextWidth(const QString& text, qreal dot) { return text.size() * 6 * dot - dot; }

qreal drawDotText(QPainter& p, QPointF topLeft, const QString& text, qreal dot, const QColor& ink)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    const qreal size = dot >= 2 ? dot * 0.82 : dot;
    qreal x = topLeft.x();
    for (QChar c : text) {
        if (const Glyph* g = glyphOf(c)) {
            for (int row = 0; row < 7; ++row) {
                for (int col = 0; col < 5; ++col) {
                    if (g->rows[static_cast<size_t>(row)] & (0x10 >> col))
                        p.drawRect(QRectF(x + col * dot, topLeft.y() + row * dot, size, size));
                }
            }
        }
        x += 6 * dot;
    }
    p.restore();
    return x - topLeft.x() - dot;
}

void drawLegend(QPainter& p, const QRectF& box, const QString& text, int pixelSize, const QColor& colour,
                bool bold, Qt::Alignment align)
{
    p.save();
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    p.setFont(f);
    p.setPen(colour);
    p.drawText(box, align, text);
    p.restore();
}

void drawKnob(QPainter& p, QPointF c, qreal radius, qreal angle, bool castShadow)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);

    if (castShadow) {
        // Shadow cast on the panel, light from the top left.
        QRadialGradient shadow(c + QPointF(5, 7), radius + 10);
        shadow.setColorAt(0.85, QColor(0, 0, 0, 150));
        shadow.setColorAt(1.0, QColor(0, 0, 0, 0));
        p.setBrush(shadow);
        p.drawEllipse(c + QPointF(5, 7), radius + 10, radius + 10);
    }

    // Skirt with its knurled rim; the ridges turn with the knob.
    QRadialGradient skirt(c - QPointF(radius * 0.3, radius * 0.35), radius * 1.5);
    skirt.setColorAt(0, QColor(0x4a, 0x4d, 0x52));
    skirt.setColorAt(1, QColor(0x0e, 0x0f, 0x11));
    p.setBrush(skirt);
    p.drawEllipse(c, radius, radius);
    const int ridges = 72;
    for (int i = 0; i < ridges; ++i) {
        const qreal a = qDegreesToRadians(angle + i * 360.0 / ridges);
        const QPointF dir(qCos(a), qSin(a));
        const qreal light = 0.5 + 0.5 * qCos(a + qDegreesToRadians(135.0));
        p.setPen(QPen(QColor::fromRgbF(0.2 + 0.45 * light, 0.21 + 0.45 * light, 0.23 + 0.45 * light, 0.9),
                      1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(c + dir * (radius * 0.87), c + dir * (radius * 0.985));
    }
    p.setPen(Qt::NoPen);

    // The cap: brushed metal, its rings and a finger dimple that turns.
    const qreal cap = radius * 0.84;
    QRadialGradient body(c - QPointF(cap * 0.35, cap * 0.45), cap * 1.6);
    body.setColorAt(0, QColor(0x5c, 0x60, 0x66));
    body.setColorAt(0.55, QColor(0x2c, 0x2f, 0x33));
    body.setColorAt(1, QColor(0x15, 0x16, 0x18));
    p.setBrush(body);
    p.drawEllipse(c, cap, cap);
    p.setBrush(Qt::NoBrush);
    for (int ring = 1; ring < 9; ++ring) {
        p.setPen(QPen(QColor(255, 255, 255, ring % 2 ? 10 : 6), 1));
        p.drawEllipse(c, cap * ring / 9.0, cap * ring / 9.0);
    }
    // Reflection of the light, fixed while the knob turns.
    QRadialGradient gloss(c - QPointF(cap * 0.4, cap * 0.5), cap * 0.8);
    gloss.setColorAt(0, QColor(255, 255, 255, 55));
    gloss.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(gloss);
    p.drawEllipse(c, cap, cap);
    p.setPen(QPen(QColor(0, 0, 0, 180), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, cap, cap);

    const qreal a = qDegreesToRadians(angle - 90.0);
    const QPointF dimple = c + QPointF(qCos(a), qSin(a)) * (cap * 0.62);
    const qreal dr = cap * 0.17;
    QRadialGradient pit(dimple + QPointF(dr * 0.35, dr * 0.45), dr * 1.3);
    pit.setColorAt(0, QColor(0x3a, 0x3d, 0x42));
    pit.setColorAt(1, QColor(0x08, 0x08, 0x0a));
    p.setPen(QPen(QColor(255, 255, 255, 40), 1));
    p.setBrush(pit);
    p.drawEllipse(dimple, dr, dr);

    // Index mark on the cap's edge, a small bright notch.
    const QPointF mark = c + QPointF(qCos(a + M_PI), qSin(a + M_PI)) * (cap * 0.9);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xe0, 0xe0, 0xe0));
    p.drawEllipse(mark, 2.0, 2.0);
    p.restore();
}

void drawSmallKnob(QPainter& p, QPointF c, qreal radius, qreal angle)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 120));
    p.drawEllipse(c + QPointF(2, 3), radius + 1, radius + 1);
    QRadialGradient g(c - QPointF(radius * 0.4, radius * 0.5), radius * 1.7);
    g.setColorAt(0, QColor(0x6a, 0x6e, 0x74));
    g.setColorAt(1, QColor(0x12, 0x13, 0x15));
    p.setBrush(g);
    p.drawEllipse(c, radius, radius);
    p.setPen(QPen(QColor(0, 0, 0, 200), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, radius, radius);
    const qreal a = qDegreesToRadians(angle - 90.0);
    p.setPen(QPen(QColor(0xf0, 0xf0, 0xf0), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(qCos(a), qSin(a)) * radius * 0.35, c + QPointF(qCos(a), qSin(a)) * radius * 0.85);
    p.restore();
}

void drawCabinetEdge(QPainter& p, QSize picture)
{
    const int w = picture.width(), h = picture.height();
    p.save();
    p.setPen(QPen(QColor(255, 255, 255, 45), 1));
    p.drawLine(QPointF(1.5, 1.5), QPointF(w - 2, 1.5));
    p.drawLine(QPointF(1.5, 1.5), QPointF(1.5, h - 2));
    p.setPen(QPen(QColor(0, 0, 0, 160), 2));
    p.drawLine(QPointF(1, h - 1), QPointF(w - 1, h - 1));
    p.drawLine(QPointF(w - 1, 1), QPointF(w - 1, h - 1));
    p.restore();
}

void drawMakerBadge(QPainter& p, const QRectF& box)
{
    p.save();
    QFont logo(QStringLiteral("DejaVu Sans"));
    logo.setPixelSize(22);
    logo.setBold(true);
    logo.setItalic(true);
    logo.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    p.setFont(logo);
    p.setPen(QColor(0xf2, 0xf2, 0xf2));
    p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("ICOM"));
    p.restore();
}

void drawDisplayBezel(QPainter& p, const QRect& d, qreal margin)
{
    p.save();
    p.setPen(Qt::NoPen);
    QLinearGradient bezel(d.topLeft() - QPoint(0, 8), d.bottomLeft() + QPoint(0, 8));
    bezel.setColorAt(0, QColor(0x08, 0x08, 0x09));
    bezel.setColorAt(1, QColor(0x2c, 0x2e, 0x32));
    p.setBrush(bezel);
    p.drawRoundedRect(QRectF(d).adjusted(-margin, -margin, margin, margin), 6, 6);
    p.setBrush(QColor(0x05, 0x05, 0x05));
    p.drawRect(QRectF(d).adjusted(-2, -2, 2, 2));
    p.restore();
}

void shadeLcdRim(QPainter& p, const QRect& lcd, const QColor& shade)
{
    p.save();
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        QColor c = shade;
        c.setAlpha(90 - i * 30);
        p.setPen(QPen(c, 1));
        p.drawRect(lcd.adjusted(i, i, -1 - i, -1 - i));
    }
    p.restore();
}

void drawControlScale(QPainter& p, QPointF c, qreal inner, qreal outer)
{
    p.save();
    p.setPen(QPen(QColor(0x80, 0x84, 0x8a), 1));
    p.setBrush(Qt::NoBrush);
    for (int t = 0; t < 11; ++t) {
        const qreal a = qDegreesToRadians(-225.0 + t * 27.0);
        const QPointF dir(qCos(a), qSin(a));
        p.drawLine(c + dir * inner, c + dir * outer);
    }
    p.restore();
}

void drawJack(QPainter& p, QPointF c, qreal radius)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x0a, 0x0a, 0x0b));
    p.drawEllipse(c, radius, radius);
    p.setBrush(QColor(0x60, 0x62, 0x66));
    p.drawEllipse(c, 4, 4);
    p.restore();
}

int spotOfKey(const PanelLayout& model, const char* key)
{
    for (int n = 1; n <= static_cast<int>(model.hotSpots.size()); ++n) {
        const char* k = model.spot(n).key;
        if (k && std::strcmp(k, key) == 0)
            return n;
    }
    return 0;
}

bool digitOf(const char* name, const char* prefix, int* digit)
{
    const size_t n = std::strlen(prefix);
    if (std::strncmp(name, prefix, n) != 0 || name[n] < '0' || name[n] > '9' || name[n + 1] != '\0')
        return false;
    *digit = name[n] - '0';
    return true;
}

int knobFrameOf(const char* name, int frames)
{
    constexpr char prefix[] = "Dial_";
    const size_t n = sizeof prefix - 1;
    if (std::strncmp(name, prefix, n) != 0)
        return -1;
    const char* digits = name + n;
    // Plain decimal, no sign and no leading zero.
    if (!*digits || (digits[0] == '0' && digits[1]) || std::strlen(digits) > 3)
        return -1;
    int frame = 0;
    for (const char* c = digits; *c; ++c) {
        if (*c < '0' || *c > '9')
            return -1;
        frame = frame * 10 + (*c - '0');
    }
    return frame < frames ? frame : -1;
}

std::optional<bool> drawFrontPicture(const PanelLayout& model, const char* name, const FrontDrawing& draw,
                                     QImage* image)
{
    const QString n = QString::fromLatin1(name);
    if (n == QLatin1String("RADIO")) {
        *image = picture(model.pictureSize, QPoint(0, 0), draw.radio);
        return true;
    }
    if (n == QLatin1String("DISPLAY")) {
        *image = picture(model.displaySize, QPoint(0, 0), draw.display);
        return true;
    }
    if (n.startsWith(QLatin1String("BU_")) || n.startsWith(QLatin1String("BD_"))) {
        const int spot = spotOfKey(model, name + 3);
        if (!spot)
            return false;
        const bool pressed = n.startsWith(QLatin1String("BD_"));
        const HotSpot& h = model.spot(spot);
        *image = picture(h.area().size(), h.topLeft(), [&](QPainter& p) { draw.key(p, spot, pressed); });
        return true;
    }
    if (const int frame = knobFrameOf(name, model.knobFrames); frame >= 0) {
        *image = picture(model.knobSize, model.knobPosition, [&](QPainter& p) { draw.knob(p, frame); });
        return true;
    }
    return std::nullopt;
}

}  // namespace ArtKit
