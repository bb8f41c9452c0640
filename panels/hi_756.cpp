#include "panels/hi_756.h"

#include "civ/civcodes.h"
#include "civ/models.h"
#include "panels/model756.h"
#include "panels/panelcodes.h"

using namespace Model756;

namespace {
// The antenna property's first setting (antenna 1); the ANT key steps through four.
constexpr int FirstAntenna = 5;
}  // namespace

THi_756FORM::THi_756FORM(const TDeviceList& devices, QWidget* owner, const QString& libraryPath,
                         DevicePreset preset)
    : GraphicalPanel(model(), devices, owner, libraryPath, preset)
{
    setObjectName(QStringLiteral("Hi_756FORM"));
    FormCreate();
}

Tic756* THi_756FORM::radio() const { return static_cast<Tic756*>(engine()); }

void THi_756FORM::hotSpotAction(int n)
{
    switch (n) {
    case Spot::SSB: modeKey(n, radio()->mode() == civ::Mode::Usb ? civ::Mode::Lsb : civ::Mode::Usb); break;
    case Spot::CW: modeKey(n, civ::Mode::Cw); break;
    case Spot::RTTY: modeKey(n, civ::Mode::Rtty); break;
    case Spot::AM: modeKey(n, civ::Mode::Am); break;
    case Spot::FM: modeKey(n, civ::Mode::Fm); break;
    case Spot::ANT:
        pressKey(n);
        antennaKey();
        break;
    case Spot::SPLIT:
        pressKey(n);
        radio()->setSplit(!radio()->split());
        break;
    case Spot::DUAL:
        pressKey(n);
        radio()->setDual(!radio()->Dual());
        break;
    case Spot::CHANGE:
        pressKey(n);
        exchangeBands();
        break;
    case Spot::VFOMemo:
        pressKey(n);
        vfoMemoKey();
        break;
    case Spot::MAIN:
        pressKey(n);
        if (radio()->band() != civ::Band::Main) {
            radio()->setBand(civ::Band::Main);
            st_.subSelected = false;
        } else {
            radio()->setBand(civ::Band::Sub);
            st_.subSelected = true;
        }
        break;
    case Spot::UP:
        pressKey(n);
        channelStep(1);
        break;
    case Spot::DWN:
        pressKey(n);
        channelStep(-1);
        break;
    case Spot::MW:
        pressKey(n);
        radio()->setMemoryCmd(civ::MemoryCommand::Write);
        break;
    case Spot::MCL:
        pressKey(n);
        radio()->setMemoryCmd(civ::MemoryCommand::Clear);
        break;
    case Spot::TS:
        pressKey(n);
        st_.selectedStep() = nextTuningStep(st_.selectedStep());
        break;
    default:
        if (n >= Spot::MainDigit10MHz && n < Spot::MainDigit10MHz + 7)
            st_.mainStep = TuningSteps[6 - (n - Spot::MainDigit10MHz)];
        else if (n >= Spot::SubDigit10MHz && n < Spot::SubDigit10MHz + 7)
            st_.subStep = TuningSteps[6 - (n - Spot::SubDigit10MHz)];
        else if (bandKeyText(n))
            bandKey(n);
        break;
    }
}

void THi_756FORM::modeKey(int n, int mode)
{
    pressKey(n);
    radio()->setMode(mode);
    UpdateModeIndicator();
}

void THi_756FORM::antennaKey()
{
    static const char* const pictures[4] = {"D_Ant1", "D_Ant2", "D_Ant1R", "D_Ant2R"};
    ++antennaStep_;
    if (antennaStep_ < 1 || antennaStep_ > 4)
        antennaStep_ = 1;
    drawOnDisplay(QString::fromLatin1(pictures[antennaStep_ - 1]), AntennaAt);
    radio()->setAntenna(FirstAntenna - 1 + antennaStep_);
    if (antennaStep_ == 4)
        antennaStep_ = 0;
}

void THi_756FORM::exchangeBands()
{
    radio()->setVFO(civ::Vfo::Exchange);
    std::swap(st_.mainChannel, st_.subChannel);
    std::swap(st_.mainChannelState, st_.subChannelState);
    const bool wasSub = st_.subSelected;
    auto restore = [this](int channelState) {
        if (channelState == ChannelState::Memory)
            radio()->setMemoryCmd(civ::MemoryCommand::MemoryMode);
        else
            radio()->setVFO(civ::Vfo::VfoMode);
    };
    radio()->setBand(civ::Band::Main);
    st_.subSelected = false;
    restore(st_.mainChannelState);
    radio()->setBand(civ::Band::Sub);
    st_.subSelected = true;
    restore(st_.subChannelState);
    if (!wasSub) {
        radio()->setBand(civ::Band::Main);
        st_.subSelected = false;
    }
    PaintChannel();
    RequestAll();
}

void THi_756FORM::vfoMemoKey()
{
    int& state = st_.selectedChannelState();
    if (state == ChannelState::Memory) {
        state = ChannelState::Vfo;
        radio()->setVFO(civ::Vfo::VfoMode);
    } else {
        state = ChannelState::Memory;
        radio()->setMemoryCmd(civ::MemoryCommand::MemoryMode);
    }
    PaintChannel();
    RequestSelected();
}

void THi_756FORM::bandKey(int n)
{
    pressKey(n);
    radio()->setFreq(QString::fromLatin1(bandKeyText(n)));
    RequestSelected();
}

void THi_756FORM::BForceClick()
{
    if (!engine())
        return;
    antennaStep_ = 1;
    radio()->setAntenna(FirstAntenna);

    SelectSub();
    st_.subChannelState = ChannelState::Vfo;
    radio()->setVFO(civ::Vfo::VfoMode);
    drawOnDisplay(QStringLiteral("VFO"), QPoint(ChannelTensLeft, SubVfoTop));
    st_.subChannel = 1;
    radio()->setMemory(1);
    radio()->setScanCmd(civ::ScanCommand::Stop);

    SelectMain();
    st_.mainChannelState = ChannelState::Vfo;
    radio()->setVFO(civ::Vfo::VfoMode);
    drawOnDisplay(QStringLiteral("VFO"), QPoint(ChannelTensLeft, MainVfoTop));
    st_.mainChannel = 1;
    radio()->setMemory(1);
    radio()->setScanCmd(civ::ScanCommand::Stop);

    radio()->setSplit(false);
    radio()->setDual(false);
    PaintChannel();
    PaintIndicators();
    RequestAll();
}

void THi_756FORM::PaintFrequency()
{
    const struct {
        const QString& text;
        int top;
        bool selected;
    } lines[2] = {{st_.mainText, MainLineTop, !st_.subSelected}, {st_.subText, SubLineTop, st_.subSelected}};
    for (const auto& line : lines) {
        if (line.text.size() < 2)
            return;
        const QString set = line.selected ? QStringLiteral("MF_Num") : QStringLiteral("MH_Num");
        for (int i = 0; i < 7; ++i) {
            const QPoint at(DigitLefts[i], line.top);
            if (line.text.startsWith(QLatin1Char('B'))) {
                drawOnDisplay(QStringLiteral("MF_Num0"), at);
                continue;
            }
            // A place whose character is not a digit keeps what it showed.
            const int pos = DigitTextPositions[i];
            if (pos < line.text.size() && line.text[pos].isDigit() && line.text[pos].unicode() < 128)
                drawOnDisplay(set + line.text[pos], at);
        }
    }
    PaintIndicators();
}

void THi_756FORM::PaintChannel()
{
    const struct {
        int state;
        int channel;
        int vfoTop;
        int digitTop;
    } bands[2] = {{st_.mainChannelState, st_.mainChannel, MainVfoTop, MainChannelTop},
                  {st_.subChannelState, st_.subChannel, SubVfoTop, SubChannelTop}};
    for (const auto& b : bands) {
        if (b.state == ChannelState::Memory) {
            const int tens = b.channel > 9 ? b.channel / 10 : 0;
            const int units = b.channel - tens * 10;
            drawOnDisplay(QStringLiteral("NumMem") + QString::number(tens),
                          QPoint(ChannelTensLeft, b.digitTop));
            drawOnDisplay(QStringLiteral("NumMem") + QString::number(units),
                          QPoint(ChannelUnitsLeft, b.digitTop));
            drawOnDisplay(QStringLiteral("VFO_OFF"), QPoint(ChannelTensLeft, b.vfoTop));
        } else if (b.state == ChannelState::Vfo) {
            drawOnDisplay(QStringLiteral("VFO"), QPoint(ChannelTensLeft, b.vfoTop));
            drawOnDisplay(QStringLiteral("MemNum_Off"), QPoint(ChannelTensLeft, b.digitTop));
            drawOnDisplay(QStringLiteral("MemNum_Off"), QPoint(ChannelUnitsLeft, b.digitTop));
        }
    }
}

void THi_756FORM::PaintIndicators()
{
    if (!engine())
        return;
    if (st_.mainMode >= 1 && st_.mainMode <= 6)
        drawOnDisplay(QString::fromLatin1(ModePictures[st_.mainMode - 1]), MainModeAt);
    if (st_.subMode >= 1 && st_.subMode <= 6)
        drawOnDisplay(QString::fromLatin1(ModePictures[st_.subMode - 1]), SubModeAt);
    const struct {
        qint64 step;
        int top;
    } lines[2] = {{st_.mainStep, MainStepMarkTop}, {st_.subStep, SubStepMarkTop}};
    for (const auto& line : lines) {
        for (int left : StepMarkLefts)
            drawOnDisplay(QStringLiteral("M_TS_OFF"), QPoint(left, line.top));
        for (int i = 0; i < 6; ++i) {
            if (line.step == TuningSteps[i + 1])
                drawOnDisplay(QStringLiteral("M_TS"), QPoint(StepMarkLefts[i], line.top));
        }
    }
    drawOnDisplay(radio()->split() ? QStringLiteral("D_Split") : QStringLiteral("D_Split_OFF"), SplitAt);
    drawOnDisplay(radio()->Dual() ? QStringLiteral("D_Dual") : QStringLiteral("D_Dual_OFF"), DualAt);
    showDisplay();
}
