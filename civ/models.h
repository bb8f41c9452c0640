#pragma once

#include "civ/civ.h"

// The radio models. Each sets its default address and accepts every frequency that
// converts: the radio itself refuses what it cannot take (NG).

class Tic706 : public Tciv {
    Q_OBJECT

public:
    static constexpr quint8 DefaultAddress = 0x48;
    explicit Tic706(QObject* owner);
    // The IC-706 family takes the filter byte with every mode and knows the narrow
    // modes 9-13 and WFM.
    void setMode(int mode) override;
    bool CheckFreq(const QString& text) override;
};

class Tic756 : public Tciv {
    Q_OBJECT

public:
    static constexpr quint8 DefaultAddress = 0x50;
    explicit Tic756(QObject* owner);

    int Antenna() const { return antenna_; }
    // 5-8: antenna 1, antenna 2, antenna 1 with receive antenna, antenna 2 with it.
    void setAntenna(int antenna);
    bool Dual() const { return dual_; }
    void setDual(bool dual);
    bool CheckFreq(const QString& text) override;

private:
    int antenna_ = 0;
    bool dual_ = false;
};

class Tic821 : public Tciv {
    Q_OBJECT

public:
    static constexpr quint8 DefaultAddress = 0x4C;
    explicit Tic821(QObject* owner);
    bool CheckFreq(const QString& text) override;
};
