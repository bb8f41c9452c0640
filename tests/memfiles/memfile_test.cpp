#include "memfiles/memfile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <climits>
#include <csignal>

#include "printers.h"
#include "support/lockedpath.h"

namespace {

MemRecord rec(const char* f, const char* m, const char* o, const QString& d)
{
    return {QString::fromLatin1(f), QString::fromLatin1(m), QString::fromLatin1(o), d};
}

QByteArray readAll(const QString& name)
{
    QFile f(name);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

void writeAll(const QString& name, const QByteArray& bytes)
{
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

}  // namespace

TEST(MemFileWriter, OneLinePerRecordWithThreeCommasAndCrLf)
{
    const MemRecords records = {
        rec("145.500.000", "FM", "MINUS", "Club repeater"),
        rec("BLANK", "", "", ""),
        rec("", "", "", ""),
    };
    EXPECT_EQ(writeMemFile(records), QByteArray("145.500.000,FM,MINUS,Club repeater\r\nBLANK,,,\r\n,,,\r\n"));
    EXPECT_TRUE(writeMemFile({}).isEmpty());
}

TEST(MemFileWriter, FieldsAreWrittenAsTheyStand)
{
    // No quoting, trimming or padding; spaces of unfilled places stay.
    const MemRecords records = {rec(" 14.2  .   ", "cwn", "plus", " a, b ,c ")};
    EXPECT_EQ(writeMemFile(records), QByteArray(" 14.2  .   ,cwn,plus, a, b ,c \r\n"));
}

TEST(MemFileWriter, EveryByteIsOneCharacter)
{
    QString high;
    for (int c = 0x80; c <= 0xFF; ++c)
        high += QChar(c);
    const QByteArray bytes = writeMemFile({rec("1", "2", "3", high)});
    QByteArray expected("1,2,3,");
    for (int c = 0x80; c <= 0xFF; ++c)
        expected += char(c);
    expected += "\r\n";
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(readMemFile(bytes).at(0).Description, high);
}

TEST(MemFileReader, EmptyFileHasNoRecords)
{
    EXPECT_TRUE(readMemFile(QByteArray()).empty());
    EXPECT_TRUE(readMemFile(QByteArray("\x1A")).empty());
}

TEST(MemFileReader, FinalLineEndAddsNoRecordButAnEmptyLineDoes)
{
    const MemRecords withEnd = readMemFile(QByteArray("145.500.000,FM,NONE,a\r\n"));
    ASSERT_EQ(withEnd.size(), 1u);
    EXPECT_EQ(withEnd[0], rec("145.500.000", "FM", "NONE", "a"));

    const MemRecords withoutEnd = readMemFile(QByteArray("1,2,3,a\r\n4,5,6,b"));
    ASSERT_EQ(withoutEnd.size(), 2u);
    EXPECT_EQ(withoutEnd[1], rec("4", "5", "6", "b"));

    const MemRecords trailingEmpty = readMemFile(QByteArray("1,2,3,a\r\n\r\n"));
    ASSERT_EQ(trailingEmpty.size(), 2u);
    EXPECT_EQ(trailingEmpty[1], MemRecord{});
}

TEST(MemFileReader, FieldsALineDoesNotReachAreEmpty)
{
    const MemRecords records =
        readMemFile(QByteArray("145.500.000,FM\r\nno commas\r\n\r\n7,8,9,x\r\n1,2\r\n"));
    ASSERT_EQ(records.size(), 5u);
    EXPECT_EQ(records[0], rec("145.500.000", "", "", "FM"));
    // Neither a line without commas nor an empty line copies the line before it.
    EXPECT_EQ(records[1], rec("", "", "", "no commas"));
    EXPECT_EQ(records[2], MemRecord{});
    EXPECT_EQ(records[3], rec("7", "8", "9", "x"));
    EXPECT_EQ(records[4], rec("1", "", "", "2"));
}

TEST(MemFileReader, DescriptionIsTheWholeRestOfTheLine)
{
    const QString long600 = QString(600, QLatin1Char('d'));
    const MemRecords records =
        readMemFile("145.500.000,FM,NONE," + long600.toLatin1() + "\r\n1,2,3,a,b,,c\r\n");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].Description, long600);
    EXPECT_EQ(records[1].Description, QStringLiteral("a,b,,c"));
}

TEST(MemFileReader, LineEnds)
{
    // LF alone, CR alone and CR LF each end a line; LF CR is two line ends.
    const MemRecords records = readMemFile(QByteArray("a\nb\rc\r\nd\n\re"));
    std::vector<QString> descriptions;
    for (const MemRecord& r : records)
        descriptions.push_back(r.Description);
    EXPECT_EQ(descriptions, (std::vector<QString>{"a", "b", "c", "d", "", "e"}));
}

TEST(MemFileReader, LfOnlyFileLoadsOneRecordPerLine)
{
    const MemRecords records =
        readMemFile(QByteArray("145.500.000,FM,MINUS,Club\n146.520.000,FM,NONE,Simplex\n"));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1], rec("146.520.000", "FM", "NONE", "Simplex"));
}

TEST(MemFileReader, CtrlZEndsTheFileEvenInsideALine)
{
    const MemRecords records =
        readMemFile(QByteArray("1,2,3,a\r\n4,5,6,b\x1A"
                               "c\r\n7,8,9,d\r\n"));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1], rec("4", "5", "6", "b"));
    EXPECT_EQ(readMemFile(QByteArray("1,2,3,a\r\n\x1A")).size(), 1u);
}

TEST(MemFileReader, ReportsEveryLineNumber)
{
    std::vector<int> lines;
    readMemFile(QByteArray("a\r\nb\r\n\r\nc"), [&](int n) { lines.push_back(n); });
    EXPECT_EQ(lines, (std::vector<int>{1, 2, 3, 4}));
}

TEST(MemFileReader, SavedRecordsComeBackUnchanged)
{
    const MemRecords records = {
        rec("145.500.000", "FM", "MINUS", "Club repeater, north"),
        rec("BLANK", "", "", "kept"),
        rec("   .   .   ", "CWn", "NONE", QString(2000, QLatin1Char('x'))),
        rec("", "", "", ""),
    };
    EXPECT_EQ(readMemFile(writeMemFile(records)), records);
}

TEST(MemFileNames, MemIsAppendedUnlessTheNameContainsIt)
{
    EXPECT_EQ(memFileSaveName("radio"), QStringLiteral("radio.mem"));
    EXPECT_EQ(memFileSaveName("radio.MEM"), QStringLiteral("radio.MEM.mem"));
    EXPECT_EQ(memFileSaveName("a.memo.txt"), QStringLiteral("a.memo.txt"));
    EXPECT_EQ(memFileSaveName("x.mem.bak"), QStringLiteral("x.mem.bak"));
    EXPECT_EQ(memFileSaveName("/tmp/dir.mem/list"), QStringLiteral("/tmp/dir.mem/list"));
}

TEST(MemFileIo, SaveAndLoadAreByteExact)
{
    QTemporaryDir dir;
    const QString name = dir.filePath("list.mem");
    QByteArray bytes;
    for (int c = 0; c < 256; ++c)
        bytes += char(c);
    QString error;
    ASSERT_TRUE(saveMemFile(name, bytes, &error)) << error.toStdString();
    EXPECT_EQ(readAll(name), bytes);
    QByteArray back;
    ASSERT_TRUE(loadMemFile(name, &back, &error));
    EXPECT_EQ(back, bytes);
}

TEST(MemFileIo, LoadFailureSaysWhy)
{
    QTemporaryDir dir;
    QByteArray bytes("untouched");
    QString error;
    EXPECT_FALSE(loadMemFile(dir.filePath("missing.mem"), &bytes, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(bytes, QByteArray("untouched"));
}

TEST(MemFileIo, SaveIntoMissingFolderFails)
{
    QTemporaryDir dir;
    QString error;
    EXPECT_FALSE(saveMemFile(dir.filePath("no/such/list.mem"), "x", &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(MemFileIo, FailedSaveLeavesTheOldFileAsItWas)
{
    QTemporaryDir dir;
    const QString name = dir.filePath("list.mem");
    const QByteArray old("145.500.000,FM,MINUS,Club\r\n");
    writeAll(name, old);

    // A file-size limit makes the write fail part way, as a full disk would.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString error;
    const bool ok = saveMemFile(name, QByteArray(100000, 'x'), &error);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldSignal);

    EXPECT_FALSE(ok);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readAll(name), old);
    // No temporary file is left behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"list.mem"});
}

// A name as long as a name may be leaves no room for the temporary file's suffix:
// a folder that takes no new file of that name, which root cannot escape either.
QString longestName(const QTemporaryDir& dir) { return dir.filePath(QString(NAME_MAX - 4, 'l') + ".mem"); }

TEST(MemFileIo, FileWithNoRoomForATemporaryFileIsWrittenInPlace)
{
    QTemporaryDir dir;
    const QString name = longestName(dir);
    writeAll(name, "old contents that are longer than the new\r\n");
    QString error;
    EXPECT_TRUE(saveMemFile(name, "145.500.000,FM,MINUS,Club\r\n", &error)) << error.toStdString();
    EXPECT_EQ(readAll(name), QByteArray("145.500.000,FM,MINUS,Club\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

TEST(MemFileIo, AnInPlaceWriteThatFailsPartWayPutsTheOldContentBack)
{
    QTemporaryDir dir;
    const QString name = dir.filePath("list.mem");
    const QByteArray old(8000, 'o');
    writeAll(name, old);
    // No temporary file can be made in the folder: the file is written in place.
    const LockedPath folder(dir.path());
    if (!folder.locked())
        GTEST_SKIP() << "running as root without the right to set the immutable flag";

    // A file-size limit stops the write part way, as a full disk would.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString longer, shorter;
    const bool longerOk = saveMemFile(name, QByteArray(100000, 'x'), &longer);
    const QByteArray afterLonger = readAll(name);
    const bool shorterOk = saveMemFile(name, QByteArray(6000, 'y'), &shorter);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldSignal);

    EXPECT_FALSE(longerOk);
    EXPECT_EQ(afterLonger, old);
    EXPECT_TRUE(longer.startsWith("no temporary file can be made beside it (")) << longer.toStdString();
    EXPECT_TRUE(longer.endsWith("; its old content was put back")) << longer.toStdString();
    EXPECT_FALSE(shorterOk);
    EXPECT_TRUE(shorter.endsWith("; its old content was put back")) << shorter.toStdString();
    EXPECT_EQ(readAll(name), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

TEST(MemFileIo, WhenWritingInPlaceFailsTooBothReasonsAreGiven)
{
    // A running program cannot be opened for writing, not even by root.
    QTemporaryDir dir;
    const QString name = longestName(dir);
    const QString sleep = QStandardPaths::findExecutable("sleep");
    ASSERT_FALSE(sleep.isEmpty());
    ASSERT_TRUE(QFile::copy(sleep, name));
    QProcess running;
    running.start(name, {"60"});
    ASSERT_TRUE(running.waitForStarted(10000)) << running.errorString().toStdString();
    QString error;
    const bool ok = saveMemFile(name, "145.500.000,FM,MINUS,Club\r\n", &error);
    running.kill();
    running.waitForFinished(10000);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(error.startsWith("no temporary file can be made beside it (")) << error.toStdString();
    EXPECT_TRUE(error.contains("), and writing it in place failed too (")) << error.toStdString();
    EXPECT_TRUE(error.endsWith("; the file is unchanged")) << error.toStdString();
}

TEST(MemFileIo, FileInAReadOnlyFolderIsWrittenInPlace)
{
    QTemporaryDir dir;
    const QString name = dir.filePath("list.mem");
    writeAll(name, "old contents that are longer than the new\r\n");
    const LockedPath folder(dir.path());
    if (!folder.locked()) {
        // Root passes permission bits by, and only a process allowed to set the
        // immutable flag can lock a folder against it.
        GTEST_SKIP() << "running as root without the right to set the immutable flag";
    }

    QString error;
    EXPECT_TRUE(saveMemFile(name, "145.500.000,FM,MINUS,Club\r\n", &error)) << error.toStdString();
    EXPECT_EQ(readAll(name), QByteArray("145.500.000,FM,MINUS,Club\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"list.mem"});

    // A new file cannot be made there at all, and a locked file not written.
    EXPECT_FALSE(saveMemFile(dir.filePath("new.mem"), "x", &error));
    EXPECT_FALSE(error.isEmpty());
    const LockedPath file(name);
    ASSERT_TRUE(file.locked());
    error.clear();
    EXPECT_FALSE(saveMemFile(name, "y", &error));
    EXPECT_TRUE(error.contains("writing it in place failed too")) << error.toStdString();
    EXPECT_EQ(readAll(name), QByteArray("145.500.000,FM,MINUS,Club\r\n"));
}
