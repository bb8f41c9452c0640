#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

#include "tools/mem/memtool.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (app.arguments().value(1) == QLatin1String("--version")) {
        out << "tsln-mem " << TSLN_VERSION << Qt::endl;
        return 0;
    }
    const int status = runMemTool(app.arguments().mid(1), out, err);
    out.flush();
    err.flush();
    return status;
}
