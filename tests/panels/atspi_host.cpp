// The IC-756 panel on the simulated radio, shown for assistive technology to find
// from outside the program (tests/panels/atspi_panel.py). It says "ready" once the
// panel has read the radio, then "radio <hertz>" whenever the radio's frequency
// changes, and ends when its standard input closes.

#include <unistd.h>

#include <QApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>
#include <cstdio>

#include "civ/civ.h"
#include "panels/hi_756.h"
#include "radio/radiosession.h"
#include "sim/radio.h"
#include "sim/radiostate.h"
#include "support/simbench.h"
#include "support/waitfor.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    SimBench bench;
    if (!bench.start({{QStringLiteral("ic756"), -1}}, false) || !bench.addDevice(SimLink::Tcp)) {
        std::fprintf(stderr, "atspi_host: %s\n", qPrintable(bench.failure()));
        return 2;
    }
    // As the program keeps its panels: on the heap, deleted when closed.
    QPointer<THi_756FORM> panel =
        new THi_756FORM(bench.devices(), nullptr, QStringLiteral(TSLN_BIN_DIR "/PV756.dll"));
    const bool read = waitFor(
        [&] {
            return panel && panel->session() && panel->session()->requestState() == RequestState::Resting &&
                   panel->engine()->Queue().empty() && !panel->view().mainText.isEmpty();
        },
        120000);
    if (!read) {
        std::fprintf(stderr, "atspi_host: the panel did not read the radio\n");
        return 2;
    }
    panel->show();

    qint64 said = -1;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        const qint64 hz = bench.radio().state().operating().freq;
        if (hz != said) {
            said = hz;
            std::printf("radio %lld\n", static_cast<long long>(hz));
            std::fflush(stdout);
        }
    });
    watch.start(50);
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char c;
        // exit, not quit: quit would first close the windows, and the memory
        // window may keep its own open.
        if (::read(STDIN_FILENO, &c, 1) <= 0)
            QCoreApplication::exit(0);
    });
    std::printf("ready\n");
    std::fflush(stdout);
    const int result = app.exec();
    if (!panel)
        return 3;
    delete panel.data();
    return result;
}
