// Writes the program's picture as PNG files for the desktop's icon theme:
//   tsln-iconwriter <folder> <size>...  ->  <folder>/<size>.png
#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "shell/appicon.h"

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: tsln-iconwriter FOLDER SIZE...\n");
        return 2;
    }
    const QDir folder(args[0]);
    for (const QString& text : args.mid(1)) {
        const int size = text.toInt();
        const QString file = folder.filePath(QStringLiteral("%1.png").arg(text));
        if (size <= 0 || !programImage(size).save(file)) {
            std::fprintf(stderr, "tsln-iconwriter: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
