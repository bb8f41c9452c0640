#include "sim/simulator.h"

#include <QSet>
#include <cstdio>

#include "sim/bus.h"
#include "sim/controlport.h"
#include "sim/frametrace.h"
#include "sim/ptyport.h"
#include "sim/radio.h"
#include "sim/simcontrol.h"
#include "sim/tcprelay.h"

Simulator::Simulator(const SimOptions& options, QObject* parent)
    : QObject(parent), options_(options), bus_(std::make_unique<SimBus>())
{
    bus_->setBaud(options_.baud);
    bus_->setPaced(options_.paced);
    bus_->seed(options_.seed);
}

Simulator::~Simulator()
{
    // Ports first: they hang on the bus like the radios.
    delete controlServer_;
    delete stdin_;
    delete tcp_;
    delete pty_;
    radios_.clear();
}

bool Simulator::addRadios(QString* error)
{
    const QList<RadioChoice> choices = options_.radios.isEmpty() ? defaultRadios() : options_.radios;
    QSet<int> taken;
    for (const RadioChoice& c : choices)
        if (c.address >= 0) {
            if (taken.contains(c.address)) {
                *error = QStringLiteral("two radios at address %1")
                             .arg(QStringLiteral("%1").arg(c.address, 2, 16, QLatin1Char('0')).toUpper());
                return false;
            }
            taken.insert(c.address);
        }
    for (const RadioChoice& c : choices) {
        const RadioModel* model = findRadioModel(c.model);
        int address = c.address;
        if (address < 0) {
            // Two radios of one family share a default address: the second moves up.
            address = model->address;
            while (taken.contains(address))
                ++address;
            taken.insert(address);
        }
        radios_.push_back(std::make_unique<SimRadio>(*bus_, *model, quint8(address)));
        radioList_.append(radios_.back().get());
    }
    return true;
}

bool Simulator::start(QString* error)
{
    if (!addRadios(error))
        return false;
    control_ = std::make_unique<SimControl>(*bus_, radioList_);
    control_->onQuit().bind([this] { onQuit_(); });
    for (const KnobChoice& k : options_.knobs) {
        QStringList reply = control_->execute(QStringLiteral("knob %1 every %2").arg(k.radio).arg(k.everyMs));
        if (!reply.isEmpty() && reply.first().startsWith(QLatin1String("error: "))) {
            *error = QStringLiteral("--knob %1: %2").arg(k.radio, reply.first().mid(7));
            return false;
        }
    }
    if (options_.trace) {
        trace_ = std::make_unique<FrameTrace>([](const QString& line) {
            std::printf("line: %s\n", line.toLatin1().constData());
            std::fflush(stdout);
        });
        bus_->onLine().bind([this](const QByteArray& chunk) { trace_->feed(chunk); });
    }
    if (options_.pty) {
        pty_ = new PtyPort(*bus_);
        if (!pty_->open(error))
            return false;
        if (!options_.link.isEmpty() && !pty_->makeLink(options_.link, error))
            return false;
    }
    if (options_.tcpPort > 0) {
        tcp_ = new TcpRelay(*bus_);
        if (!tcp_->listen(quint16(options_.tcpPort), error))
            return false;
    }
    if (options_.controlPort > 0) {
        controlServer_ = new ControlServer(*control_);
        if (!controlServer_->listen(quint16(options_.controlPort), error))
            return false;
    }
    if (options_.stdinControl) {
        stdin_ = new StdinControl(*control_);
        stdinRead_ = stdin_->start();
    }
    return true;
}

QString Simulator::summary() const
{
    QStringList radios;
    for (SimRadio* r : radioList_)
        radios << r->describe();
    QString text = QStringLiteral("tsln-sim: %1 on one CI-V bus (%2 baud%3)")
                       .arg(radios.join(QStringLiteral(", ")))
                       .arg(bus_->baud())
                       .arg(bus_->paced() ? "" : ", unpaced");
    if (pty_)
        text += QStringLiteral("; serial: %1%2")
                    .arg(pty_->path(),
                         pty_->link().isEmpty() ? QString() : QStringLiteral(" (link %1)").arg(pty_->link()));
    if (tcp_)
        text += QStringLiteral("; TCP: 127.0.0.1:%1").arg(tcp_->port());
    QStringList control;
    if (stdinRead_)
        control << QStringLiteral("stdin");
    if (controlServer_)
        control << QStringLiteral("127.0.0.1:%1").arg(controlServer_->port());
    text += QStringLiteral("; control: %1")
                .arg(control.isEmpty() ? QStringLiteral("none") : control.join(QStringLiteral(", ")));
    return text;
}
