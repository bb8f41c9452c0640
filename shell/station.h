#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QTimer>
#include <QWidget>
#include <utility>

#include "shell/sessionstore.h"

class QSettings;
class TMainFORM;
class Tdevice;

// The radio windows open in the frame (graphical panels and IC-821 windows of
// ordinary controls), in the order they were opened.
QList<RememberedRadio> captureRadios(const TMainFORM& frame);

// The radio windows of the last run and the settings that hold them, for the
// run's whole length: reopens the remembered windows one after the other from
// the event loop, so the start never waits on a radio, then writes the session
// whenever a window opens or closes, so that a run that ends without quitting
// loses no window opened or closed before. Made by startSession as a child of
// the frame; endSession stops it before the windows go.
class StationKeeper : public QObject {
    Q_OBJECT

public:
    // How long a radio on a relay that is connecting waits for the connection
    // before it opens anyway (and says "No Response" as any silent radio does).
    static constexpr int ConnectWaitMs = 5000;

    StationKeeper(TMainFORM& frame, QSettings& settings);

    // Reopens radios in their order, after their devices; those on devices in
    // connecting wait for their relay first. An entry whose device is gone or
    // whose panel-art library is not found is skipped with one line on standard
    // error; one whose library is missing is remembered again at the end of the
    // run, so it comes back once the library is found.
    void restore(const QList<RememberedRadio>& radios, const QSet<Tdevice*>& connecting);
    bool restoring() const { return !restored_; }
    // Entries kept although not reopened in this run.
    const QList<RememberedRadio>& carried() const { return carried_; }

    // No more writing: the run is ending.
    void stop();

signals:
    // Every remembered window has been reopened or skipped.
    void restored();

private:
    void restoreNext();
    // False when the entry was skipped.
    bool reopen(const RememberedRadio& radio);
    // Gives the reopened windows their places and states, in their order, once
    // all are open: a window opening maximised would change those of the others.
    void placeReopened();
    void save();

    TMainFORM& frame_;
    QPointer<QSettings> settings_;
    QList<RememberedRadio> pending_;
    qsizetype next_ = 0;
    bool restored_ = false;
    QSet<Tdevice*> connecting_;
    int waitedMs_ = 0;
    QList<RememberedRadio> carried_;
    QList<std::pair<QPointer<QWidget>, RememberedRadio>> reopened_;
    QTimer saveTimer_;
    bool stopped_ = false;
};
