#include "panels/hi_756.h"

#include "civ/models.h"
#include "panels/model756.h"

using namespace Model756;

THi_756FORM::THi_756FORM(QWidget* owner, const QString& libraryPath)
    : GraphicalPanel(model(), owner, libraryPath)
{
    setObjectName(QStringLiteral("Hi_756FORM"));
    FormCreate();
}

Tciv* THi_756FORM::createEngine() { return new Tic756(this); }

Tic756* THi_756FORM::radio() const { return static_cast<Tic756*>(engine()); }

void THi_756FORM::hotSpotAction(int n)
{
    switch (n) {
    case Spot::SSB: modeKey(n, radio()->mode() == 3 ? 2 : 3); break;
    case Spot::CW: modeKey(n, 1); break;
    case Spot::RTTY: modeKey(n, 7); break;
    case Spot::AM: modeKey(n, 4); break;
    case Spot::FM: modeKey(n, 5); break;
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
        if (radio()->band() != 0) {
            radio()->setBand(0);
            st_.subSelected = false;
        } else {
            radio()->setBand(1);
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
        radio()->setMemoryCmd(1);
        break;
    case Spot::MCL:
        pressKey(n);
        radio()->setMemoryCmd(3);
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
    radio()->setAntenna(4 + antennaStep_);
    if (antennaStep_ == 4)
        antennaStep_ = 0;
}

void THi_756FORM::exchangeBands()
{
    radio()->setVFO(8);
    std::swap(st_.mainChannel, st_.subChannel);
    std::swap(st_.mainChannelState, st_.subChannelState);
    const bool wasSub = st_.subSelected;
    auto restore = [this](int channelState) {
        if (channelState == 3)
            radio()->setMemoryCmd(0);
        else
            radio()->setVFO(0);
    };
    radio()->setBand(0);
    st_.subSelected = false;
    restore(st_.mainChannelState);
    radio()->setBand(1);
    st_.subSelected = true;
    restore(st_.subChannelState);
    if (!wasSub) {
        radio()->setBand(0);
        st_.subSelected = false;
    }
    PaintChannel();
    RequestAll();
}

void THi_756FORM::vfoMemoKey()
{
    int& state = st_.selectedChannelState();
    if (state == 3) {
        state = 0;
        radio()->setVFO(0);
    } else {
        state = 3;
        radio()->setMemoryCmd(0);
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
    radio()->setAntenna(5);

    SelectSub();
    st_.subChannelState = 0;
    radio()->setVFO(0);
    drawOnDisplay(QStringLiteral("VFO"), QPoint(ChannelTensLeft, SubVfoTop));
    st_.subChannel = 1;
    radio()->setMemory(1);
    radio()->setScanCmd(1);

    SelectMain();
    st_.mainChannelState = 0;
    radio()->setVFO(0);
    drawOnDisplay(QStringLiteral("VFO"), QPoint(ChannelTensLeft, MainVfoTop));
    st_.mainChannel = 1;
    radio()->setMemory(1);
    radio()->setScanCmd(1);

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
        if (b.state == 3) {
            const int tens = b.channel > 9 ? b.channel / 10 : 0;
            const int units = b.channel - tens * 10;
            drawOnDisplay(QStringLiteral("NumMem") + QString::number(tens),
                          QPoint(ChannelTensLeft, b.digitTop));
            drawOnDisplay(QStringLiteral("NumMem") + QString::number(units),
                          QPoint(ChannelUnitsLeft, b.digitTop));
            drawOnDisplay(QStringLiteral("VFO_OFF"), QPoint(ChannelTensLeft, b.vfoTop));
        } else if (b.state == 0) {
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
