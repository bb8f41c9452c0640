#include "civ/models.h"

using namespace civ;

Tic706::Tic706(QObject* owner) : Tciv(owner) { Address = DefaultAddress; }

void Tic706::setMode(int mode)
{
    mode_ = mode;
    queueBody(encode::mode(mode, ModeTable::Ic706));
}

bool Tic706::CheckFreq(const QString&) { return true; }

Tic756::Tic756(QObject* owner) : Tciv(owner) { Address = DefaultAddress; }

void Tic756::setAntenna(int antenna)
{
    antenna_ = antenna;
    queueBody(encode::antenna(antenna));
}

void Tic756::setDual(bool dual)
{
    dual_ = dual;
    queueBody(encode::dual(dual));
}

bool Tic756::CheckFreq(const QString&) { return true; }

Tic821::Tic821(QObject* owner) : Tciv(owner) { Address = DefaultAddress; }

bool Tic821::CheckFreq(const QString&) { return true; }
