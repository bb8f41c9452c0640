#include "panels/panelaccess.h"

#include "civ/civcodes.h"
#include "panels/graphicalpanel.h"
#include "panels/panelcodes.h"
#include "panels/panelmodel.h"
#include "panels/panelpicture.h"

namespace {

// The modes in words, by engine mode.
struct ModeName {
    int mode;
    const char* name;
};
constexpr ModeName ModeNames[] = {
    {civ::Mode::CwNarrow, "CW narrow"},
    {civ::Mode::Cw, "CW"},
    {civ::Mode::Lsb, "LSB"},
    {civ::Mode::Usb, "USB"},
    {civ::Mode::Am, "AM"},
    {civ::Mode::Fm, "FM"},
    {civ::Mode::Wfm, "WFM"},
    {civ::Mode::Rtty, "RTTY"},
    {civ::Mode::LsbNarrow, "LSB narrow"},
    {civ::Mode::UsbNarrow, "USB narrow"},
    {civ::Mode::AmNarrow, "AM narrow"},
    {civ::Mode::RttyNarrow, "RTTY narrow"},
    {civ::Mode::FmNarrow, "FM narrow"},
};

// The mode a band's indicator shows, in words; empty before the first read.
QString modeName(const PanelLayout& model, int indicator)
{
    if (indicator == 0)
        return {};
    for (const ModeIndicator& m : model.modeIndicators) {
        if (m.indicator != indicator)
            continue;
        for (const ModeName& n : ModeNames) {
            if (n.mode == m.mode)
                return QString::fromLatin1(n.name);
        }
    }
    return {};
}

QString channelName(int state, int channel)
{
    switch (state) {
    case ChannelState::Vfo: return QStringLiteral("VFO");
    case ChannelState::VfoA: return QStringLiteral("VFO A");
    case ChannelState::VfoB: return QStringLiteral("VFO B");
    case ChannelState::Memory: return QStringLiteral("memory ") + QString::number(channel);
    default: return {};
    }
}

}  // namespace

QString stepText(qint64 hertz)
{
    if (hertz >= 1000000 && hertz % 1000000 == 0)
        return QString::number(hertz / 1000000) + QStringLiteral(" MHz");
    if (hertz >= 1000 && hertz % 1000 == 0)
        return QString::number(hertz / 1000) + QStringLiteral(" kHz");
    return QString::number(hertz) + QStringLiteral(" Hz");
}

QString displayedFrequency(const QString& text)
{
    int from = 0;
    while (from + 1 < text.size() && text[from] == QLatin1Char('0') && text[from + 1].isDigit())
        ++from;
    return text.mid(from);
}

PanelAccess::PanelAccess(GraphicalPanel& panel) : panel_(panel) {}

QString PanelAccess::pictureName() const
{
    return QString::fromLatin1(panel_.layout().rangeName) + QStringLiteral(" front panel");
}

QString PanelAccess::pictureDescription() const
{
    return QStringLiteral(
        "Tab and Shift+Tab move from key to key, Space or Return presses the key, "
        "Up and Down tune one step, Page Up and Page Down ten steps.");
}

int PanelAccess::bandCount() const { return panel_.layout().dualBand ? 2 : 1; }

int PanelAccess::keyCount() const { return bandCount() + static_cast<int>(panel_.layout().hotSpots.size()); }

QString PanelAccess::bandText(int band) const
{
    const PanelLayout& model = panel_.layout();
    const PanelState& st = panel_.view();
    const bool sub = band == civ::Band::Sub;
    const QString& freq = sub ? st.subText : st.mainText;
    QString text;
    if (model.dualBand)
        text = sub ? QStringLiteral("Sub ") : QStringLiteral("Main ");
    if (freq.isEmpty()) {
        text += QStringLiteral("not read yet");
    } else if (freq.startsWith(QLatin1Char('B'))) {
        text += QStringLiteral("blank");
    } else {
        text += displayedFrequency(freq);
        const QString mode = modeName(model, sub ? st.subMode : st.mainMode);
        if (!mode.isEmpty())
            text += QLatin1Char(' ') + mode;
    }
    const QString channel = sub ? channelName(st.subChannelState, st.subChannel)
                                : channelName(st.mainChannelState, st.mainChannel);
    if (!channel.isEmpty())
        text += QStringLiteral(", ") + channel;
    return text;
}

QString PanelAccess::describe(const SpotText& text) const
{
    const int meaning = panel_.keyMeaning();
    const char* does = meaning > 0 && meaning < 3 && text.does[meaning] ? text.does[meaning] : text.does[0];
    const PanelState& st = panel_.view();
    const bool sub = panel_.layout().dualBand && st.subSelected;
    QString s = QString::fromLatin1(does ? does : "");
    s.replace(QStringLiteral("{band}"),
              sub ? QStringLiteral("the sub band") : QStringLiteral("the main band"));
    s.replace(QStringLiteral("{step}"), stepText(sub ? st.subStep : st.mainStep));
    s.replace(QStringLiteral("{mainstep}"), stepText(st.mainStep));
    s.replace(QStringLiteral("{substep}"), stepText(st.subStep));
    return s;
}

PictureKey PanelAccess::key(int index) const
{
    const PanelLayout& model = panel_.layout();
    PictureKey k;
    if (index < 0 || index >= keyCount())
        return k;
    if (index < bandCount()) {
        const bool sub = index == 1;
        k.name = bandText(sub ? civ::Band::Sub : civ::Band::Main);
        k.description = sub ? QStringLiteral("The sub band on the display.")
                            : (model.dualBand ? QStringLiteral("The main band on the display.")
                                              : QStringLiteral("The display."));
        k.area = (sub ? model.texts.subArea : model.texts.mainArea).translated(model.displayOrigin);
        k.button = false;
        return k;
    }
    const int spot = index - bandCount() + 1;
    const size_t row = static_cast<size_t>(spot - 1);
    if (row < model.texts.spots.size()) {
        k.name = QString::fromLatin1(model.texts.spots[row].name);
        k.description = describe(model.texts.spots[row]);
    }
    k.area = model.spot(spot).area();
    return k;
}

void PanelAccess::tune(int steps)
{
    // The wheel's way: one knob tick per step, stopped by a frequency out of range.
    const QPoint at = panel_.layout().spot(panel_.layout().knobUpSpot).area().center();
    panel_.IRadioMouseWheel(at.x(), at.y(), steps);
}

void PanelAccess::refresh()
{
    PanelPicture* picture = panel_.controls().IRadio;
    const int count = keyCount();
    told_.resize(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        PictureKey now = key(i);
        PictureKey& before = told_[static_cast<size_t>(i)];
        const bool name = now.name != before.name;
        const bool description = now.description != before.description;
        if (!name && !description)
            continue;
        before = std::move(now);
        picture->keyChanged(i, name, description);
    }
}
