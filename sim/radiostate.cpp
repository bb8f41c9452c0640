#include "sim/radiostate.h"

#include "core/freqtext.h"

RadioState::RadioState(const RadioModel& model) : model_(&model)
{
    offset_ = model.offset;
    const int bands = model.mainSub ? 2 : 1;
    for (int b = 0; b < bands; ++b) {
        BandState band;
        for (int v = 0; v < 2; ++v) {
            const int preset = b * 2 + v;
            band.vfo[v] = preset < model.vfos.size() ? model.vfos[preset] : model.vfos.value(v);
        }
        bands_.append(band);
    }
    memories_.resize(model.memories + 1);
    for (const PresetMemory& p : model.presets)
        setMemory(p.channel, p.entry);
}

bool RadioState::selectBand(int band)
{
    if (band < 0 || band >= bandCount())
        return false;
    band_ = band;
    return true;
}

MemoryEntry& RadioState::operating()
{
    BandState& b = current();
    return b.memoryMode ? b.tuned : b.vfo[b.activeVfo];
}

const MemoryEntry& RadioState::operating() const
{
    const BandState& b = current();
    return b.memoryMode ? b.tuned : b.vfo[b.activeVfo];
}

void RadioState::selectVfo(int vfo)
{
    current().activeVfo = vfo == 0 ? 0 : 1;
    current().memoryMode = false;
}

void RadioState::equalizeVfos()
{
    BandState& b = current();
    b.vfo[1 - b.activeVfo] = b.vfo[b.activeVfo];
}

void RadioState::exchangeVfos()
{
    BandState& b = current();
    std::swap(b.vfo[0], b.vfo[1]);
}

void RadioState::exchangeBands()
{
    if (bandCount() > 1)
        std::swap(bands_[0], bands_[1]);
}

void RadioState::selectMemoryMode()
{
    BandState& b = current();
    b.memoryMode = true;
    b.tuned = memories_[b.channel];
}

bool RadioState::selectChannel(int channel)
{
    if (channel < 1 || channel > memoryCount())
        return false;
    BandState& b = current();
    b.channel = channel;
    if (b.memoryMode)
        b.tuned = memories_[channel];
    return true;
}

bool RadioState::writeMemory()
{
    const MemoryEntry entry = operating();
    if (entry.blank())
        return false;
    setMemory(current().channel, entry);
    return true;
}

bool RadioState::memoryToVfo()
{
    BandState& b = current();
    const MemoryEntry& source = b.memoryMode ? b.tuned : memories_[b.channel];
    if (source.blank())
        return false;
    b.vfo[b.activeVfo] = source;
    b.memoryMode = false;
    return true;
}

void RadioState::clearMemory()
{
    BandState& b = current();
    memories_[b.channel] = MemoryEntry{};
    if (b.memoryMode)
        b.tuned = MemoryEntry{};
}

void RadioState::setMemory(int channel, const MemoryEntry& entry)
{
    if (channel < 1 || channel > memoryCount())
        return;
    memories_[channel] = entry;
    for (BandState& b : bands_)
        if (b.memoryMode && b.channel == channel)
            b.tuned = entry;
}

int RadioState::filledMemories() const
{
    return int(std::count_if(memories_.begin() + 1, memories_.end(),
                             [](const MemoryEntry& m) { return !m.blank(); }));
}

QString hertzText(qint64 hz)
{
    if (hz <= 0)
        return QStringLiteral("blank");
    return QStringLiteral("%1.%2.%3")
        .arg(hz / 1000000)
        .arg(hz / 1000 % 1000, 3, 10, QLatin1Char('0'))
        .arg(hz % 1000, 3, 10, QLatin1Char('0'));
}

namespace {
QString entryText(const MemoryEntry& e, bool withDuplex)
{
    if (e.blank())
        return QStringLiteral("blank");
    QString text = QStringLiteral("%1 %2").arg(hertzText(e.freq), simmode::name(e.mode));
    if (withDuplex && e.duplex != Duplex::Simplex)
        text += QLatin1Char(' ') + duplexName(e.duplex);
    return text;
}

const char* scanName(quint8 scan)
{
    switch (scan) {
    case 0x01: return "scanning";
    case 0x02: return "programmed scan";
    case 0x03: return "delta-F scan";
    case 0x12: return "fine programmed scan";
    case 0x13: return "fine delta-F scan";
    case 0x22: return "memory scan";
    case 0x23: return "select memory scan";
    default: return "not scanning";
    }
}
}  // namespace

QStringList RadioState::describeState() const
{
    const bool dup = model_->duplex;
    QStringList lines;
    for (int i = 0; i < bandCount(); ++i) {
        const BandState& b = bands_[i];
        QString label = bandCount() > 1 ? (i == 0 ? QStringLiteral("main") : QStringLiteral("sub"))
                                        : QStringLiteral("band");
        if (bandCount() > 1 && i == band_)
            label += QLatin1Char('*');
        const QString where = b.memoryMode
                                  ? QStringLiteral("memory %1 %2").arg(b.channel).arg(entryText(b.tuned, dup))
                                  : QStringLiteral("VFO %1, channel %2")
                                        .arg(QChar(b.activeVfo == 0 ? 'A' : 'B'))
                                        .arg(b.channel);
        lines << QStringLiteral("%1: %2 | A %3 | B %4")
                     .arg(label, where, entryText(b.vfo[0], dup), entryText(b.vfo[1], dup));
    }
    QString extras = QStringLiteral("split %1").arg(split_ ? "on" : "off");
    if (dup)
        extras += QStringLiteral(", offset %1 kHz").arg(offset_ / 1000.0, 0, 'f', 1);
    if (model_->dualWatch)
        extras += QStringLiteral(", dual watch %1").arg(dualWatch_ ? "on" : "off");
    if (model_->antenna)
        extras += QStringLiteral(", antenna %1%2").arg(antenna_).arg(receiveAntenna_ ? " + RX antenna" : "");
    extras +=
        QStringLiteral(", %1, transceive %2").arg(QLatin1String(scanName(scan_)), transceive_ ? "on" : "off");
    extras += QStringLiteral(", %1 of %2 memories filled").arg(filledMemories()).arg(memoryCount());
    lines << extras;
    return lines;
}

QStringList RadioState::describeMemories(bool includeBlank) const
{
    QStringList lines;
    for (int ch = 1; ch <= memoryCount(); ++ch) {
        const MemoryEntry& m = memories_[ch];
        if (m.blank() && !includeBlank)
            continue;
        lines << QStringLiteral("%1 %2").arg(ch, 3).arg(entryText(m, model_->duplex));
    }
    if (lines.isEmpty())
        lines << QStringLiteral("all %1 memories blank").arg(memoryCount());
    return lines;
}
