#include "panels/hi_706.h"

#include "civ/civcodes.h"
#include "civ/models.h"
#include "panels/model706.h"
#include "panels/panelcodes.h"

using namespace Model706;

THi_706FORM::THi_706FORM(const TDeviceList& devices, QWidget* owner, const QString& libraryPath,
                         DevicePreset preset)
    : THi_706FORM(model(), devices, owner, libraryPath, preset)
{
    FormCreate();
}

THi_706FORM::THi_706FORM(const PanelLayout& model, const TDeviceList& devices, QWidget* owner,
                         const QString& libraryPath, DevicePreset preset)
    : GraphicalPanel(model, devices, owner, libraryPath, preset)
{
    setObjectName(QStringLiteral("Hi_706FORM"));
}

Tic706* THi_706FORM::radio() const { return static_cast<Tic706*>(engine()); }

int THi_706FORM::nextMode(int mode) const { return Model706::nextMode(mode); }

void THi_706FORM::hotSpotAction(int n)
{
    if (n >= Digit10MHz && n < Digit10MHz + 7) {
        st_.mainStep = TuningSteps[6 - (n - Digit10MHz)];
        return;
    }
    pressKey(n);
    switch (n) {
    case UP: channelStep(1); break;
    case DWN: channelStep(-1); break;
    case MODE: radio()->setMode(nextMode(radio()->mode())); break;
    case TS: st_.mainStep = nextTuningStep(st_.mainStep); break;
    case FunctionSet: functionSet_ = functionSet_ % 3 + 1; break;
    case F1: f1Key(); break;
    case F2: f2Key(); break;
    case F3: f3Key(); break;
    default: break;
    }
}

void THi_706FORM::f1Key()
{
    if (functionSet_ == M1)
        radio()->setSplit(!radio()->split());
    else
        radio()->setMemoryCmd(civ::MemoryCommand::Write);
}

void THi_706FORM::f2Key()
{
    switch (functionSet_) {
    case M1: {
        const int vfo = st_.mainChannelState == ChannelState::VfoA ? ChannelState::VfoB : ChannelState::VfoA;
        radio()->setVFO(vfo == ChannelState::VfoA ? civ::Vfo::A : civ::Vfo::B);
        st_.mainChannelState = vfo;
        break;
    }
    case M2: radio()->setMemoryCmd(civ::MemoryCommand::Clear); break;
    default: radio()->setMemoryCmd(civ::MemoryCommand::ToVfo); break;
    }
    PaintChannel();
    RequestSelected();
}

void THi_706FORM::f3Key()
{
    if (functionSet_ == M1)
        radio()->setVFO(civ::Vfo::Equalize);
    else
        vfoMemoToggle();
    PaintChannel();
    RequestSelected();
}

// Memory mode goes back to VFO A and shows the set of VFO keys (M3); VFO mode goes
// to memory and shows the set of memory keys (M2).
void THi_706FORM::vfoMemoToggle()
{
    if (st_.mainChannelState == ChannelState::Memory) {
        radio()->setVFO(civ::Vfo::A);
        st_.mainChannelState = ChannelState::VfoA;
        if (functionSet_ == M2)
            functionSet_ = M3;
    } else {
        radio()->setMemoryCmd(civ::MemoryCommand::MemoryMode);
        st_.mainChannelState = ChannelState::Memory;
        if (functionSet_ == M3)
            functionSet_ = M2;
    }
}

void THi_706FORM::BForceClick()
{
    if (!engine())
        return;
    functionSet_ = M1;
    st_.mainChannelState = ChannelState::VfoA;
    radio()->setVFO(civ::Vfo::A);
    st_.mainChannel = 1;
    radio()->setMode(civ::Mode::Lsb);
    radio()->setMemory(1);
    radio()->setScanCmd(civ::ScanCommand::Stop);
    radio()->setSplit(false);
    PaintChannel();
    PaintIndicators();
    RequestAll();
}

// --- display ---

void THi_706FORM::PaintFrequency()
{
    const QString& text = st_.mainText;
    if (text.size() < 2)
        return;
    auto digit = [](QChar c) { return QStringLiteral("MF_Num") + c; };
    auto isDigit = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
    if (text.startsWith(QLatin1Char('B'))) {
        for (int left : DigitLefts)
            drawOnDisplay(QStringLiteral("MF_Num0"), QPoint(left, DigitTop));
    } else {
        // Leading zeros are blank: the 100 MHz place below "1", and the 10 MHz place
        // too when the 100 MHz place is blank.
        bool shown = false;
        for (int i = 0; i < 8; ++i) {
            const QPoint at(DigitLefts[i], DigitTop);
            const QChar c = text.size() > DigitTextPositions[i] ? text[DigitTextPositions[i]] : QChar();
            if (i < 2 && !shown && c < QLatin1Char('1')) {
                drawOnDisplay(QStringLiteral("MF_BLANK"), at);
                continue;
            }
            shown = true;
            // A place whose character is not a digit keeps what it showed.
            if (isDigit(c))
                drawOnDisplay(digit(c), at);
        }
    }
    PaintIndicators();
}

void THi_706FORM::PaintChannel()
{
    const int n = st_.mainChannel;
    const int tens = n > 9 ? n / 10 : 0;
    drawOnDisplay(QStringLiteral("NumMem") + QString::number(tens), ChannelTensAt);
    drawOnDisplay(QStringLiteral("NumMem") + QString::number(n - tens * 10), ChannelUnitsAt);
}

void THi_706FORM::PaintIndicators()
{
    if (!engine())
        return;
    drawOnDisplay(QStringLiteral("M") + QString::number(functionSet_), FunctionSetAt);
    const int vfo = st_.mainChannelState;
    if (vfo >= ChannelState::VfoA && vfo <= ChannelState::Memory) {
        const struct {
            int state;
            const char* picture;
            QPoint at;
        } marks[3] = {{ChannelState::VfoA, "VFOA", VfoAAt},
                      {ChannelState::VfoB, "VFOB", VfoBAt},
                      {ChannelState::Memory, "MEMO", MemoAt}};
        for (const auto& m : marks)
            drawOnDisplay(vfo == m.state ? QString::fromLatin1(m.picture) : QStringLiteral("VFO_OFF"), m.at);
    }

    drawOnDisplay(QStringLiteral("NAR_OFF"), NarrowAt);
    using namespace civ::Mode;
    const int mode = radio()->mode();
    const char* picture = nullptr;
    switch (mode) {
    case CwNarrow:
    case Cw: picture = "CW"; break;
    case Lsb: picture = "LSB"; break;
    case Usb: picture = "USB"; break;
    case Am:
    case AmNarrow: picture = "AM"; break;
    case Fm:
    case FmNarrow: picture = "FM"; break;
    case Wfm: picture = "WFM"; break;
    case Rtty:
    case RttyNarrow: picture = "RTTY"; break;
    default: break;
    }
    if (picture)
        drawOnDisplay(QString::fromLatin1(picture), ModeAt);
    if (mode == CwNarrow || mode == AmNarrow || mode == RttyNarrow || mode == FmNarrow)
        drawOnDisplay(QStringLiteral("NAR"), NarrowAt);

    for (int left : StepMarkLefts)
        drawOnDisplay(QStringLiteral("TS_OFF"), QPoint(left, StepMarkTop));
    for (int i = 0; i < 6; ++i) {
        if (st_.mainStep == TuningSteps[i + 1])
            drawOnDisplay(QStringLiteral("TS"), QPoint(StepMarkLefts[i], StepMarkTop));
    }
    drawOnDisplay(radio()->split() ? QStringLiteral("Split") : QStringLiteral("Split_OFF"), SplitAt);
    showDisplay();
}
