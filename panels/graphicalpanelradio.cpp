// What a graphical panel does with its radio session's news, and the memory
// window's requests passed on to the session.

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextCursor>

#include "civ/civ.h"
#include "core/modal.h"
#include "memory/memoryform.h"
#include "panels/graphicalpanel.h"
#include "panels/panelcodes.h"
#include "panels/panellogic.h"
#include "radio/memorychannel.h"

void GraphicalPanel::frequencyRead(int band, bool blank)
{
    (band == civ::Band::Main ? st_.mainText : st_.subText) =
        blank ? QStringLiteral("BLANK") : engine()->Freq();
}

void GraphicalPanel::modeRead(int band, bool blank)
{
    Q_UNUSED(band);
    // A blank channel has no mode: the indicator stays as it was.
    if (!blank)
        UpdateModeIndicator();
}

void GraphicalPanel::memoryRead(bool blank)
{
    if (blank)
        st_.mainText = QStringLiteral("BLANK");
    if (!memory_)
        return;
    if (blank)
        memory_->StoreMem(QStringLiteral("BLANK"), QString(), QString());
    else
        memory_->StoreMem(engine()->Freq(), model_.textOfMode(engine()->mode()), QString());
}

void GraphicalPanel::sessionNotified()
{
    PaintFrequency();
    PaintIndicators();
}

void GraphicalPanel::sessionFailed(int e, int d) { Modal::error(engineErrorText(e, d).text); }

void GraphicalPanel::transferGivenUp(int e, int d)
{
    // The memory window keeps what arrived.
    const QString text = engineErrorText(e, d).text;
    QPointer<GraphicalPanel> alive(this);
    if (memory_)
        memory_->AbortTransfer();
    if (alive)
        Modal::error(text);
}

void GraphicalPanel::showProgress(int p, int n)
{
    const ErrorText t = engineErrorText(p, n);
    ui_.StatusPanels[t.statusPanel]->setText(t.text);
}

void GraphicalPanel::showTrace(const QString& s)
{
    const QStringList decoded = snoop_.add(s);
    if (ui_.CBDecoded->isChecked()) {
        for (const QString& line : decoded)
            ui_.MSnoop->appendPlainText(line);
    } else {
        ui_.MSnoop->appendPlainText(s);
    }
    // The log follows its newest line, whether it is shown or not.
    ui_.MSnoop->moveCursor(QTextCursor::End);
    ui_.MSnoop->ensureCursorVisible();
}

void GraphicalPanel::CBDecodedClick()
{
    const QStringList& lines = ui_.CBDecoded->isChecked() ? snoop_.decodedLines() : snoop_.hexLines();
    ui_.MSnoop->setPlainText(lines.join(u'\n'));
    ui_.MSnoop->moveCursor(QTextCursor::End);
    ui_.MSnoop->ensureCursorVisible();
}

void GraphicalPanel::showLinkLost(const QString& why) { ui_.StatusPanels[0]->setText(why); }

// --- memory window ---

void GraphicalPanel::MemorySetRequest(bool s, bool w, int n, const QString& f, const QString& m,
                                      const QString& o)
{
    if (!session_)
        return;
    MemoryWrite write = memoryWriteOf(model_.rigModel, n, f, m, o);
    write.single = s;
    write.store = w;
    session_->writeMemory(write);
}

void GraphicalPanel::MemoryGetRequest(int n)
{
    if (session_)
        session_->readMemory(n);
}

BandSnapshot GraphicalPanel::selectedBandSnapshot() const
{
    const bool sub = st_.subSelected;
    BandSnapshot b;
    b.band = sub ? civ::Band::Sub : civ::Band::Main;
    switch (sub ? st_.subChannelState : st_.mainChannelState) {
    case ChannelState::VfoA: b.channel = BandSnapshot::VfoA; break;
    case ChannelState::VfoB: b.channel = BandSnapshot::VfoB; break;
    case ChannelState::Memory: b.channel = BandSnapshot::Memory; break;
    default: b.channel = BandSnapshot::VfoMode; break;
    }
    b.memory = sub ? st_.subChannel : st_.mainChannel;
    b.freq = sub ? st_.subText : st_.mainText;
    const int indicator = sub ? st_.subMode : st_.mainMode;
    for (const ModeIndicator& m : model_.modeIndicators) {
        if (indicator && m.indicator == indicator) {
            b.mode = m.mode;
            break;
        }
    }
    return b;
}
