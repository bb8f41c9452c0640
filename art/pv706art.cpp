// The IC-706 and IC-706MKII panel art. Compact mobile sets: the display on the
// left with FUNC and F-1 to F-3 under it, the big tuning knob on the right with
// MODE and TS beside it and UP and DN at its top and bottom right. The MKII adds a
// memory-channel knob at the lower left.

#include "art/pv706art.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QString>
#include <QtMath>
#include <cstring>

#include "art/artkit.h"
#include "panels/model706.h"

using namespace ArtKit;
using namespace Model706;

namespace Art706 {
namespace {

constexpr QPointF KnobCentre{646.0, 152.0};
constexpr qreal KnobRadius = 83.0;
constexpr QPointF MemoryKnobCentre{130.0, 233.0};
constexpr qreal MemoryKnobRadius = 22.0;
// Pointer angles of the memory knob: at rest, turned left, turned right.
constexpr qreal MemoryKnobAngles[3] = {0.0, -40.0, 40.0};

const QColor PanelLegend(0xc8, 0xcc, 0xd0);
const QColor SecondLegend(0xe0, 0xa0, 0x50);

// One of the two models being drawn.
class Art {
public:
    explicit Art(bool mkII) : m(mkII ? modelMkII() : model()), mkII(mkII) {}

    bool draw(QImage* image, const char* name) const;

private:
    const PanelLayout& m;
    bool mkII;

    int height() const { return m.pictureSize.height(); }
    int spotOfKey(const char* key) const;
    void keyAt(QPainter& p, int spot, bool pressed) const;
    void knob(QPainter& p, int frame) const;
    void memoryKnob(QPainter& p, int state) const;
    void leftSide(QPainter& p) const;
    void radio(QPainter& p) const;
};

// --- display pieces, in display coordinates ---

void lcd(QPainter& p, const QRect& area) { p.fillRect(area, lcdBackground()); }

// A digit cell; its segments keep clear of the cell's top, where the tuning-step
// mark sits above the digit. d < 0 draws the cell with every segment unlit.
void digit(QPainter& p, QPoint at, QSize size, int d, qreal thickness, qreal topGap)
{
    const QRect cell(at, size);
    lcd(p, cell);
    const QRectF box = QRectF(cell).adjusted(2.0, topGap, -2.0, -1.0);
    drawSegmentDigit(p, box, d < 0 ? 8 : d, d < 0 ? lcdGhost() : lcdInk(), lcdGhost(), thickness);
}

void frequencyDigit(QPainter& p, QPoint at, int d) { digit(p, at, DigitSize, d, 4.0, 4.0); }
void channelDigit(QPainter& p, QPoint at, int d) { digit(p, at, ChannelDigitSize, d, 2.6, 1.5); }

// LCD lettering: printed segments of fixed shape, so a plain bold face.
void lcdText(QPainter& p, const QRectF& box, const QString& text, int pixelSize, const QColor& ink,
             Qt::Alignment align = Qt::AlignCenter)
{
    drawLegend(p, box, text, pixelSize, ink, true, align);
}

// The tuning-step mark: a small triangle pointing down at the digit, well clear
// of the digit's segments.
void stepMark(QPainter& p, QPoint at, bool on)
{
    lcd(p, QRect(at, StepMarkSize));
    const qreal cx = at.x() + StepMarkSize.width() / 2.0;
    const qreal h = StepMarkSize.height();
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(on ? lcdInk() : lcdGhost());
    p.drawPolygon(QPolygonF({QPointF(cx - 5.5, at.y()), QPointF(cx + 5.5, at.y()), QPointF(cx, at.y() + h)}));
    p.restore();
}

// A lettered mark: lit, unlit (a faint ghost as on a real LCD) or not there.
enum class Lit { On, Off, None };
void mark(QPainter& p, QPoint at, QSize size, const QString& text, int pixelSize, Lit lit)
{
    const QRect r(at, size);
    lcd(p, r);
    if (lit != Lit::None)
        lcdText(p, r, text, pixelSize, lit == Lit::On ? lcdInk() : lcdGhost());
}

// What F-1, F-2 and F-3 do in a function set, shown above the keys.
struct FunctionSetText {
    const char* set;
    const char* keys[3];
};
constexpr FunctionSetText FunctionSets[3] = {
    {"M1", {"SPL", "A/B", "A=B"}},
    {"M2", {"MW", "M-CL", "V/M"}},
    {"M3", {"MW", "M>VFO", "V/M"}},
};

void functionSet(QPainter& p, int set)
{
    const QPoint at = FunctionSetAt;
    lcd(p, QRect(at, FunctionSetSize));
    const FunctionSetText& t = FunctionSets[set - 1];
    // The set's name, inverse, above the FUNC key that steps it.
    const QRectF name(at.x(), at.y() + 2, 28, 14);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(lcdInk());
    p.drawRoundedRect(name, 2, 2);
    p.restore();
    lcdText(p, name, QString::fromLatin1(t.set), 10, lcdBackground());
    // Each meaning centred over its key, with a bracket reaching down to it.
    const int spots[3] = {F1, F2, F3};
    for (int k = 0; k < 3; ++k) {
        const HotSpot& h = model().spot(spots[k]);
        const qreal centre = (h.left + h.right) / 2.0 - model().displayOrigin.x();
        const QRectF box(centre - 27, at.y() + 1, 54, 12);
        lcdText(p, box, QString::fromLatin1(t.keys[k]), 10, lcdInk());
        p.save();
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(lcdDim(), 1));
        const int y = at.y() + 15;
        p.drawLine(QPointF(centre - 24, y), QPointF(centre + 24, y));
        p.drawLine(QPointF(centre - 24, y - 2), QPointF(centre - 24, y));
        p.drawLine(QPointF(centre + 24, y - 2), QPointF(centre + 24, y));
        p.restore();
    }
}

// The bar meter: S units on receive, fixed lettering, every bar unlit.
void meter(QPainter& p)
{
    const QColor dim = lcdDim();
    drawDotText(p, QPointF(10, 76), QStringLiteral("S"), 1.0, lcdInk());
    const struct {
        int bar;
        const char* text;
    } scale[] = {{0, "1"}, {2, "3"}, {4, "5"}, {6, "7"}, {8, "9"}, {11, "+20"}, {14, "+40"}, {17, "+60"}};
    const qreal left = 22, pitch = 8;
    for (const auto& s : scale) {
        const QString text = QString::fromLatin1(s.text);
        drawDotText(p, QPointF(left + s.bar * pitch + 2.5 - dotTextWidth(text, 1.0) / 2, 76), text, 1.0,
                    s.bar > 8 ? lcdInk() : dim);
    }
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int b = 0; b < 19; ++b) {
        const int h = 4 + b / 3;
        p.fillRect(QRectF(left + b * pitch, 96 - h, 6, h), lcdGhost());
    }
    p.setPen(QPen(dim, 1));
    p.drawLine(QPointF(left, 98.5), QPointF(left + 19 * pitch - 2, 98.5));
    p.restore();
    drawDotText(p, QPointF(10, 103), QStringLiteral("PO"), 1.0, dim);
    drawDotText(p, QPointF(22, 110), QStringLiteral("0     25     50    100%"), 1.0, dim);
}

void display(QPainter& p)
{
    const QRect all(QPoint(0, 0), model().displaySize);
    lcd(p, all);
    p.save();
    for (int i = 0; i < 3; ++i) {
        p.setPen(QPen(QColor(0x6a, 0x3a, 0x10, 90 - i * 30), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(all.adjusted(i, i, -1 - i, -1 - i));
    }
    p.restore();
    for (int left : DigitLefts)
        frequencyDigit(p, QPoint(left, DigitTop), -1);
    for (int left : StepMarkLefts)
        stepMark(p, QPoint(left, StepMarkTop), false);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(lcdInk());
    p.drawEllipse(QPointF(103.0, DigitTop + 33.0), 2.2, 2.2);
    p.drawEllipse(QPointF(195.0, DigitTop + 33.0), 2.2, 2.2);
    p.restore();
    channelDigit(p, ChannelTensAt, -1);
    channelDigit(p, ChannelUnitsAt, -1);
    drawDotText(p, QPointF(ChannelTensAt.x() + 6, ChannelTensAt.y() - 9), QStringLiteral("M-CH"), 1.0,
                lcdDim());
    mark(p, NarrowAt, NarrowSize, QStringLiteral("NAR"), 9, Lit::Off);
    mark(p, SplitAt, SplitSize, QStringLiteral("SPLIT"), 10, Lit::Off);
    meter(p);
    p.save();
    p.setPen(QPen(QColor(0xb8, 0x78, 0x30), 1));
    p.drawLine(QPointF(8, 120.5), QPointF(all.width() - 8, 120.5));
    p.restore();
    functionSet(p, M1);
}

// --- the panel, in panel coordinates ---

int Art::spotOfKey(const char* key) const
{
    for (int n = 1; n <= static_cast<int>(m.hotSpots.size()); ++n) {
        const char* k = m.spot(n).key;
        if (k && std::strcmp(k, key) == 0)
            return n;
    }
    return 0;
}

void Art::keyAt(QPainter& p, int spot, bool pressed) const
{
    const HotSpot& h = m.spot(spot);
    fillPanel(p, h.area(), height());
    const KeyStyle style = spot == FunctionSet                        ? KeyStyle::Accent
                           : (spot == F1 || spot == F2 || spot == F3) ? KeyStyle::Grey
                                                                      : KeyStyle::Dark;
    drawKey(p, h.area(), QString::fromLatin1(h.label), pressed, style);
}

void Art::knob(QPainter& p, int frame) const
{
    const QRect area = m.knobArea();
    fillPanel(p, area, height());
    p.save();
    p.setClipRect(area);
    p.setRenderHint(QPainter::Antialiasing);
    // The seat the knob turns in: a recess lit from the top left, so its lower
    // right rim catches the light; the knob's shadow falls into it.
    p.setPen(Qt::NoPen);
    QLinearGradient rim(KnobCentre - QPointF(KnobRadius, KnobRadius),
                        KnobCentre + QPointF(KnobRadius, KnobRadius));
    rim.setColorAt(0, QColor(0x0a, 0x0b, 0x0c));
    rim.setColorAt(1, QColor(0x5a, 0x5e, 0x64));
    p.setBrush(rim);
    p.drawEllipse(KnobCentre, KnobRadius + 4, KnobRadius + 4);
    QRadialGradient pit(KnobCentre + QPointF(2, 3), KnobRadius + 3);
    pit.setColorAt(0.9, QColor(0x02, 0x02, 0x03));
    pit.setColorAt(1.0, QColor(0x14, 0x15, 0x17));
    p.setBrush(pit);
    p.drawEllipse(KnobCentre, KnobRadius + 2.5, KnobRadius + 2.5);
    drawKnob(p, KnobCentre, KnobRadius, frame * 360.0 / m.knobFrames, false);
    p.restore();
}

void Art::memoryKnob(QPainter& p, int state) const
{
    const QRect area(MemoryKnobAt, MemoryKnobSize);
    fillPanel(p, area, height());
    p.save();
    p.setClipRect(area);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x80, 0x84, 0x8a), 1));
    for (int t = 0; t < 12; ++t) {
        const qreal a = qDegreesToRadians(t * 30.0);
        const QPointF dir(qCos(a), qSin(a));
        p.drawLine(MemoryKnobCentre + dir * (MemoryKnobRadius + 5),
                   MemoryKnobCentre + dir * (MemoryKnobRadius + 8));
    }
    drawSmallKnob(p, MemoryKnobCentre, MemoryKnobRadius, MemoryKnobAngles[state]);
    p.restore();
}

void Art::leftSide(QPainter& p) const
{
    QFont logo(QStringLiteral("DejaVu Sans"));
    logo.setPixelSize(22);
    logo.setBold(true);
    logo.setItalic(true);
    logo.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    p.setFont(logo);
    p.setPen(QColor(0xf2, 0xf2, 0xf2));
    p.drawText(QRectF(14, 10, 90, 30), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("ICOM"));
    drawLegend(p, QRectF(14, 40, 160, 20), mkII ? QStringLiteral("IC-706MKII") : QStringLiteral("IC-706"), 15,
               QColor(0xe8, 0xe8, 0xe8), true, Qt::AlignLeft | Qt::AlignVCenter);
    drawLegend(p, QRectF(14, 60, 160, 12), QStringLiteral("HF/50/144 MHz TRANSCEIVER"), 8,
               QColor(0xa8, 0xac, 0xb2), false, Qt::AlignLeft | Qt::AlignVCenter);

    // Power key and the transmit/receive lamp.
    drawLegend(p, QRectF(12, 82, 40, 11), QStringLiteral("POWER"), 8, PanelLegend);
    drawKey(p, QRect(16, 95, 32, 18), QString(), false, KeyStyle::Dark);
    drawLegend(p, QRectF(60, 82, 50, 11), QStringLiteral("TX/RX"), 8, PanelLegend);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x30, 0xd0, 0x40));
    p.drawEllipse(QPointF(85, 104), 3, 3);

    // The AF and RF/SQL controls, one inside the other.
    const QPointF af(58, 172);
    p.setPen(QPen(QColor(0x80, 0x84, 0x8a), 1));
    for (int t = 0; t < 11; ++t) {
        const qreal a = qDegreesToRadians(-225.0 + t * 27.0);
        p.drawLine(af + QPointF(qCos(a), qSin(a)) * 30, af + QPointF(qCos(a), qSin(a)) * 34);
    }
    drawSmallKnob(p, af, 25, -40);
    drawSmallKnob(p, af, 13, 30);
    drawLegend(p, QRectF(af.x() - 45, af.y() - 50, 90, 12), QStringLiteral("AF   RF/SQL"), 8, PanelLegend);

    // Microphone and phones jacks.
    const QPointF jacks[2] = {{28, 245}, {mkII ? 66.0 : 90.0, 245}};
    const char* names[2] = {"PHONES", "MIC"};
    for (int j = 0; j < 2; ++j) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x0a, 0x0a, 0x0b));
        p.drawEllipse(jacks[j], j ? 11 : 8, j ? 11 : 8);
        p.setBrush(QColor(0x60, 0x62, 0x66));
        p.drawEllipse(jacks[j], 4, 4);
        drawLegend(p, QRectF(jacks[j].x() - 30, 222, 60, 11), QString::fromLatin1(names[j]), 8, PanelLegend);
    }

    if (mkII) {
        drawLegend(p, QRectF(MemoryKnobAt.x(), MemoryKnobAt.y() - 12, MemoryKnobSize.width(), 11),
                   QStringLiteral("M-CH"), 8, PanelLegend, true);
        memoryKnob(p, 0);
    }
}

void Art::radio(QPainter& p) const
{
    const int w = m.pictureSize.width(), h = height();
    fillPanel(p, QRect(0, 0, w, h), h);
    p.setPen(QPen(QColor(255, 255, 255, 45), 1));
    p.drawLine(QPointF(1.5, 1.5), QPointF(w - 2, 1.5));
    p.drawLine(QPointF(1.5, 1.5), QPointF(1.5, h - 2));
    p.setPen(QPen(QColor(0, 0, 0, 160), 2));
    p.drawLine(QPointF(1, h - 1), QPointF(w - 1, h - 1));
    p.drawLine(QPointF(w - 1, 1), QPointF(w - 1, h - 1));

    leftSide(p);

    // Display bezel and display.
    const QRect d = m.displayArea();
    p.setPen(Qt::NoPen);
    QLinearGradient bezel(d.topLeft() - QPoint(0, 8), d.bottomLeft() + QPoint(0, 8));
    bezel.setColorAt(0, QColor(0x08, 0x08, 0x09));
    bezel.setColorAt(1, QColor(0x2c, 0x2e, 0x32));
    p.setBrush(bezel);
    p.drawRoundedRect(QRectF(d).adjusted(-8, -8, 8, 8), 6, 6);
    p.setBrush(QColor(0x05, 0x05, 0x05));
    p.drawRect(QRectF(d).adjusted(-2, -2, 2, 2));
    p.save();
    p.translate(d.topLeft());
    display(p);
    p.restore();

    // What UP and DN step, and the dial.
    drawLegend(p, QRectF(700, 20, 44, 11), mkII ? QStringLiteral("BAND") : QStringLiteral("M-CH"), 8,
               PanelLegend, true);
    drawLegend(p, QRectF(566, 246, 60, 11), QStringLiteral("TUNING"), 8, PanelLegend, true);

    for (int n = 1; n <= static_cast<int>(m.hotSpots.size()); ++n) {
        if (m.spot(n).key)
            keyAt(p, n, false);
    }
    knob(p, 0);
}

bool digitOf(const char* name, const char* prefix, int* d)
{
    const size_t n = std::strlen(prefix);
    if (std::strncmp(name, prefix, n) != 0 || name[n] < '0' || name[n] > '9' || name[n + 1] != '\0')
        return false;
    *d = name[n] - '0';
    return true;
}

struct Mark {
    const char* name;
    QPoint at;
    QSize size;
    const char* text;
    int pixelSize;
    Lit lit;
};

const Mark Marks[] = {
    {"VFOA", VfoAAt, VfoMarkSize, "VFO A", 9, Lit::On},
    {"VFOB", VfoBAt, VfoMarkSize, "VFO B", 9, Lit::On},
    {"MEMO", MemoAt, VfoMarkSize, "MEMO", 9, Lit::On},
    {"VFO_OFF", VfoAAt, VfoMarkSize, "", 9, Lit::None},
    {"FM", ModeAt, ModeSize, "FM", 11, Lit::On},
    {"WFM", ModeAt, ModeSize, "WFM", 11, Lit::On},
    {"USB", ModeAt, ModeSize, "USB", 11, Lit::On},
    {"LSB", ModeAt, ModeSize, "LSB", 11, Lit::On},
    {"CW", ModeAt, ModeSize, "CW", 11, Lit::On},
    {"AM", ModeAt, ModeSize, "AM", 11, Lit::On},
    {"RTTY", ModeAt, ModeSize, "RTTY", 11, Lit::On},
    {"NAR", NarrowAt, NarrowSize, "NAR", 9, Lit::On},
    {"NAR_OFF", NarrowAt, NarrowSize, "NAR", 9, Lit::Off},
    {"Split", SplitAt, SplitSize, "SPLIT", 10, Lit::On},
    {"Split_OFF", SplitAt, SplitSize, "SPLIT", 10, Lit::Off},
};

bool Art::draw(QImage* image, const char* name) const
{
    const QString n = QString::fromLatin1(name);
    int d = 0;
    if (n == QLatin1String("RADIO")) {
        *image = picture(m.pictureSize, QPoint(0, 0), [this](QPainter& p) { radio(p); });
        return true;
    }
    if (n == QLatin1String("DISPLAY")) {
        *image = picture(m.displaySize, QPoint(0, 0), display);
        return true;
    }
    if (n.startsWith(QLatin1String("BU_")) || n.startsWith(QLatin1String("BD_"))) {
        const int spot = spotOfKey(name + 3);
        if (!spot)
            return false;
        const bool pressed = n.startsWith(QLatin1String("BD_"));
        *image = picture(m.spot(spot).area().size(), m.spot(spot).topLeft(),
                         [&](QPainter& p) { keyAt(p, spot, pressed); });
        return true;
    }
    if (n.startsWith(QLatin1String("Dial_"))) {
        bool ok = false;
        const int frame = n.mid(5).toInt(&ok);
        if (!ok || frame < 0 || frame >= m.knobFrames || n.mid(5) != QString::number(frame))
            return false;
        *image = picture(m.knobSize, m.knobPosition, [&](QPainter& p) { knob(p, frame); });
        return true;
    }
    if (mkII && n.startsWith(QLatin1String("MEM_NOB"))) {
        if (!digitOf(name, "MEM_NOB", &d) || d < 1 || d > 3)
            return false;
        *image = picture(MemoryKnobSize, MemoryKnobAt, [&](QPainter& p) { memoryKnob(p, d - 1); });
        return true;
    }
    if (digitOf(name, "MF_Num", &d)) {
        *image = picture(DigitSize, QPoint(0, 0), [&](QPainter& p) { frequencyDigit(p, QPoint(0, 0), d); });
        return true;
    }
    if (n == QLatin1String("MF_BLANK")) {
        *image = picture(DigitSize, QPoint(0, 0), [](QPainter& p) { frequencyDigit(p, QPoint(0, 0), -1); });
        return true;
    }
    if (digitOf(name, "NumMem", &d)) {
        *image =
            picture(ChannelDigitSize, QPoint(0, 0), [&](QPainter& p) { channelDigit(p, QPoint(0, 0), d); });
        return true;
    }
    if (n == QLatin1String("TS") || n == QLatin1String("TS_OFF")) {
        const bool on = n == QLatin1String("TS");
        *image = picture(StepMarkSize, QPoint(0, 0), [&](QPainter& p) { stepMark(p, QPoint(0, 0), on); });
        return true;
    }
    for (int set = M1; set <= M3; ++set) {
        if (n == QLatin1String(FunctionSets[set - 1].set)) {
            *image = picture(FunctionSetSize, FunctionSetAt, [&](QPainter& p) { functionSet(p, set); });
            return true;
        }
    }
    for (const Mark& k : Marks) {
        if (n == QLatin1String(k.name)) {
            *image = picture(k.size, k.at, [&](QPainter& p) {
                mark(p, k.at, k.size, QString::fromLatin1(k.text), k.pixelSize, k.lit);
            });
            return true;
        }
    }
    return false;
}

}  // namespace

bool drawPicture(QImage* image, const char* name, bool mkII) { return Art(mkII).draw(image, name); }

}  // namespace Art706
