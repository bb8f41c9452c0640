#include "widgets/ledlittle.h"

#include <QPainter>

#include "core/timer.h"

namespace {

constexpr QRgb kLampColours[] = {
    0x000000, 0x808080, 0xFF0000, 0x800000, 0x00FF00, 0x008000, 0xFFFF00,
    0x808000, 0x0000FF, 0x000080, 0xFF00FF, 0x800080, 0x00FFFF, 0x008080,
};

// Lamp rows: first and last column lit in the lamp colour, per row.
struct Span {
    int row, from, to;
};
constexpr Span kLamp[] = {
    {3, 5, 10}, {13, 5, 10}, {4, 4, 11}, {12, 4, 11}, {5, 3, 12},  {11, 3, 12},
    {6, 2, 13}, {7, 2, 13},  {8, 2, 13}, {9, 2, 13},  {10, 2, 13},
};
constexpr Span kHighlight[] = {{6, 7, 9}, {7, 6, 8}, {8, 6, 7}, {9, 6, 6}};

}  // namespace

QRgb ledRgb(TLedLittleColor color) { return 0xFF000000u | kLampColours[color]; }

QImage ledBitmap(TLedLittleColor color)
{
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(QColor(0xC0, 0xC0, 0xC0));
    const QRgb white = qRgb(0xFF, 0xFF, 0xFF);
    const QRgb grey = qRgb(0x80, 0x80, 0x80);
    for (int x = 0; x <= 14; ++x)
        image.setPixel(x, 0, white);
    for (int y = 1; y <= 14; ++y)
        image.setPixel(0, y, white);
    for (int y = 0; y <= 15; ++y)
        image.setPixel(15, y, grey);
    for (int x = 0; x <= 15; ++x)
        image.setPixel(x, 15, grey);
    for (const Span& s : kLamp)
        for (int x = s.from; x <= s.to; ++x)
            image.setPixel(x, s.row, ledRgb(color));
    for (const Span& s : kHighlight)
        for (int x = s.from; x <= s.to; ++x)
            image.setPixel(x, s.row, white);
    return image;
}

QString ledColorName(TLedLittleColor color)
{
    static const char* const names[] = {"black",      "dark grey",   "red",         "dark red", "green",
                                        "dark green", "yellow",      "dark yellow", "blue",     "dark blue",
                                        "purple",     "dark purple", "cyan",        "dark cyan"};
    return color < std::size(names) ? QString::fromLatin1(names[color]) : QString();
}

TLedLittle::TLedLittle(QWidget* owner) : QWidget(owner)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(16, 16);
    LoadLedBitmap(lcBlack);
    describe();
}

QString TLedLittle::stateText() const
{
    QString text =
        blink_ && clicLedColor_ != ledColor_
            ? QStringLiteral("blinking %1 and %2").arg(ledColorName(clicLedColor_), ledColorName(ledColor_))
            : ledColorName(ledColor_);
    text[0] = text[0].toUpper();
    return text;
}

void TLedLittle::describe()
{
    // Assistive technology hears the lamp's state rather than seeing its colour.
    const QString text = stateText();
    if (accessibleDescription() != text)
        setAccessibleDescription(text);
}

TLedLittle::~TLedLittle() = default;

void TLedLittle::LoadLedBitmap(TLedLittleColor color)
{
    shown_ = color;
    bitmap_ = ledBitmap(color);
    update();
}

void TLedLittle::setLedColor(TLedLittleColor color)
{
    ledColor_ = color;
    LoadLedBitmap(color);
    describe();
}

void TLedLittle::setClicLedColor(TLedLittleColor color)
{
    clicLedColor_ = color;
    describe();
}

void TLedLittle::setBlink(bool blink)
{
    if (blink == blink_)
        return;
    blink_ = blink;
    describe();
    if (blink) {
        if (interval_ > 0)
            startTimer(interval_);
    } else if (timer_) {
        stopTimer();
    }
}

void TLedLittle::setInterval(int ms)
{
    if (ms == interval_)
        return;
    if (timer_)
        stopTimer();
    if (blink_ && ms > 0)
        startTimer(ms);
    interval_ = ms;
}

void TLedLittle::startTimer(int ms)
{
    timer_ = std::make_unique<Timer>();
    timer_->setInterval(ms);
    timer_->OnTimer.bind(this, &TLedLittle::BlinkTick);
}

void TLedLittle::stopTimer()
{
    // May run inside the timer's own tick (a blink handler stopping the blinking);
    // the timer allows being destroyed from its handler.
    timer_.reset();
    LoadLedBitmap(ledColor_);
    phase_ = false;
}

void TLedLittle::BlinkTick()
{
    phase_ = !phase_;
    LoadLedBitmap(phase_ ? clicLedColor_ : ledColor_);
    blinked_(this);
}

void TLedLittle::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, bitmap_);
}

void TLedLittle::mousePressEvent(QMouseEvent* event)
{
    if (!blink_ || !timer_)
        LoadLedBitmap(clicLedColor_);
    QWidget::mousePressEvent(event);
}

void TLedLittle::mouseReleaseEvent(QMouseEvent* event)
{
    if (!blink_ || !timer_)
        LoadLedBitmap(ledColor_);
    QWidget::mouseReleaseEvent(event);
}
