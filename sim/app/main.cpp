#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>

#include "sim/simoptions.h"
#include "sim/simulator.h"

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
}

// SIGINT and SIGTERM end the event loop, so the pty link is removed on the way out.
void quitOnSignals(QCoreApplication& app)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [] { QCoreApplication::quit(); });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
    ::signal(SIGPIPE, SIG_IGN);
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tsln-sim"));

    // Asked before anything else, as packagers and scripts do.
    if (app.arguments().value(1) == QLatin1String("--version")) {
        std::printf("tsln-sim %s\n", TSLN_VERSION);
        return 0;
    }

    SimOptions options;
    QString error;
    if (!parseSimOptions(app.arguments().mid(1), &options, &error)) {
        std::fprintf(stderr, "tsln-sim: %s\n", error.toLocal8Bit().constData());
        return 2;
    }
    if (options.help) {
        std::printf("%s", simUsage().toLocal8Bit().constData());
        return 0;
    }

    quitOnSignals(app);
    Simulator simulator(options);
    simulator.onQuit().bind([] { QCoreApplication::quit(); });
    if (!simulator.start(&error)) {
        std::fprintf(stderr, "tsln-sim: %s\n", error.toLocal8Bit().constData());
        return 1;
    }
    std::printf("%s\n", simulator.summary().toLocal8Bit().constData());
    std::fflush(stdout);
    return app.exec();
}
