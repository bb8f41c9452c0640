#include "tools/ctlfind.h"

#include <QEventLoop>

#include "radio/radiofinder.h"
#include "tools/ctllinks.h"

CtlFind::CtlFind(const CtlOptions& options, QTextStream& out, QTextStream& err)
    : options_(options), out_(out), err_(err)
{
}

CtlFind::~CtlFind() = default;

bool CtlFind::openLink()
{
    QString error;
    bool opened = false;
    if (options_.tcp) {
        auto link = std::make_unique<CtlTcpLink>();
        opened = link->open(options_.host, options_.port, 15000, &error);
        link_ = std::move(link);
    } else {
        auto link = std::make_unique<CtlSerialLink>();
        opened = link->open(options_.serialPort, options_.baud, &error);
        link_ = std::move(link);
    }
    if (!opened)
        err_ << "tsln-ctl: " << error << Qt::endl;
    return opened;
}

int CtlFind::run()
{
    if (!openLink())
        return 2;
    RadioFinder finder;
    QEventLoop loop;
    bool broken = false;
    link_->onFailure().bind([&](const QString& why) {
        err_ << "tsln-ctl: " << why << Qt::endl;
        broken = true;
        finder.cancel();
    });
    QObject::connect(&finder, &RadioFinder::found, &loop,
                     [this](const FoundRadio& radio) { out_ << radio.line() << Qt::endl; });
    QObject::connect(&finder, &RadioFinder::finished, &loop, &QEventLoop::quit);
    finder.start(*link_, options_.findAll);
    if (finder.running())
        loop.exec();
    link_->onFailure().unbind();
    if (broken)
        return 2;
    return finder.radios().isEmpty() ? 1 : 0;
}
