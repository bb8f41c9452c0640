#pragma once

#include <QString>
#include <vector>

#include "panels/picturekeys.h"

class GraphicalPanel;
struct SpotText;

// A graphical panel's places for the keyboard and assistive technology: first a
// text per band of the display ("Main 14.195.000 USB, VFO A"), then every hot spot
// in number order, named and described by the model's table, its meaning taken
// from the panel's key meaning now. When the display or a meaning changes, the
// picture tells assistive technology what changed, whoever changed it.
class PanelAccess : public PictureKeys {
public:
    explicit PanelAccess(GraphicalPanel& panel);

    QString pictureName() const override;
    QString pictureDescription() const override;
    int keyCount() const override;
    PictureKey key(int index) const override;
    void tune(int steps) override;

    // The number of display texts before the hot spots: one per band.
    int bandCount() const;
    // What the display shows of a band (civ::Band).
    QString bandText(int band) const;
    // Compares every place's texts with what was told last and tells the changes.
    void refresh();

private:
    QString describe(const SpotText& text) const;

    GraphicalPanel& panel_;
    std::vector<PictureKey> told_;
};

// A tuning step in words: "10 Hz", "1 kHz", "10 MHz".
QString stepText(qint64 hertz);
// A frequency text as the display shows it, without leading zeros: "14.195.000".
QString displayedFrequency(const QString& text);
