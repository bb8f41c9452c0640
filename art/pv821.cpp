// The IC-821 panel art: every picture the IC-821 panel asks for, drawn on request.
// A two-band VHF/UHF front: one wide display with the main band on the left and
// the sub band on the right, the dial in the middle, SUB and FUNC keys beside it.

#include <QImage>
#include <QPainter>
#include <QString>
#include <QtMath>
#include <cstring>

#include "art/artkit.h"
#include "panels/artabi.h"
#include "panels/model821.h"

using namespace ArtKit;
using namespace Model821;

namespace {

const PanelLayout& M = model();

// The IC-821's display is lit a cooler yellow than the HF sets'.
const QColor Lcd(0xd9, 0xc4, 0x55);
const QColor Ink(0x1c, 0x1a, 0x0a);
const QColor Ghost(0xcd, 0xb7, 0x4c);
const QColor Dim(0x6a, 0x5c, 0x1c);

constexpr QPointF KnobCentre{462.0, 199.0};
constexpr qreal KnobRadius = 60.0;

KeyStyle styleOf(int spot)
{
    if (spot == FUNC)
        return KeyStyle::Accent;
    if (spot == FM || spot == SSB)
        return KeyStyle::Grey;
    return KeyStyle::Dark;
}

void keyAt(QPainter& p, int spot, bool pressed)
{
    const HotSpot& h = M.spot(spot);
    fillPanel(p, h.area(), M.pictureSize.height());
    drawKey(p, h.area(), QString::fromLatin1(h.label), pressed, styleOf(spot));
}

// --- display pieces, in display coordinates ---

void lcd(QPainter& p, const QRect& area) { p.fillRect(area, Lcd); }

void digit(QPainter& p, QSize size, int d, qreal thickness)
{
    const QRect cell(QPoint(0, 0), size);
    lcd(p, cell);
    const QRectF box = QRectF(cell).adjusted(1.5, 1.5, -1.5, -1.5);
    if (d >= 0) {
        drawSegmentDigit(p, box, d, Ink, Ghost, thickness);
        return;
    }
    // A blank memory: unlit segments and a dash across the middle.
    drawSegmentDigit(p, box, 8, Ghost, Ghost, thickness);
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    p.drawRect(QRectF(box.left() + thickness, box.center().y() - thickness / 2, box.width() - 2 * thickness,
                      thickness));
}

// A boxed legend: lit, unlit (ghost) or not shown at all.
enum class Lit { On, Off, None };
void mark(QPainter& p, QSize size, const QString& text, Lit lit, bool inverse = false)
{
    const QRect r(QPoint(0, 0), size);
    lcd(p, r);
    if (lit == Lit::None)
        return;
    const QColor ink = lit == Lit::On ? Ink : Ghost;
    const qreal w = dotTextWidth(text, 1.0);
    const QPointF at((size.width() - w) / 2.0 + 0.5, (size.height() - 7) / 2.0);
    if (inverse && lit == Lit::On) {
        p.fillRect(r.adjusted(0, 0, 0, 0), Ink);
        drawDotText(p, at, text, 1.0, Lcd);
        return;
    }
    drawDotText(p, at, text, 1.0, ink);
}

// A short pointer over the middle of the digit, narrowing downwards. A bar as
// wide as the mark would meet the right-hand segments of a "1" and make it read
// as a "7". The sub line's narrower digits sit further left under their marks, so
// their pointer is smaller and further left in its picture.
void stepPointer(QPainter& p, QPoint at, bool main, const QColor& ink)
{
    const int tip = main ? 2 : 1;
    const int rows = main ? StepMarkSize.height() : StepMarkSize.height() - 1;
    for (int row = 0; row < rows; ++row) {
        const int half = rows - 1 - row;
        p.fillRect(QRect(at.x() + tip - half, at.y() + row, 2 * half + 1, 1), ink);
    }
}

void stepMark(QPainter& p, bool main, bool on)
{
    lcd(p, QRect(QPoint(0, 0), StepMarkSize));
    stepPointer(p, QPoint(0, 0), main, on ? Ink : Ghost);
}

void display(QPainter& p)
{
    const QRect all(QPoint(0, 0), M.displaySize);
    lcd(p, all);
    shadeLcdRim(p, all, QColor(0x50, 0x44, 0x08));
    // Every segment unlit, the decimal points, and the off states of the marks.
    auto ghostDigit = [&p](QPoint at, QSize size, qreal thickness) {
        drawSegmentDigit(p, QRectF(QRect(at, size)).adjusted(1.5, 1.5, -1.5, -1.5), 8, Ghost, Ghost,
                         thickness);
    };
    for (int i = 0; i < 7; ++i) {
        ghostDigit(QPoint(MainDigitLefts[i], MainLineTop), MainDigitSize, 3.4);
        ghostDigit(QPoint(SubDigitLefts[i], SubLineTop), SubDigitSize, 2.6);
    }
    for (QPoint at : {MainChannelTensAt, MainChannelUnitsAt})
        ghostDigit(at, MainChannelDigitSize, 2.4);
    for (QPoint at : {SubChannelTensAt, SubChannelUnitsAt})
        ghostDigit(at, SubChannelDigitSize, 2.0);
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    p.drawEllipse(QPointF(100.5, MainLineTop + 28.5), 1.8, 1.8);
    p.drawEllipse(QPointF(162.5, MainLineTop + 28.5), 1.8, 1.8);
    p.drawEllipse(QPointF(318.5, SubLineTop + 21.5), 1.5, 1.5);
    p.drawEllipse(QPointF(371.5, SubLineTop + 21.5), 1.5, 1.5);
    auto place = [&p](QPoint at, QSize size, const QString& text, Lit lit) {
        p.save();
        p.translate(at);
        mark(p, size, text, lit);
        p.restore();
    };
    place(FuncAt, FuncSize, QStringLiteral("FUNC"), Lit::Off);
    place(SubMarkAt, SubMarkSize, QStringLiteral("SUB"), Lit::Off);
    place(ScanAt, ScanSize, QStringLiteral("SCAN"), Lit::Off);
    place(SubScanAt, SubScanSize, QStringLiteral("SCAN"), Lit::Off);
    place(DuplexAt, DuplexSize, QStringLiteral("DUP"), Lit::Off);
    for (int i = 0; i < 6; ++i) {
        stepPointer(p, QPoint(MainStepMarkLefts[i], MainStepMarkTop), true, Ghost);
        stepPointer(p, QPoint(SubStepMarkLefts[i], SubStepMarkTop), false, Ghost);
    }
    // Channel labels and the line between the bands.
    drawDotText(p, QPointF(223, 31), QStringLiteral("M"), 1.0, Dim);
    drawDotText(p, QPointF(223, 40), QStringLiteral("CH"), 1.0, Dim);
    p.setPen(QPen(QColor(0x8a, 0x7a, 0x28), 1));
    p.drawLine(QPointF(262.5, 5), QPointF(262.5, M.displaySize.height() - 6));
}

// --- the panel, in panel coordinates ---

void knob(QPainter& p, int frame)
{
    fillPanel(p, M.knobArea(), M.pictureSize.height());
    p.save();
    p.setClipRect(M.knobArea());
    // A ring of marks around the dial, then the dial itself.
    p.setPen(QPen(QColor(0x88, 0x8c, 0x92), 1));
    for (int t = 0; t < 60; ++t) {
        const qreal a = qDegreesToRadians(t * 6.0);
        const QPointF dir(qCos(a), qSin(a));
        p.drawLine(KnobCentre + dir * (KnobRadius + 8), KnobCentre + dir * (KnobRadius + (t % 5 ? 11 : 15)));
    }
    drawKnob(p, KnobCentre, KnobRadius, frame * 360.0 / M.knobFrames);
    p.restore();
}

void smallControl(QPainter& p, QPointF at, const QString& name, qreal angle, const QColor& legend)
{
    drawControlScale(p, at, 24, 27);
    drawSmallKnob(p, at, 19, angle);
    drawSmallKnob(p, at, 10, angle + 40);
    drawLegend(p, QRectF(at.x() - 40, at.y() - 42, 80, 12), name, 8, legend);
}

void radio(QPainter& p)
{
    const int w = M.pictureSize.width(), h = M.pictureSize.height();
    fillPanel(p, QRect(0, 0, w, h), h);
    drawCabinetEdge(p, M.pictureSize);

    // Maker's badge and model, left of the display.
    drawMakerBadge(p, QRectF(14, 16, 80, 30));
    drawLegend(p, QRectF(96, 22, 120, 22), QStringLiteral("IC-821H"), 17, QColor(0xe8, 0xe8, 0xe8), true,
               Qt::AlignLeft | Qt::AlignVCenter);
    drawLegend(p, QRectF(14, 48, 240, 14), QStringLiteral("VHF/UHF ALL MODE TRANSCEIVER"), 9,
               QColor(0xa8, 0xac, 0xb2), false, Qt::AlignLeft | Qt::AlignVCenter);
    drawLegend(p, QRectF(14, 62, 240, 12), QStringLiteral("144/430 MHz  SATELLITE"), 8,
               QColor(0x88, 0x8c, 0x92), false, Qt::AlignLeft | Qt::AlignVCenter);

    // Display bezel and display.
    const QRect d = M.displayArea();
    drawDisplayBezel(p, d, 9);
    p.save();
    p.translate(d.topLeft());
    display(p);
    p.restore();

    const QColor legend(0xc8, 0xcc, 0xd0);
    const QColor second(0xe0, 0xa0, 0x50);  // FUNC meanings, in the FUNC key's colour
    // Power switch and transmit lamp.
    drawKey(p, QRect(18, 96, 34, 20), QString(), false, KeyStyle::Dark);
    drawLegend(p, QRectF(6, 82, 58, 12), QStringLiteral("POWER"), 8, legend);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x30, 0xd0, 0x40));
    p.drawEllipse(QPointF(68, 106), 2.5, 2.5);
    drawLegend(p, QRectF(80, 96, 40, 12), QStringLiteral("TX"), 8, legend);
    p.setBrush(QColor(0x50, 0x12, 0x10));
    p.drawEllipse(QPointF(100, 114), 3, 3);

    // Main and sub AF/SQL controls and the jacks.
    smallControl(p, QPointF(50, 186), QStringLiteral("AF/SQL MAIN"), -30, legend);
    smallControl(p, QPointF(130, 186), QStringLiteral("AF/SQL SUB"), 20, legend);
    smallControl(p, QPointF(210, 186), QStringLiteral("RIT"), 0, legend);
    for (const auto& [x, name] : {std::pair{40, "PHONES"}, std::pair{100, "MIC"}}) {
        drawJack(p, QPointF(x, 300), 9);
        drawLegend(p, QRectF(x - 30, 274, 60, 12), QString::fromLatin1(name), 8, legend);
    }

    // What the keys do with FUNC, printed above them; TS and SCAN are named beside
    // their keys; UP and DN step the memory channel.
    drawLegend(p, QRectF(317, 149, 44, 10), QStringLiteral("DUP"), 7, second);
    drawLegend(p, QRectF(679, 148, 44, 10), QStringLiteral("A=B"), 7, second);
    drawLegend(p, QRectF(679, 180, 44, 10), QStringLiteral("M>VFO"), 7, second);
    drawLegend(p, QRectF(679, 211, 44, 10), QStringLiteral("M-CL"), 7, second);
    drawLegend(p, QRectF(596, 168, 40, 14), QStringLiteral("TS"), 9, legend, true,
               Qt::AlignLeft | Qt::AlignVCenter);
    drawLegend(p, QRectF(596, 208, 40, 14), QStringLiteral("SCAN"), 9, legend, true,
               Qt::AlignLeft | Qt::AlignVCenter);
    drawLegend(p, QRectF(606, 271, 40, 11), QStringLiteral("DN"), 8, legend);
    drawLegend(p, QRectF(681, 271, 40, 11), QStringLiteral("UP"), 8, legend);
    drawLegend(p, QRectF(606, 242, 115, 12), QStringLiteral("MEMORY CH"), 8, legend, true);
    drawLegend(p, QRectF(261, 112, 100, 12), QStringLiteral("BAND"), 8, legend, true);
    drawLegend(p, QRectF(430, 292, 64, 12), QStringLiteral("TUNING"), 8, legend, true);

    // Each key as its released picture, so that TS and SCAN, which share one
    // picture, look on the panel as they look once pressed and released.
    for (int n = 1; n <= static_cast<int>(M.hotSpots.size()); ++n) {
        const HotSpot& h = M.spot(n);
        if (!h.key)
            continue;
        const int source = spotOfKey(M, h.key);
        p.drawImage(h.topLeft(), picture(M.spot(source).area().size(), M.spot(source).topLeft(),
                                         [&](QPainter& k) { keyAt(k, source, false); }));
    }
    knob(p, 0);
}

struct Mark {
    const char* name;
    QSize size;
    const char* text;
    Lit lit;
    bool inverse;
};

const Mark Marks[] = {
    {"MD_VFOa", MainVfoSize, "VFOA", Lit::On, true},   {"MD_VFOb", MainVfoSize, "VFOB", Lit::On, true},
    {"MD_Memo", MainVfoSize, "MEMO", Lit::On, true},   {"SD_VFOa", SubVfoSize, "VFOA", Lit::On, true},
    {"SD_VFOb", SubVfoSize, "VFOB", Lit::On, true},    {"SD_Memo", SubVfoSize, "MEMO", Lit::On, true},
    {"MM_FM", MainModeSize, "FM", Lit::On, false},     {"MM_USB", MainModeSize, "USB", Lit::On, false},
    {"MM_LSB", MainModeSize, "LSB", Lit::On, false},   {"MM_CW", MainModeSize, "CW", Lit::On, false},
    {"MM_CWn", MainModeSize, "CW-N", Lit::On, false},  {"SM_FM", SubModeSize, "FM", Lit::On, false},
    {"SM_USB", SubModeSize, "USB", Lit::On, false},    {"SM_LSB", SubModeSize, "LSB", Lit::On, false},
    {"SM_CW", SubModeSize, "CW", Lit::On, false},      {"SM_CWn", SubModeSize, "CW-N", Lit::On, false},
    {"Func_ON", FuncSize, "FUNC", Lit::On, true},      {"Func_OFF", FuncSize, "FUNC", Lit::Off, false},
    {"Scan_ON", ScanSize, "SCAN", Lit::On, false},     {"Scan_OFF", ScanSize, "SCAN", Lit::Off, false},
    {"Sub_ON", SubMarkSize, "SUB", Lit::On, true},     {"Sub_OFF", SubMarkSize, "SUB", Lit::Off, false},
    {"SScan_ON", SubScanSize, "SCAN", Lit::On, false}, {"SScan_off", SubScanSize, "SCAN", Lit::Off, false},
    {"DUP_off", DuplexSize, "DUP", Lit::Off, false},   {"DUP_p", DuplexSize, "DUP+", Lit::On, false},
    {"DUP_m", DuplexSize, "DUP-", Lit::On, false},     {"DUP_q", DuplexSize, "", Lit::None, false},
};

bool drawPicture(QImage* image, const char* name)
{
    const QString n = QString::fromLatin1(name);
    int d = 0;
    if (const std::optional<bool> known = drawFrontPicture(M, name, {radio, display, keyAt, knob}, image))
        return *known;
    const struct {
        const char* prefix;
        QSize size;
        qreal thickness;
    } digitSets[] = {{"MF_Num", MainDigitSize, 3.4},
                     {"SF_Num", SubDigitSize, 2.6},
                     {"MM_Num", MainChannelDigitSize, 2.4},
                     {"SM_Num", SubChannelDigitSize, 2.0}};
    for (const auto& set : digitSets) {
        if (digitOf(name, set.prefix, &d)) {
            *image =
                picture(set.size, QPoint(0, 0), [&](QPainter& p) { digit(p, set.size, d, set.thickness); });
            return true;
        }
    }
    if (n == QLatin1String("MF_NumD") || n == QLatin1String("SF_NumD")) {
        const bool main = n.startsWith(QLatin1String("MF"));
        const QSize size = main ? MainDigitSize : SubDigitSize;
        *image = picture(size, QPoint(0, 0), [&](QPainter& p) { digit(p, size, -1, main ? 3.4 : 2.6); });
        return true;
    }
    if (n == QLatin1String("M_TS") || n == QLatin1String("M_TS_OFF") || n == QLatin1String("S_TS") ||
        n == QLatin1String("S_TS_OFF")) {
        const bool on = !n.endsWith(QLatin1String("_OFF"));
        const bool main = n.startsWith(QLatin1Char('M'));
        *image = picture(StepMarkSize, QPoint(0, 0), [&](QPainter& p) { stepMark(p, main, on); });
        return true;
    }
    for (const Mark& m : Marks) {
        if (n == QLatin1String(m.name)) {
            *image = picture(m.size, QPoint(0, 0), [&](QPainter& p) {
                mark(p, m.size, QString::fromLatin1(m.text), m.lit, m.inverse);
            });
            return true;
        }
    }
    return false;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int GetBitMap(QImage* image, const char* name)
{
    if (!image || !name)
        return 0;
    return drawPicture(image, name) ? 1 : 0;
}

// The signature must stay the one the panels look up.
[[maybe_unused]] static constexpr GetBitMapFunction CheckSignature = &GetBitMap;
