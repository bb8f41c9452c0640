// What the IC-821 window does with its radio session's news, and the memory
// window's requests passed on to the session.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextCursor>

#include "civ/models.h"
#include "core/intconv.h"
#include "core/modal.h"
#include "memory/freqedit.h"
#include "memory/memoryform.h"
#include "panels/ic821.h"
#include "panels/ic821logic.h"
#include "radio/memorychannel.h"

void TIC821FORM::frequencyRead(int band, bool blank)
{
    const bool main = band == civ::Band::Main;
    FreqEdit* box = main ? ui_.EMainFreq : ui_.ESubFreq;
    if (blank)
        box->setText(QStringLiteral("BLANK"));
    else
        box->setMaskedText(engine()->Freq());
    (main ? ui_.LMainBlank : ui_.LSubBlank)->setVisible(blank);
}

void TIC821FORM::modeRead(int band, bool blank)
{
    // A blank channel clears the mode group that waited for its mode.
    setItemIndex(band == civ::Band::Main ? ui_.RGMainMode : ui_.RGSubMode,
                 blank ? -1 : ic821IndexOfMode(engine()->mode()));
}

void TIC821FORM::memoryRead(bool blank)
{
    if (!memory_)
        return;
    if (blank)
        memory_->StoreMem(QStringLiteral("BLANK"), QString(), QString());
    else
        memory_->StoreMem(engine()->Freq(), memoryTextOfMode(RigModel::IC821, engine()->mode()), QString());
}

void TIC821FORM::sessionFailed(int e, int d) { Modal::error(ic821ErrorText(e, d)); }

void TIC821FORM::transferGivenUp(int e, int d)
{
    // The memory window keeps what arrived.
    const QString text = ic821ErrorText(e, d);
    QPointer<TIC821FORM> alive(this);
    if (memory_)
        memory_->AbortTransfer();
    if (alive)
        Modal::error(text);
}

void TIC821FORM::showProgress(int p, int n)
{
    ui_.StatusPanels[p == civ::Progress::Try ? 1 : 0]->setText(ic821ErrorText(p, n));
}

void TIC821FORM::showTrace(const QString& s)
{
    const QStringList decoded = trace_.add(s);
    if (ui_.CBDecoded->isChecked()) {
        for (const QString& line : decoded)
            ui_.debugLog->appendPlainText(line);
    } else {
        ui_.debugLog->appendPlainText(s);
    }
    // The trace follows its newest line, whether it is shown or not.
    ui_.debugLog->moveCursor(QTextCursor::End);
    ui_.debugLog->ensureCursorVisible();
}

void TIC821FORM::CBDecodedClick()
{
    QStringList lines = ui_.CBDecoded->isChecked() ? trace_.decodedLines() : trace_.hexLines();
    // The log starts empty: its hex history has no first line of its own.
    if (!ui_.CBDecoded->isChecked() && !lines.isEmpty() && lines.first().isEmpty())
        lines.removeFirst();
    ui_.debugLog->setPlainText(lines.join(u'\n'));
    ui_.debugLog->moveCursor(QTextCursor::End);
    ui_.debugLog->ensureCursorVisible();
}

// --- memory window ---

void TIC821FORM::MemorySetRequest(bool s, bool w, int n, const QString& f, const QString& m, const QString& o)
{
    if (!session_)
        return;
    MemoryWrite write = memoryWriteOf(RigModel::IC821, n, f, m, o);
    write.single = s;
    write.store = w;
    session_->writeMemory(write);
}

void TIC821FORM::MemoryGetRequest(int n)
{
    if (session_)
        session_->readMemory(n);
}

BandSnapshot TIC821FORM::mainBandSnapshot() const
{
    BandSnapshot b;
    b.band = civ::Band::Main;
    // A window that never showed a VFO choice leaves the radio in VFO mode, as a
    // download must not leave it in memory mode.
    switch (itemIndex(ui_.RGMainVfo)) {
    case 0: b.channel = BandSnapshot::VfoA; break;
    case 1: b.channel = BandSnapshot::VfoB; break;
    case 2: b.channel = BandSnapshot::Memory; break;
    default: b.channel = BandSnapshot::VfoMode; break;
    }
    if (int channel = 0; b.channel == BandSnapshot::Memory && tryStrToInt(ui_.MainMemChan->text(), &channel))
        b.memory = channel;
    b.freq = ui_.EMainFreq->maskedText();
    b.mode = ic821ModeOfIndex(itemIndex(ui_.RGMainMode));
    return b;
}
