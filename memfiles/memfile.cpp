#include "memfiles/memfile.h"

#include <fcntl.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>

namespace {

constexpr char CtrlZ = 0x1A;

MemRecord splitLine(const char* begin, const char* end)
{
    MemRecord record;
    QString* const leading[] = {&record.Freq, &record.Mode, &record.Duplex};
    const char* rest = begin;
    for (QString* field : leading) {
        const auto* comma = static_cast<const char*>(std::memchr(rest, ',', end - rest));
        if (!comma)
            break;  // fields the line does not reach stay empty
        *field = QString::fromLatin1(rest, comma - rest);
        rest = comma + 1;
    }
    record.Description = QString::fromLatin1(rest, end - rest);
    return record;
}

void appendLatin1(QByteArray& out, const QString& text) { out.append(text.toLatin1()); }

}  // namespace

MemRecords readMemFile(QByteArrayView bytes, const std::function<void(int)>& onLine)
{
    MemRecords records;
    const char* p = bytes.data();
    const char* end = p + bytes.size();
    if (p == end)
        return records;
    if (const auto* z = static_cast<const char*>(std::memchr(p, CtrlZ, end - p)))
        end = z;

    while (p < end) {
        const char* eol = p;
        while (eol < end && *eol != '\r' && *eol != '\n')
            ++eol;
        records.push_back(splitLine(p, eol));
        if (onLine)
            onLine(static_cast<int>(records.size()));
        p = eol;
        if (p < end) {
            const bool cr = *p == '\r';
            ++p;
            if (cr && p < end && *p == '\n')
                ++p;
        }
    }
    return records;
}

QByteArray writeMemFile(const MemRecords& records)
{
    QByteArray out;
    qsizetype size = 0;
    for (const MemRecord& r : records)
        size += r.Freq.size() + r.Mode.size() + r.Duplex.size() + r.Description.size() + 5;
    out.reserve(size);
    for (const MemRecord& r : records) {
        appendLatin1(out, r.Freq);
        out.append(',');
        appendLatin1(out, r.Mode);
        out.append(',');
        appendLatin1(out, r.Duplex);
        out.append(',');
        appendLatin1(out, r.Description);
        out.append("\r\n", 2);
    }
    return out;
}

QString memFileSaveName(const QString& chosen)
{
    if (chosen.contains(QLatin1String(".mem"), Qt::CaseSensitive))
        return chosen;
    return chosen + QLatin1String(".mem");
}

bool loadMemFile(const QString& fileName, QByteArray* bytes, QString* error)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return false;
    }
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = file.errorString();
        return false;
    }
    *bytes = std::move(data);
    return true;
}

namespace {

// Writes bytes at the start of the open file; false, with errno set, when not all
// got there (*done says how far it came).
bool writeAt(int fd, const QByteArray& bytes, qint64* done)
{
    *done = 0;
    while (*done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.constData() + *done, size_t(bytes.size() - *done), *done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        *done += n;
    }
    return true;
}

QString systemError(int e) { return QString::fromLocal8Bit(std::strerror(e)); }

// Straight into the file: what is left when no temporary file can be made beside
// it. The file is never cut before the new bytes are all in, and when they do
// not all get there the old bytes are put back where they were overwritten, so
// the file is never shorter than its old content and, after a failure, holds it
// again. The text for a failure says what became of the file.
bool writeInPlace(const QString& fileName, const QByteArray& bytes, QString* error)
{
    QByteArray old;
    QString why;
    if (!loadMemFile(fileName, &old, &why)) {
        *error = QStringLiteral("it is not written in place, as its old content cannot be read to keep (%1)")
                     .arg(why);
        return false;
    }
    const int fd = ::open(QFile::encodeName(fileName).constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        *error = QStringLiteral("writing it in place failed too (%1); the file is unchanged")
                     .arg(systemError(errno));
        return false;
    }
    qint64 written = 0;
    bool ok = writeAt(fd, bytes, &written);
    int e = errno;
    if (ok && bytes.size() < old.size() && ::ftruncate(fd, bytes.size()) != 0) {
        ok = false;
        e = errno;
    }
    if (ok && ::fsync(fd) != 0) {
        ok = false;
        e = errno;
    }
    if (ok) {
        ::close(fd);
        return true;
    }

    // Back to the old content: the part overwritten, and the length if it grew.
    qint64 restored = 0;
    const QByteArray overwritten = old.left(qMin(written, qint64(old.size())));
    const bool back =
        writeAt(fd, overwritten, &restored) && (written <= old.size() || ::ftruncate(fd, old.size()) == 0);
    const int backError = errno;
    ::close(fd);
    *error = back ? QStringLiteral("writing it in place failed too (%1); its old content was put back")
                        .arg(systemError(e))
                  : QStringLiteral(
                        "writing it in place failed too (%1), and putting its old content back "
                        "failed (%2)")
                        .arg(systemError(e), systemError(backError));
    return false;
}

}  // namespace

bool saveMemFile(const QString& fileName, const QByteArray& bytes, QString* error)
{
    QSaveFile file(fileName);
    if (file.open(QIODevice::WriteOnly)) {
        if (file.write(bytes) != bytes.size() || !file.flush()) {
            *error = file.errorString();
            file.cancelWriting();
            return false;
        }
        if (file.commit())
            return true;
        // Only a file that was written whole but could not take the old one's place
        // goes on below: after a failed write the old file must stay as it was.
        if (file.error() == QFileDevice::WriteError) {
            *error = file.errorString();
            return false;
        }
    }
    const QString why = file.errorString();
    // A folder that takes no new files (read-only, shared with others) leaves no
    // room for the temporary file, while the file itself may still be writable.
    if (!QFileInfo(fileName).isFile()) {
        *error = why;
        return false;
    }
    QString inPlace;
    if (writeInPlace(fileName, bytes, &inPlace))
        return true;
    *error = QStringLiteral("no temporary file can be made beside it (%1), and %2").arg(why, inPlace);
    return false;
}
