#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <optional>

#include "civ/rigmodel.h"

// Hamlib's number for the same radio, as \dump_state announces it.
int hamlibModelOf(RigModel model);

// A mode as Hamlib names it, with its passband in Hz.
struct RigMode {
    QString name;
    int passband = 0;
};

// The engine's mode number as a Hamlib mode; nullopt for a number without one.
std::optional<RigMode> rigModeFromEngine(int mode);
// A Hamlib mode and passband (0 normal, -1 unchanged, else the width wanted) to the
// engine's mode number for the model; nullopt when the model's engine cannot send it.
// currentMode decides what "unchanged" keeps.
std::optional<int> engineModeFromRig(RigModel model, const QString& name, int passband, int currentMode);

// Hamlib's VFO bits, as \dump_state lists them.
namespace rigvfo {
inline constexpr quint32 A = 1u << 0;
inline constexpr quint32 B = 1u << 1;
inline constexpr quint32 Sub = 1u << 25;
inline constexpr quint32 Main = 1u << 26;
inline constexpr quint32 Mem = 1u << 28;
}  // namespace rigvfo

// The answer to \dump_state that Hamlib's NET rigctl reads when it opens:
// frequency ranges, modes, filters and capabilities of the model. timeoutMs is the
// longest a command can take before the server gives its time-out answer.
QByteArray rigDumpState(RigModel model, int timeoutMs);
