#include "panels/hi_821.h"

#include "civ/civcodes.h"
#include "civ/models.h"
#include "core/timer.h"
#include "panels/model821.h"
#include "panels/panelcodes.h"

using namespace Model821;

THi_821FORM::THi_821FORM(const TDeviceList& devices, QWidget* owner, const QString& libraryPath,
                         DevicePreset preset)
    : GraphicalPanel(model(), devices, owner, libraryPath, preset)
{
    setObjectName(QStringLiteral("Hi_821FORM"));
    TFuncTimeOut_ = new Timer(this);
    TFuncTimeOut_->setInterval(FuncTimeOut);
    TFuncTimeOut_->setEnabled(true);
    TFuncTimeOut_->OnTimer.bind(this, &THi_821FORM::TFuncTimeOutTimer);
    FormCreate();
}

Tic821* THi_821FORM::radio() const { return static_cast<Tic821*>(engine()); }

void THi_821FORM::mouseDownStarted()
{
    // Every press on the picture, hit or not, gives FUNC its full time again.
    TFuncTimeOut_->setEnabled(false);
    TFuncTimeOut_->setEnabled(true);
}

void THi_821FORM::TFuncTimeOutTimer()
{
    TFuncTimeOut_->setEnabled(false);
    extra_.func = false;
    drawOnDisplay(QStringLiteral("Func_OFF"), FuncAt);
    if (engine())
        PaintIndicators();
}

void THi_821FORM::hotSpotAction(int n)
{
    if (n >= MainDigit10MHz && n < MainDigit10MHz + 6) {
        st_.mainStep = TuningSteps[6 - (n - MainDigit10MHz)];
        return;
    }
    if (n >= SubDigit10MHz && n < SubDigit10MHz + 6) {
        st_.subStep = TuningSteps[6 - (n - SubDigit10MHz)];
        return;
    }
    pressKey(n);
    switch (n) {
    case MS:
        drawOnDisplay(QStringLiteral("DUP_q"), DuplexAt);
        radio()->setVFO(civ::Vfo::Exchange);
        RequestAll();
        break;
    case SUB: subKey(); break;
    case FM: fmKey(); break;
    case SSB: ssbKey(); break;
    case FUNC: funcKey(); break;
    case VFO: vfoKey(); break;
    case MEMO: memoKey(); break;
    case MW:
        radio()->setMemoryCmd(extra_.func ? civ::MemoryCommand::Clear : civ::MemoryCommand::Write);
        break;
    case TS: st_.selectedStep() = nextTuningStep(st_.selectedStep()); break;
    case SCAN: scanKey(); break;
    case DN: channelStep(-1); break;
    case UP: channelStep(1); break;
    default: break;
    }
}

void THi_821FORM::subKey()
{
    if (radio()->band() != civ::Band::Main) {
        radio()->setBand(civ::Band::Main);
        st_.subSelected = false;
    } else {
        radio()->setBand(civ::Band::Sub);
        st_.subSelected = true;
    }
    drawOnDisplay(st_.subSelected ? QStringLiteral("Sub_ON") : QStringLiteral("Sub_OFF"), SubMarkAt);
}

void THi_821FORM::fmKey()
{
    if (extra_.func)
        nextDuplex();
    else
        radio()->setMode(civ::Mode::Fm);
    UpdateModeIndicator();
}

void THi_821FORM::nextDuplex()
{
    // Off, minus, plus, off.
    switch (extra_.duplexState) {
    case DuplexPlus:
        extra_.duplexState = DuplexOff;
        radio()->setDuplex(civ::Duplex::Simplex);
        drawOnDisplay(QStringLiteral("DUP_off"), DuplexAt);
        break;
    case DuplexMinus:
        extra_.duplexState = DuplexPlus;
        radio()->setDuplex(civ::Duplex::Plus);
        drawOnDisplay(QStringLiteral("DUP_p"), DuplexAt);
        break;
    default:
        extra_.duplexState = DuplexMinus;
        radio()->setDuplex(civ::Duplex::Minus);
        drawOnDisplay(QStringLiteral("DUP_m"), DuplexAt);
        break;
    }
}

void THi_821FORM::ssbKey()
{
    using namespace civ::Mode;
    // USB, LSB, CW, CW narrow, USB.
    switch (radio()->mode()) {
    case Cw: radio()->setMode(CwNarrow); break;
    case Lsb: radio()->setMode(Cw); break;
    case Usb: radio()->setMode(Lsb); break;
    default: radio()->setMode(Usb); break;
    }
    UpdateModeIndicator();
}

void THi_821FORM::funcKey()
{
    extra_.func = !extra_.func;
    if (extra_.func) {
        drawOnDisplay(QStringLiteral("Func_ON"), FuncAt);
        TFuncTimeOut_->setEnabled(true);
    } else {
        drawOnDisplay(QStringLiteral("Func_OFF"), FuncAt);
    }
    PaintIndicators();
}

void THi_821FORM::showVfoState(bool sub, int state)
{
    const QString stem = sub ? QStringLiteral("SD_") : QStringLiteral("MD_");
    const QString which = state == ChannelState::Memory ? QStringLiteral("Memo")
                          : state == ChannelState::VfoB ? QStringLiteral("VFOb")
                                                        : QStringLiteral("VFOa");
    drawOnDisplay(stem + which, sub ? SubVfoAt : MainVfoAt);
}

void THi_821FORM::vfoKey()
{
    if (extra_.func) {
        radio()->setVFO(civ::Vfo::Equalize);
    } else {
        drawOnDisplay(QStringLiteral("DUP_q"), DuplexAt);
        int& state = st_.selectedChannelState();
        state = state == ChannelState::VfoA ? ChannelState::VfoB : ChannelState::VfoA;
        radio()->setVFO(state == ChannelState::VfoB ? civ::Vfo::B : civ::Vfo::A);
        showVfoState(st_.subSelected, state);
    }
    RequestSelected();
}

void THi_821FORM::memoKey()
{
    drawOnDisplay(QStringLiteral("DUP_q"), DuplexAt);
    if (extra_.func) {
        radio()->setMemoryCmd(civ::MemoryCommand::ToVfo);
    } else {
        radio()->setMemoryCmd(civ::MemoryCommand::MemoryMode);
        st_.selectedChannelState() = ChannelState::Memory;
        showVfoState(st_.subSelected, ChannelState::Memory);
    }
    RequestSelected();
}

void THi_821FORM::scanKey()
{
    extra_.scan = !extra_.scan;
    const bool sub = st_.subSelected;
    if (extra_.scan) {
        radio()->setScanCmd(civ::ScanCommand::Start);
        drawOnDisplay(sub ? QStringLiteral("SScan_ON") : QStringLiteral("Scan_ON"), sub ? SubScanAt : ScanAt);
    } else {
        radio()->setScanCmd(civ::ScanCommand::Stop);
        drawOnDisplay(sub ? QStringLiteral("SScan_off") : QStringLiteral("Scan_OFF"),
                      sub ? SubScanAt : ScanAt);
        RequestSelected();
    }
}

void THi_821FORM::BForceClick()
{
    if (!engine())
        return;
    SelectSub();
    st_.subChannelState = ChannelState::VfoA;
    radio()->setVFO(civ::Vfo::A);
    drawOnDisplay(QStringLiteral("SD_VFOa"), SubVfoAt);
    st_.subChannel = 1;
    radio()->setMemory(1);
    radio()->setScanCmd(civ::ScanCommand::Stop);
    drawOnDisplay(QStringLiteral("SScan_off"), SubScanAt);

    SelectMain();
    st_.mainChannelState = ChannelState::VfoA;
    radio()->setVFO(civ::Vfo::A);
    drawOnDisplay(QStringLiteral("MD_VFOa"), MainVfoAt);
    st_.mainChannel = 1;
    radio()->setMemory(1);
    extra_.duplexState = DuplexOff;
    radio()->setDuplex(civ::Duplex::Simplex);
    radio()->setScanCmd(civ::ScanCommand::Stop);
    drawOnDisplay(QStringLiteral("Scan_OFF"), ScanAt);
    // The scan is stopped on both bands: the next SCAN press starts one.
    extra_.scan = false;
    PaintChannel();
    PaintIndicators();
    RequestAll();
}

void THi_821FORM::PaintFrequency()
{
    const struct {
        const QString& text;
        int top;
        const int* lefts;
        const char* digits;
        const char* blank;
    } lines[2] = {{st_.mainText, MainLineTop, MainDigitLefts, "MF_Num", "MF_NumD"},
                  {st_.subText, SubLineTop, SubDigitLefts, "SF_Num", "SF_NumD"}};
    for (const auto& line : lines) {
        if (line.text.isEmpty())
            continue;
        for (int i = 0; i < 7; ++i) {
            const QPoint at(line.lefts[i], line.top);
            if (line.text.startsWith(QLatin1Char('B'))) {
                drawOnDisplay(QString::fromLatin1(line.blank), at);
                continue;
            }
            // A place whose character is not a digit keeps what it showed.
            const int pos = DigitTextPositions[i];
            if (pos < line.text.size() && line.text[pos].isDigit() && line.text[pos].unicode() < 128)
                drawOnDisplay(QString::fromLatin1(line.digits) + line.text[pos], at);
        }
    }
    PaintIndicators();
}

void THi_821FORM::PaintChannel()
{
    const struct {
        int channel;
        QPoint tens;
        QPoint units;
        const char* digits;
    } bands[2] = {{st_.mainChannel, MainChannelTensAt, MainChannelUnitsAt, "MM_Num"},
                  {st_.subChannel, SubChannelTensAt, SubChannelUnitsAt, "SM_Num"}};
    for (const auto& b : bands) {
        const int tens = b.channel > 9 ? b.channel / 10 : 0;
        const int units = b.channel - tens * 10;
        if (tens < 0 || tens > 9 || units < 0 || units > 9)
            continue;
        drawOnDisplay(QString::fromLatin1(b.digits) + QString::number(tens), b.tens);
        drawOnDisplay(QString::fromLatin1(b.digits) + QString::number(units), b.units);
    }
}

void THi_821FORM::PaintIndicators()
{
    if (!engine())
        return;
    drawOnDisplay(st_.subSelected ? QStringLiteral("Sub_ON") : QStringLiteral("Sub_OFF"), SubMarkAt);
    if (st_.mainMode >= IndicatorFm && st_.mainMode <= IndicatorCwNarrow)
        drawOnDisplay(QString::fromLatin1(MainModePictures[st_.mainMode - 1]), MainModeAt);
    if (st_.subMode >= IndicatorFm && st_.subMode <= IndicatorCwNarrow)
        drawOnDisplay(QString::fromLatin1(SubModePictures[st_.subMode - 1]), SubModeAt);
    const struct {
        qint64 step;
        const int* lefts;
        int top;
        const char* on;
        const char* off;
    } lines[2] = {{st_.mainStep, MainStepMarkLefts, MainStepMarkTop, "M_TS", "M_TS_OFF"},
                  {st_.subStep, SubStepMarkLefts, SubStepMarkTop, "S_TS", "S_TS_OFF"}};
    for (const auto& line : lines) {
        for (int i = 0; i < 6; ++i)
            drawOnDisplay(QString::fromLatin1(line.off), QPoint(line.lefts[i], line.top));
        for (int i = 0; i < 6; ++i) {
            if (line.step == TuningSteps[i + 1])
                drawOnDisplay(QString::fromLatin1(line.on), QPoint(line.lefts[i], line.top));
        }
    }
    showDisplay();
}
