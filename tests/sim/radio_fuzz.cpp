// Random bytes from a controller onto a bus with the four radios, with faults
// chosen by the first byte: nothing may crash, hang or answer forever.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "core/timer.h"
#include "sim/bus.h"
#include "sim/busstation.h"
#include "sim/radio.h"

namespace {
struct Sink : BusStation {
    void hear(const quint8*, int len) override { total += len; }
    QString describe() const override { return QStringLiteral("fuzz controller"); }
    bool isController() const override { return true; }
    qint64 total = 0;
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    FakeClock clock;
    SimBus bus;
    bus.setPaced(data[0] & 0x01);
    bus.faults().noise = data[0] & 0x02;
    bus.faults().dropEvery = (data[0] & 0x04) ? 7 : 0;
    bus.faults().jamFrames = (data[0] & 0x08) ? 2 : 0;
    std::vector<std::unique_ptr<SimRadio>> radios;
    quint8 address = 0x48;
    for (const RadioModel& m : radioModels())
        radios.push_back(std::make_unique<SimRadio>(bus, m, address++));
    radios[1]->setAnswerDelayMs((data[0] & 0x10) ? 50 : 0);
    radios[2]->setRefuseAll(data[0] & 0x20);
    Sink pc;
    bus.attach(&pc);
    // Stations on a bus may also be radios answering each other.
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    for (qsizetype at = 0; at < bytes.size(); at += 16) {
        bus.transmit(&pc, bytes.mid(at, 16));
        if (data[0] & 0x40)
            radios[0]->turnKnob(int(bytes[at]));
        clock.advance(20);
    }
    clock.advance(5000);
    bus.detach(&pc);
    return 0;
}
