#include "shell/startup.h"

#include <QCommandLineParser>
#include <QSettings>
#include <cstdio>

#include "shell/appicon.h"
#include "shell/application.h"
#include "shell/helpviewer.h"
#include "shell/mainform.h"
#include "shell/programfiles.h"
#include "shell/session.h"
#include "shell/sessionstore.h"
#include "shell/widgetmodal.h"

namespace {

void print(FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

// Where the running program finds what it loads, and where it keeps its settings.
QString pathsText()
{
    const ProgramFiles files = ProgramFiles::running();
    QString text;
    auto line = [&text](const QString& what, const QString& path) {
        text += QStringLiteral("%1 %2\n")
                    .arg(what + QLatin1Char(':'), -15)
                    .arg(path.isEmpty() ? QStringLiteral("not found") : path);
    };
    for (RigModel model : AllRigModels)
        line(panelLibraryName(model), files.findLibrary(panelLibraryName(model)));
    line(helpFileName(), files.findData(helpFileName()));
    line(QStringLiteral("settings"), sessionSettingsPath());
    text += QStringLiteral("Libraries are looked for in %1;\nthe help file in %2.\n")
                .arg(files.libraryFolders().join(QStringLiteral(", ")),
                     files.dataFolders().join(QStringLiteral(", ")));
    return text;
}

enum class CommandLine { Run, Done, Failed };

// Answers --help, --version and --paths on the terminal. With the window
// system's own options not yet taken out, an unknown option is left for the
// second look (reportErrors true) to judge. reopenRadios, when given, tells
// whether the last run's radio windows are to come back.
CommandLine answerCommandLine(const QStringList& arguments, bool reportErrors, bool* reopenRadios = nullptr)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Controls ICOM IC-706, IC-706MKII, IC-756 and IC-821 transceivers over the CI-V bus.\n"
                       "Devices and windows are remembered from one run to the next."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption paths(QStringLiteral("paths"),
                                   QStringLiteral("Show where the panel-art libraries, the help file and the "
                                                  "settings are, then exit."));
    parser.addOption(paths);
    const QCommandLineOption artDir(QStringLiteral("art-dir"),
                                    QStringLiteral("Look for the panel-art libraries in <dir> first."),
                                    QStringLiteral("dir"));
    parser.addOption(artDir);
    const QCommandLineOption noRestore(QStringLiteral("no-restore"),
                                       QStringLiteral("Start without reopening the radio windows of the last "
                                                      "run."));
    parser.addOption(noRestore);
    if (!parser.parse(arguments)) {
        if (!reportErrors)
            return CommandLine::Run;
        print(stderr, QStringLiteral("tsln: %1\n").arg(parser.errorText()));
        return CommandLine::Failed;
    }
    ProgramFiles::setArtDir(parser.value(artDir));
    if (reopenRadios)
        *reopenRadios = !parser.isSet(noRestore);
    if (parser.isSet(help)) {
        // The usage line names the program as it is typed, not by its full path.
        QString text = parser.helpText();
        if (!arguments.isEmpty())
            text.replace(QStringLiteral("Usage: ") + arguments.first(), QStringLiteral("Usage: tsln"));
        print(stdout, text);
        return CommandLine::Done;
    }
    if (parser.isSet(version)) {
        print(stdout, QStringLiteral("tsln %1\n").arg(programVersion()));
        return CommandLine::Done;
    }
    if (parser.isSet(paths)) {
        print(stdout, pathsText());
        return CommandLine::Done;
    }
    if (!parser.positionalArguments().isEmpty()) {
        print(stderr,
              QStringLiteral("tsln: unexpected argument '%1'\n").arg(parser.positionalArguments().first()));
        return CommandLine::Failed;
    }
    return CommandLine::Run;
}

}  // namespace

std::unique_ptr<TMainFORM> createSharedWindows() { return std::make_unique<TMainFORM>(); }

int runTessaline(int argc, char** argv)
{
    // A first look without the window system, so --help and --version answer
    // on a terminal without a display.
    {
        QCoreApplication terminal(argc, argv);
        switch (answerCommandLine(terminal.arguments(), false)) {
        case CommandLine::Done: return 0;
        case CommandLine::Failed: return 2;
        case CommandLine::Run: break;
        }
    }
    TApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TSLN"));
    QApplication::setApplicationVersion(programVersion());
    QApplication::setWindowIcon(programIcon());
    bool reopenRadios = true;
    switch (answerCommandLine(app.arguments(), true, &reopenRadios)) {
    case CommandLine::Done: return 0;
    case CommandLine::Failed: return 2;
    case CommandLine::Run: break;
    }
    WidgetModalHandler modal;
    Modal::setHandler(&modal);

    std::unique_ptr<TMainFORM> frame = createSharedWindows();
    QSettings settings(sessionSettingsPath(), QSettings::IniFormat);
    startSession(*frame, settings, reopenRadios);
    const int status = app.exec();
    endSession(*frame, settings);
    frame.reset();
    Modal::setHandler(nullptr);
    return status;
}
