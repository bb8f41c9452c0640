#pragma once

#include <QIcon>
#include <QImage>

// The program's picture: a small transceiver with a lit display and a tuning knob.
QImage programImage(int size);
QIcon programIcon();
