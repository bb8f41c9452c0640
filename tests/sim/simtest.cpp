#include "simtest.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

#include "sim/bus.h"

QByteArray hex(const char* text) { return QByteArray::fromHex(QByteArray(text).replace(' ', "")); }

QString hexText(const QByteArray& bytes) { return QString::fromLatin1(bytes.toHex(' ').toUpper()); }

TestController::TestController(SimBus& bus, bool controller) : bus_(bus), controller_(controller)
{
    bus_.attach(this);
}

TestController::~TestController() { bus_.detach(this); }

void TestController::send(const QByteArray& bytes) { bus_.transmit(this, bytes); }

QByteArray TestController::exchange(const char* text)
{
    heard.clear();
    send(hex(text));
    return heard;
}

bool waitUntil(const std::function<bool()>& done, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        // Sleeps in the event loop until something arrives, at most a short slice.
        QEventLoop loop;
        QTimer::singleShot(10, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}
