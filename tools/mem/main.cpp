#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

#include "tools/mem/memtool.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = runMemTool(app.arguments().mid(1), out, err);
    out.flush();
    err.flush();
    return status;
}
