#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <ostream>

#include "sim/busstation.h"

class SimBus;

// Readable texts in failure messages.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

// "FE FE 50 E0 03 FD" to bytes.
QByteArray hex(const char* text);
// Bytes to "FE FE 50 E0 03 FD", for readable failures.
QString hexText(const QByteArray& bytes);

// A controller hanging on the bus in the test: it sends frames and keeps every
// byte it hears.
class TestController : public BusStation {
public:
    explicit TestController(SimBus& bus, bool controller = true);
    ~TestController() override;

    void send(const QByteArray& bytes);
    void send(const char* hexText) { send(hex(hexText)); }
    // Sends and returns what was heard because of it (the bus must be unpaced).
    QByteArray exchange(const char* hexText);
    QString exchangeText(const char* hexText) { return hexText_(exchange(hexText)); }

    void hear(const quint8* data, int len) override
    {
        heard.append(reinterpret_cast<const char*>(data), len);
    }
    QString describe() const override { return QStringLiteral("test controller"); }
    bool isController() const override { return controller_; }

    QByteArray heard;

private:
    static QString hexText_(const QByteArray& b) { return hexText(b); }
    SimBus& bus_;
    bool controller_;
};

// Runs the event loop until done() or timeoutMs pass; answers done().
bool waitUntil(const std::function<bool()>& done, int timeoutMs = 5000);
