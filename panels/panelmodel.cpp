#include "panels/panelmodel.h"

#include "radio/memorychannel.h"

std::vector<int> hitTest(std::span<const HotSpot> table, int x, int y)
{
    std::vector<int> hits;
    for (size_t i = 0; i < table.size(); ++i) {
        if (table[i].contains(x, y))
            hits.push_back(static_cast<int>(i) + 1);
    }
    return hits;
}

qint64 nextTuningStep(qint64 step)
{
    const qint64 next = step * 10;
    return next > 10000000 ? 10 : next;
}

int PanelLayout::modeIndicator(int mode) const
{
    for (const ModeIndicator& m : modeIndicators) {
        if (m.mode == mode)
            return m.indicator;
    }
    return 0;
}

int PanelLayout::modeOfText(const QString& text) const { return memoryModeOfText(rigModel, text); }

QString PanelLayout::textOfMode(int mode) const { return memoryTextOfMode(rigModel, mode); }
