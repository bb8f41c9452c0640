#include <unistd.h>

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

#include "tools/ctlfind.h"
#include "tools/ctlmemory.h"
#include "tools/ctloptions.h"
#include "tools/ctlsession.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);

    if (app.arguments().value(1) == QLatin1String("--version")) {
        out << "tsln-ctl " << TSLN_VERSION << Qt::endl;
        return 0;
    }

    CtlOptions options;
    QString error;
    if (!parseCtlArgs(app.arguments().mid(1), &options, &error)) {
        err << "tsln-ctl: " << error << Qt::endl;
        return 2;
    }
    if (options.help) {
        out << ctlUsage();
        return 0;
    }
    if (options.find)
        return CtlFind(options, out, err).run();
    if (options.transfer.direction != CtlTransfer::None)
        return CtlMemory(options, out, err, isatty(fileno(stderr)) == 1).run();
    CtlSession session(options, out, err);
    return session.run();
}
