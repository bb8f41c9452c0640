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

// One of the two models being drawn.
class Art {
public:
    explicit Art(bool mkII) : m(mkII ? modelMkII() : model()), mkII(mkII) {}

    bool draw(QImage* image, const char* name) const;

private:
    const PanelLayout& m;
    bool mkII;

    int height() const { return m.pictureSize.height(); }
    void keyAt(QPainter& p, int spot, bool pressed) const;
    void knob(QPainter& p, int frame) const;
    void memoryKnob(QPainter& p, int state) const;
    void leftSide(QPainter& p) const;
    // The whole front panel, its tuning knob at frame knobFrame.
    void radio(QPainter& p, int knobFrame = 0) const;
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

// The bar meter: S units on receive above the bars, output power below; fixed
// lettering, every bar unlit.
void meter(QPainter& p)
{
    const qreal left = 22, pitch = 8;
    const int bars = 19;
    auto label = [&](int bar, const char* text, qreal y, const QColor& ink) {
        const QString t = QString::fromLatin1(text);
        drawDotText(p, QPointF(left + bar * pitch + 2.5 - dotTextWidth(t, 1.0) / 2, y), t, 1.0, ink);
    };
    drawDotText(p, QPointF(9, 76), QStringLiteral("S"), 1.0, lcdInk());
    const struct {
        int bar;
        const char* text;
    } sUnits[] = {{0, "1"}, {2, "3"}, {4, "5"}, {6, "7"}, {8, "9"}, {11, "+20"}, {14, "+40"}, {17, "+60"}};
    for (const auto& s : sUnits)
        label(s.bar, s.text, 76, s.bar > 8 ? lcdInk() : lcdDim());
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int b = 0; b < bars; ++b) {
        const int h = 4 + b / 3;
        p.fillRect(QRectF(left + b * pitch, 96 - h, 6, h), lcdGhost());
    }
    p.setPen(QPen(lcdDim(), 1));
    p.drawLine(QPointF(left, 98.5), QPointF(left + bars * pitch - 2, 98.5));
    for (int b = 0; b <= bars - 1; b += 6)
        p.drawLine(QPointF(left + b * pitch + 2.5, 98.5), QPointF(left + b * pitch + 2.5, 100.5));
    p.restore();
    drawDotText(p, QPointF(5, 103), QStringLiteral("PO"), 1.0, lcdDim());
    const struct {
        int bar;
        const char* text;
    } power[] = {{0, "0"}, {6, "25"}, {12, "50"}, {18, "100"}};
    for (const auto& s : power)
        label(s.bar, s.text, 103, lcdDim());
}

void display(QPainter& p)
{
    const QRect all(QPoint(0, 0), model().displaySize);
    lcd(p, all);
    shadeLcdRim(p, all, QColor(0x6a, 0x3a, 0x10));
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
    // Functions of the radio the program does not drive: their legends stay unlit.
    drawLegend(p, QRectF(258, 30, 28, 10), QStringLiteral("RIT"), 8, lcdGhost(), true);
    drawLegend(p, QRectF(258, 42, 28, 10), QStringLiteral("DUP"), 8, lcdGhost(), true);
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
    p.save();
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
    drawMakerBadge(p, QRectF(14, 10, 90, 30));
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
    drawControlScale(p, af, 30, 34);
    drawSmallKnob(p, af, 25, -40);
    drawSmallKnob(p, af, 13, 30);
    drawLegend(p, QRectF(af.x() - 45, af.y() - 50, 90, 12), QStringLiteral("AF   RF/SQL"), 8, PanelLegend);

    // Phones jack and the eight-pin microphone socket; on the IC-706 the socket
    // takes the place the MKII gives its memory knob.
    const QPointF phones(28, 245), mic = mkII ? QPointF(68, 245) : QPointF(130, 238);
    drawJack(p, phones, 8);
    p.setPen(Qt::NoPen);
    drawLegend(p, QRectF(phones.x() - 30, 222, 60, 11), QStringLiteral("PHONES"), 8, PanelLegend);
    const qreal r = mkII ? 12 : 15;
    QRadialGradient ring(mic - QPointF(r * 0.3, r * 0.4), r * 1.4);
    ring.setColorAt(0, QColor(0xb0, 0xb4, 0xba));
    ring.setColorAt(1, QColor(0x40, 0x42, 0x46));
    p.setBrush(ring);
    p.drawEllipse(mic, r, r);
    p.setBrush(QColor(0x08, 0x08, 0x09));
    p.drawEllipse(mic, r * 0.72, r * 0.72);
    p.setBrush(QColor(0x9a, 0x8a, 0x50));
    for (int pin = 0; pin < 8; ++pin) {
        const qreal a = qDegreesToRadians(pin * 45.0 + 22.5);
        p.drawEllipse(mic + QPointF(qCos(a), qSin(a)) * r * 0.45, 1.1, 1.1);
    }
    p.setBrush(QColor(0x30, 0x31, 0x34));
    p.drawRect(QRectF(mic.x() - 1.5, mic.y() - r * 0.72, 3, r * 0.2));
    drawLegend(p, QRectF(mic.x() - 30, mic.y() - r - 13, 60, 11), QStringLiteral("MIC"), 8, PanelLegend);

    if (mkII) {
        drawLegend(p, QRectF(MemoryKnobAt.x(), MemoryKnobAt.y() - 12, MemoryKnobSize.width(), 11),
                   QStringLiteral("M-CH"), 8, PanelLegend, true);
        memoryKnob(p, 0);
    }
}

void Art::radio(QPainter& p, int knobFrame) const
{
    const int w = m.pictureSize.width(), h = height();
    fillPanel(p, QRect(0, 0, w, h), h);
    drawCabinetEdge(p, m.pictureSize);

    leftSide(p);

    // Display bezel and display.
    const QRect d = m.displayArea();
    drawDisplayBezel(p, d, 8);
    p.save();
    p.translate(d.topLeft());
    display(p);
    p.restore();

    // The knob goes under the keys at its corners and the legends beside it.
    knob(p, knobFrame);

    // What UP and DN step, and the dial.
    drawLegend(p, QRectF(700, 20, 44, 11), mkII ? QStringLiteral("BAND") : QStringLiteral("M-CH"), 8,
               PanelLegend, true);
    drawLegend(p, QRectF(566, 246, 60, 11), QStringLiteral("TUNING"), 8, PanelLegend, true);

    for (int n = 1; n <= static_cast<int>(m.hotSpots.size()); ++n) {
        if (m.spot(n).key)
            keyAt(p, n, false);
    }
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
    const FrontDrawing front{
        [this](QPainter& p) { radio(p); },
        display,
        [this](QPainter& p, int spot, bool pressed) { keyAt(p, spot, pressed); },
        // A knob frame is the panel's own square around the knob, keys in its
        // corners included, so drawing it never wipes a key out.
        [this](QPainter& p, int frame) {
            p.setClipRect(m.knobArea());
            radio(p, frame);
        },
    };
    if (const std::optional<bool> known = drawFrontPicture(m, name, front, image))
        return *known;
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
