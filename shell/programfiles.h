#pragma once

#include <QString>
#include <QStringList>

// Where the program looks for the files it loads while it runs: the panel-art
// libraries and the help file. Each is looked for in the program's own folder
// (a build folder, or a program unpacked in one place), then in the installed
// folder beside it (../lib/tessaline/art for libraries, ../share/tessaline for the
// help file). Libraries are code: they are never looked for in the current
// folder, only in a folder the operator names (tsln --art-dir), which comes first.
// The help file, which is only read, is also looked for in the current folder.
class ProgramFiles {
public:
    ProgramFiles(const QString& programDir, const QString& libraryDir, const QString& dataDir,
                 const QString& currentDir, const QString& artDir = QString());

    // The folders of the running program.
    static ProgramFiles running();
    // The folder named by --art-dir, looked in first by running(); empty for none.
    static void setArtDir(const QString& dir);

    QStringList libraryFolders() const;
    QStringList dataFolders() const;

    // The absolute path of the first file of exactly this name in the folders,
    // or empty when none holds it.
    QString findLibrary(const QString& fileName) const;
    QString findData(const QString& fileName) const;

    QString programDir() const { return programDir_; }

private:
    QString programDir_;
    QString libraryDir_;
    QString dataDir_;
    QString currentDir_;
    QString artDir_;
};

// The first folder holding a file of exactly this name, as an absolute file path;
// empty when none does.
QString findFileIn(const QStringList& folders, const QString& fileName);

// The program's version, as the build gives it.
QString programVersion();
