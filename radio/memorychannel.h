#pragma once

#include <QString>

#include "civ/rigmodel.h"
#include "radio/radiosession.h"

// A memory list's texts as each model's channels take them: the mode texts a
// list holds ("USB", "CWN", compared without regard to case) and the duplex texts
// ("PLUS", "MINUS", anything else simplex). The radio windows and tsln-ctl turn
// rows into channel writes, and channels read back into rows, through these.

// The engine mode of a mode text, -1 for a text the model has no mode for.
int memoryModeOfText(RigModel model, const QString& text);
// The text of an engine mode, empty for a mode the model keeps no text for.
QString memoryTextOfMode(RigModel model, int mode);
// The duplex (civ::Duplex) a duplex text asks for, or -1 for a model whose
// channels are written without one. Where it is sent it goes with every
// channel, so a channel without a shift clears the one before.
int memoryDuplexOfText(RigModel model, const QString& text);

// One row of a list as a channel write of a transfer: the first row of a
// transfer prepares the radio (single false), the rows after it do not.
MemoryWrite memoryWriteOf(RigModel model, int channel, const QString& freq, const QString& mode,
                          const QString& duplex);
