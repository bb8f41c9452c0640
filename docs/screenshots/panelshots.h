#pragma once

#include <QDir>
#include <QString>
#include <functional>

#include "panels/panelmodel.h"

class GraphicalPanel;
class QWidget;
class TMainFORM;

// Pictures of one model's art: the whole panel, its display, every small picture on
// one sheet and the knob frames.
void saveArtSheets(const PanelLayout& model, const QString& libraryPath, const QDir& out,
                   const QString& stem);

// Opens a panel against a simulated radio of the model (in-process, no pacing), lets
// it read the radio, runs prepare on it, and saves it alone (<stem>-panel.png) and
// inside frame (<stem>-in-frame.png). open creates the panel for the owner. With
// ringOn, the panel alone once more with the keyboard's focus ring on the key of
// that name (<stem>-keyboard.png).
using PanelOpener = std::function<GraphicalPanel*(QWidget* owner)>;
bool savePanel(TMainFORM& frame, const QString& simModel, quint8 address, const PanelOpener& open,
               const std::function<void(GraphicalPanel&)>& prepare, const QDir& out, const QString& stem,
               const QString& ringOn = QString());

// Clicks the centre of a hot spot on the panel's picture.
void clickSpot(GraphicalPanel& panel, int spot);
// Runs the event loop until the panel's engine is idle and at rest, or ms pass.
bool settle(GraphicalPanel& panel, int ms);
// Opens the IC-821 standard-controls window against a simulated IC-821 and saves
// it (ic821-text.png) once it has read the radio.
bool saveIc821Window(const QDir& out);
// Runs Find Radios on a simulated bus of three radios and saves the window with
// what it found (find-radios.png).
bool saveFindRadios(const QDir& out);
