#include "shell/programfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "shell/buildinfo.h"

namespace {

QString& chosenArtDir()
{
    static QString dir;
    return dir;
}

}  // namespace

ProgramFiles::ProgramFiles(const QString& programDir, const QString& libraryDir, const QString& dataDir,
                           const QString& currentDir, const QString& artDir)
    : programDir_(programDir),
      libraryDir_(libraryDir),
      dataDir_(dataDir),
      currentDir_(currentDir),
      artDir_(artDir)
{
}

void ProgramFiles::setArtDir(const QString& dir)
{
    chosenArtDir() = dir.isEmpty() ? QString() : QDir(dir).absolutePath();
}

ProgramFiles ProgramFiles::running()
{
    const QString program = QCoreApplication::applicationDirPath();
    const QDir dir(program);
    return ProgramFiles(program, QDir::cleanPath(dir.filePath(QStringLiteral(TSLN_LIBRARY_DIR_FROM_PROGRAM))),
                        QDir::cleanPath(dir.filePath(QStringLiteral(TSLN_DATA_DIR_FROM_PROGRAM))),
                        QDir::currentPath(), chosenArtDir());
}

QStringList ProgramFiles::libraryFolders() const
{
    QStringList folders{programDir_, libraryDir_};
    if (!artDir_.isEmpty())
        folders.prepend(artDir_);
    return folders;
}

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
