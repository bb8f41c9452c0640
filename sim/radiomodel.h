#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

#include "civ/civcodes.h"

// Mode numbers are the program's (civ::Mode).
namespace simmode {
// "USB", "CW-N", ...; empty for a number that is no mode.
QString name(int mode);
// Accepts the names above and the memory files' "CWN"/"CWn", any case; -1 if unknown.
int fromName(const QString& text);
}  // namespace simmode

// Duplex as the radios keep it.
enum class Duplex { Simplex = 0, Minus = 1, Plus = 2 };
QString duplexName(Duplex duplex);

struct FreqRange {
    qint64 low;
    qint64 high;
};

// A memory channel's contents; blank when freq is 0.
struct MemoryEntry {
    qint64 freq = 0;
    int mode = civ::Mode::Usb;
    Duplex duplex = Duplex::Simplex;
    bool blank() const { return freq == 0; }
};

struct PresetMemory {
    int channel;
    MemoryEntry entry;
};

// What one radio model is, as data: everything the shared behaviour looks up.
struct RadioModel {
    QString key;     // "ic706mkii", used on the command line
    QString name;    // "IC-706MKII"
    quint8 address;  // default CI-V address
    QList<FreqRange> ranges;
    QList<int> modes;     // mode numbers it can be set to
    int memories;         // channels 1..memories
    bool mainSub;         // main and sub band (07 D0/D1); else one band
    bool duplex;          // 0F 10-12 and the offset (0C/0D)
    bool dualWatch;       // 07 C0/C1
    bool antenna;         // 12
    QList<quint8> scans;  // accepted 0E sub-commands
    qint64 knobStep;      // Hz per knob detent
    qint64 offset;        // repeater offset at power-on
    // Power-on settings: VFO A and B of the main band, then of the sub band.
    QList<MemoryEntry> vfos;
    QList<PresetMemory> presets;

    bool inRange(qint64 hz) const;
    bool hasMode(int mode) const { return modes.contains(mode); }
};

// The four models.
const QList<RadioModel>& radioModels();
// By key ("ic756") or name ("IC-756"), any case; nullptr if none matches.
const RadioModel* findRadioModel(const QString& keyOrName);
