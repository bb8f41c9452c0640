// The IC-756 panel art: every picture the IC-756 panel asks for, drawn on request.

#include <QImage>
#include <QPainter>
#include <QString>
#include <QtMath>
#include <cstring>

#include "art/artkit.h"
#include "panels/artabi.h"
#include "panels/model756.h"

using namespace ArtKit;
using namespace Model756;

namespace {

const PanelLayout& M = model();

constexpr QPointF KnobCentre{615.0, 325.0};
constexpr qreal KnobRadius = 105.0;
constexpr const char* BandLabels[10] = {"1.8", "3.5", "7", "10", "14", "18", "21", "24", "28", "50"};

KeyStyle styleOf(int spot)
{
    if (spot >= Spot::SSB && spot <= Spot::FM)
        return KeyStyle::Grey;
    if (spot == Spot::MAIN)
        return KeyStyle::Accent;
    return KeyStyle::Dark;
}

void keyAt(QPainter& p, int spot, bool pressed)
{
    const HotSpot& h = M.spot(spot);
    fillPanel(p, h.area(), M.pictureSize.height());
    drawKey(p, h.area(), QString::fromLatin1(h.label), pressed, styleOf(spot));
}

// --- display pieces, in display coordinates ---

void lcd(QPainter& p, const QRect& area) { p.fillRect(area, lcdBackground()); }

void fullDigit(QPainter& p, QPoint at, int digit)
{
    const QRect cell(at, DigitSize);
    lcd(p, cell);
    drawSegmentDigit(p, QRectF(cell).adjusted(1.5, 1.5, -1.5, -1.5), digit, lcdInk(), lcdGhost(), 4.2);
}

void halfDigit(QPainter& p, QPoint at, int digit)
{
    const QRect cell(at, DigitSize);
    lcd(p, cell);
    const QRectF small(at.x() + 6.0, at.y() + 10.0, 16.0, 23.0);
    drawSegmentDigit(p, small, digit, lcdDim(), lcdGhost(), 3.0);
}

void channelDigit(QPainter& p, QPoint at, int digit)
{
    const QRect cell(at, ChannelDigitSize);
    lcd(p, cell);
    drawSegmentDigit(p, QRectF(cell).adjusted(1, 1, -1, -1), digit < 0 ? 8 : digit,
                     digit < 0 ? lcdGhost() : lcdInk(), lcdGhost(), 2.6);
}

void vfoMark(QPainter& p, QPoint at, bool on)
{
    const QRect r(at, VfoSize);
    lcd(p, r);
    if (on) {
        p.setRenderHint(QPainter::Antialiasing, false);
        p.fillRect(r.adjusted(1, 0, -1, 0), lcdInk());
        drawDotText(p, QPointF(at.x() + 5, at.y() + 0.5), QStringLiteral("VFO"), 1.0, lcdBackground());
    }
}

void stepMark(QPainter& p, QPoint at, bool on)
{
    const QRect r(at, StepMarkSize);
    lcd(p, r);
    if (on) {
        // A short pointer over the middle of the digit. A bar as wide as the digit
        // would meet the right-hand segments of a "1" and make it read as a "7".
        p.setRenderHint(QPainter::Antialiasing, false);
        const int middle = at.x() + StepMarkSize.width() / 2;
        for (int row = 0; row < StepMarkSize.height(); ++row) {
            const int half = StepMarkSize.height() - 1 - row;
            p.fillRect(QRect(middle - half, at.y() + row, 2 * half + 1, 1), lcdInk());
        }
    }
}

void modeMark(QPainter& p, QPoint at, const QString& text)
{
    lcd(p, QRect(at, ModeSize));
    drawDotText(p, QPointF(at.x() + 1, at.y() + 0.5), text, 1.0, lcdInk());
}

void flag(QPainter& p, QPoint at, const QString& text, bool on)
{
    const QRect r(at, FlagSize);
    lcd(p, r);
    const QColor ink = on ? lcdInk() : lcdGhost();
    p.setPen(QPen(ink, 1));
    p.setBrush(Qt::NoBrush);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    const qreal w = dotTextWidth(text, 1.0);
    drawDotText(p, QPointF(at.x() + (FlagSize.width() - w) / 2.0, at.y() + 2.5), text, 1.0, ink);
}

void antenna(QPainter& p, int which, bool receive)
{
    const QPoint at = AntennaAt;
    lcd(p, QRect(at, AntennaSize));
    drawDotText(p, QPointF(at.x() + 2, at.y()), QStringLiteral("ANT") + QString::number(which), 2.0,
                lcdInk());
    if (receive)
        drawDotText(p, QPointF(at.x() + 48, at.y() + 7), QStringLiteral("RX"), 1.0, lcdInk());
}

void display(QPainter& p)
{
    const QRect all(QPoint(0, 0), M.displaySize);
    lcd(p, all);
    shadeLcdRim(p, all, QColor(0x6a, 0x3a, 0x10));
    for (int top : {MainLineTop, SubLineTop}) {
        for (int left : DigitLefts) {
            const QRect cell(QPoint(left, top), DigitSize);
            drawSegmentDigit(p, QRectF(cell).adjusted(1.5, 1.5, -1.5, -1.5), 8, lcdGhost(), lcdGhost(), 4.2);
        }
        p.setPen(Qt::NoPen);
        p.setBrush(lcdInk());
        p.drawEllipse(QPointF(168.5, top + 31.5), 2.2, 2.2);
        p.drawEllipse(QPointF(256.5, top + 31.5), 2.2, 2.2);
    }
    for (int top : {MainChannelTop, SubChannelTop}) {
        channelDigit(p, QPoint(ChannelTensLeft, top), -1);
        channelDigit(p, QPoint(ChannelUnitsLeft, top), -1);
    }
    drawDotText(p, QPointF(31, 46), QStringLiteral("MAIN"), 1.0, lcdInk());
    drawDotText(p, QPointF(37, 123), QStringLiteral("SUB"), 1.0, lcdInk());
    drawDotText(p, QPointF(31, 56), QStringLiteral("M-CH"), 1.0, lcdDim());
    drawDotText(p, QPointF(31, 133), QStringLiteral("M-CH"), 1.0, lcdDim());
    p.setPen(QPen(QColor(0xb8, 0x78, 0x30), 1));
    p.drawLine(QPointF(6, 96.5), QPointF(M.displaySize.width() - 7, 96.5));
    drawDotText(p, QPointF(318, 66), QStringLiteral("M"), 1.0, lcdDim());
    drawDotText(p, QPointF(318, 142), QStringLiteral("S"), 1.0, lcdDim());
}

// --- the panel, in panel coordinates ---

void knob(QPainter& p, int frame)
{
    fillPanel(p, M.knobArea(), M.pictureSize.height());
    p.save();
    p.setClipRect(M.knobArea());
    drawKnob(p, KnobCentre, KnobRadius, frame * 360.0 / M.knobFrames);
    p.restore();
}

void radio(QPainter& p)
{
    const int w = M.pictureSize.width(), h = M.pictureSize.height();
    fillPanel(p, QRect(0, 0, w, h), h);

    drawCabinetEdge(p, M.pictureSize);

    // Maker's badge and model name above the display.
    drawMakerBadge(p, QRectF(12, 12, 80, 30));
    drawLegend(p, QRectF(92, 18, 120, 24), QStringLiteral("IC-756"), 17, QColor(0xe8, 0xe8, 0xe8), true,
               Qt::AlignLeft | Qt::AlignVCenter);
    drawLegend(p, QRectF(200, 22, 226, 20), QStringLiteral("HF/50MHz ALL MODE TRANSCEIVER"), 9,
               QColor(0xa8, 0xac, 0xb2), false, Qt::AlignRight | Qt::AlignVCenter);

    // Display bezel, then the display itself.
    const QRect d = M.displayArea();
    drawDisplayBezel(p, d, 8);
    p.save();
    p.translate(d.topLeft());
    display(p);
    p.restore();

    // Legends printed on the panel.
    const QColor legend(0xc8, 0xcc, 0xd0);
    drawLegend(p, QRectF(2, 54, 58, 12), QStringLiteral("ANT"), 9, legend);
    drawLegend(p, QRectF(93, 384, 120, 14), QStringLiteral("MODE"), 10, legend, true,
               Qt::AlignLeft | Qt::AlignVCenter);
    drawLegend(p, QRectF(537, 20, 148, 13), QStringLiteral("BAND  /  KEYPAD"), 9, legend, true);
    drawLegend(p, QRectF(690, 20, 52, 13), QStringLiteral("MEMORY"), 9, legend, true);
    drawLegend(p, QRectF(484, 20, 46, 13), QStringLiteral("VFO"), 9, legend, true);
    for (int k = 0; k < 10; ++k) {
        const HotSpot& s = M.spot(k == 9 ? Spot::Keypad0 : Spot::Keypad1 + k);
        drawLegend(p, QRectF(s.left, s.bottom + 1, s.right - s.left, 11),
                   QString::fromLatin1(BandLabels[k == 9 ? 9 : k]) + QStringLiteral(" MHz"), 8,
                   QColor(0xe0, 0xa0, 0x50));
    }

    // Front-panel controls that the program does not drive.
    const struct {
        QPointF at;
        const char* name;
        qreal angle;
    } controls[] = {
        {{150, 300}, "AF  RF/SQL", -40},
        {{240, 300}, "TWIN PBT", 0},
        {{330, 300}, "NOTCH", 25},
        {{420, 300}, "NR", 60},
    };
    for (const auto& c : controls) {
        drawControlScale(p, c.at, 30, 34);
        drawSmallKnob(p, c.at, 24, c.angle);
        drawSmallKnob(p, c.at, 13, c.angle + 30);
        drawLegend(p, QRectF(c.at.x() - 45, c.at.y() - 52, 90, 12), QString::fromLatin1(c.name), 9, legend);
    }
    // Phones jack and power switch.
    drawJack(p, QPointF(40, 412), 9);
    drawLegend(p, QRectF(10, 384, 60, 12), QStringLiteral("PHONES"), 8, legend);
    drawKey(p, QRect(16, 150, 30, 20), QString(), false, KeyStyle::Dark);
    drawLegend(p, QRectF(2, 136, 58, 12), QStringLiteral("POWER"), 8, legend);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x30, 0xd0, 0x40));
    p.drawEllipse(QPointF(31, 182), 2.5, 2.5);
    drawLegend(p, QRectF(440, 236, 40, 12), QStringLiteral("TX"), 8, legend);
    p.setBrush(QColor(0x50, 0x12, 0x10));
    p.drawEllipse(QPointF(460, 254), 3, 3);

    for (int n = 1; n <= static_cast<int>(M.hotSpots.size()); ++n) {
        if (M.spot(n).key)
            keyAt(p, n, false);
    }
    knob(p, 0);
}

bool drawPicture(QImage* image, const char* name)
{
    const QString n = QString::fromLatin1(name);
    int digit = 0;
    if (const std::optional<bool> known = drawFrontPicture(M, name, {radio, display, keyAt, knob}, image))
        return *known;
    if (digitOf(name, "MF_Num", &digit)) {
        *image = picture(DigitSize, QPoint(0, 0), [&](QPainter& p) { fullDigit(p, QPoint(0, 0), digit); });
        return true;
    }
    if (digitOf(name, "MH_Num", &digit)) {
        *image = picture(DigitSize, QPoint(0, 0), [&](QPainter& p) { halfDigit(p, QPoint(0, 0), digit); });
        return true;
    }
    if (digitOf(name, "NumMem", &digit)) {
        *image = picture(ChannelDigitSize, QPoint(0, 0),
                         [&](QPainter& p) { channelDigit(p, QPoint(0, 0), digit); });
        return true;
    }
    if (n == QLatin1String("MemNum_Off")) {
        *image =
            picture(ChannelDigitSize, QPoint(0, 0), [](QPainter& p) { channelDigit(p, QPoint(0, 0), -1); });
        return true;
    }
    if (n == QLatin1String("VFO") || n == QLatin1String("VFO_OFF")) {
        const bool on = n == QLatin1String("VFO");
        *image = picture(VfoSize, QPoint(0, 0), [&](QPainter& p) { vfoMark(p, QPoint(0, 0), on); });
        return true;
    }
    if (n == QLatin1String("M_TS") || n == QLatin1String("M_TS_OFF")) {
        const bool on = n == QLatin1String("M_TS");
        *image = picture(StepMarkSize, QPoint(0, 0), [&](QPainter& p) { stepMark(p, QPoint(0, 0), on); });
        return true;
    }
    for (const char* mode : ModePictures) {
        if (n == QLatin1String(mode)) {
            *image = picture(ModeSize, QPoint(0, 0), [&](QPainter& p) { modeMark(p, QPoint(0, 0), n); });
            return true;
        }
    }
    if (n.startsWith(QLatin1String("D_Split")) || n.startsWith(QLatin1String("D_Dual"))) {
        const bool split = n.startsWith(QLatin1String("D_Split"));
        const QString base = split ? QStringLiteral("D_Split") : QStringLiteral("D_Dual");
        if (n != base && n != base + QLatin1String("_OFF"))
            return false;
        const bool on = n == base;
        *image = picture(FlagSize, QPoint(0, 0), [&](QPainter& p) {
            flag(p, QPoint(0, 0), split ? QStringLiteral("SPLIT") : QStringLiteral("DUAL-W"), on);
        });
        return true;
    }
    static const char* const antennas[] = {"D_Ant1", "D_Ant2", "D_Ant1R", "D_Ant2R"};
    for (int a = 0; a < 4; ++a) {
        if (n == QLatin1String(antennas[a])) {
            *image = picture(AntennaSize, AntennaAt, [&](QPainter& p) { antenna(p, a % 2 + 1, a >= 2); });
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
