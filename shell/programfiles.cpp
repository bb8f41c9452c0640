#include "shell/programfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "shell/buildinfo.h"

ProgramFiles::ProgramFiles(const QString& programDir, const QString& libraryDir, const QString& dataDir,
                           const QString& currentDir)
    : programDir_(programDir), libraryDir_(libraryDir), dataDir_(dataDir), currentDir_(currentDir)
{
}

ProgramFiles ProgramFiles::running()
{
    const QString program = QCoreApplication::applicationDirPath();
    const QDir dir(program);
    return ProgramFiles(program, QDir::cleanPath(dir.filePath(QStringLiteral(TSLN_LIBRARY_DIR_FROM_PROGRAM))),
                        QDir::cleanPath(dir.filePath(QStringLiteral(TSLN_DATA_DIR_FROM_PROGRAM))),
                        QDir::currentPath());
}

QStringList ProgramFiles::libraryFolders() const { return {programDir_, libraryDir_, currentDir_}; }

QStringList ProgramFiles::dataFolders() const { return {programDir_, dataDir_, currentDir_}; }

QString ProgramFiles::findLibrary(const QString& fileName) const
{
    return findFileIn(libraryFolders(), fileName);
}

QString ProgramFiles::findData(const QString& fileName) const { return findFileIn(dataFolders(), fileName); }

QString findFileIn(const QStringList& folders, const QString& fileName)
{
    for (const QString& folder : folders) {
        if (folder.isEmpty())
            continue;
        // An exact match on a case-sensitive file system: the names must be spelt
        // as the program spells them.
        const QFileInfo info(QDir(folder), fileName);
        if (info.isFile())
            return info.absoluteFilePath();
    }
    return QString();
}

QString programVersion() { return QStringLiteral(TSLN_VERSION); }
