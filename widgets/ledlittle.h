#pragma once

#include <QImage>
#include <QWidget>
#include <memory>

#include "core/event.h"

class Timer;

enum TLedLittleColor : quint8 {
    lcBlack,
    lcDarkGray,
    lcRed,
    lcDarkRed,
    lcGreen,
    lcDarkGreen,
    lcYellow,
    lcDarkYellow,
    lcBlue,
    lcDarkBlue,
    lcPurple,
    lcDarkPurple,
    lcCyan,
    lcDarkCyan,
};

// The 16 x 16 picture of a lamp in the given colour: a raised light-grey square with
// a round lamp and a white highlight.
QImage ledBitmap(TLedLittleColor color);
QRgb ledRgb(TLedLittleColor color);
// "black", "dark grey", "red", ... as an operator says them.
QString ledColorName(TLedLittleColor color);

// A small lamp that shows one of fourteen colours and can blink between two of them.
class TLedLittle : public QWidget {
    Q_OBJECT

public:
    explicit TLedLittle(QWidget* owner = nullptr);
    ~TLedLittle() override;

    TLedLittleColor LedColor() const { return ledColor_; }
    void setLedColor(TLedLittleColor color);
    TLedLittleColor ClicLedColor() const { return clicLedColor_; }
    void setClicLedColor(TLedLittleColor color);
    int Interval() const { return interval_; }
    void setInterval(int ms);
    bool Blink() const { return blink_; }
    void setBlink(bool blink);

    // The colour on show now.
    TLedLittleColor shownColor() const { return shown_; }
    // The lamp's state in words, which is also its accessible description:
    // "Green", "Dark red", "Blinking red and black".
    QString stateText() const;

    // Called at each change between the two colours while blinking; may stop
    // the blinking.
    void setBlinkHandler(Event<QObject*>::Function handler) { blinked_.bind(std::move(handler)); }

    QSize sizeHint() const override { return {16, 16}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void LoadLedBitmap(TLedLittleColor color);
    void describe();
    void startTimer(int ms);
    void stopTimer();
    void BlinkTick();

    Event<QObject*> blinked_;
    QImage bitmap_;
    TLedLittleColor shown_ = lcBlack;
    TLedLittleColor ledColor_ = lcBlack;
    TLedLittleColor clicLedColor_ = lcDarkGray;
    std::unique_ptr<Timer> timer_;
    bool blink_ = false;
    int interval_ = 250;
    bool phase_ = false;
};
