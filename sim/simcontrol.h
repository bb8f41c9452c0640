#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "core/event.h"

class SimBus;
class SimRadio;

// The operator's commands to the simulator, one line in, lines of text out: turn
// a radio's knob, set or show its state and memories, switch faults on and off,
// list the stations. Lines of a failed command begin with "error: ".
class SimControl {
public:
    SimControl(SimBus& bus, const QList<SimRadio*>& radios);

    QStringList execute(const QString& line);

    static QString helpText();

    // "quit" was given.
    Event<>& onQuit() { return onQuit_; }

private:
    QStringList list() const;
    QStringList show(const QStringList& args) const;
    QStringList memories(const QStringList& args) const;
    QStringList knob(const QStringList& args);
    QStringList set(const QStringList& args);
    QStringList setChannel(SimRadio* radio, const QStringList& args);
    QStringList fault(const QStringList& args);
    QStringList faults() const;
    QStringList line(const QStringList& args);

    // By address ("50"), model ("ic756" or "IC-756"); error text when none or several.
    SimRadio* findRadio(const QString& which, QString* error) const;
    // As findRadio, or every radio for "all".
    QList<SimRadio*> findRadios(const QString& which, QString* error) const;

    Event<> onQuit_;
    SimBus& bus_;
    QList<SimRadio*> radios_;
};

// "14195000" (Hz), "14.195" (MHz) or the frequency text "014.195.000"; -1 if none.
qint64 parseFrequency(const QString& text);
