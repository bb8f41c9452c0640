#include "memfiles/memfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
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

// Straight into the file: what is left when no temporary file can be made beside it.
bool writeInPlace(const QString& fileName, const QByteArray& bytes, QString* error)
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() ||
        !file.flush()) {
        *error = file.errorString();
        return false;
    }
    file.close();
    if (file.error() != QFileDevice::NoError) {
        *error = file.errorString();
        return false;
    }
    return true;
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
    *error = QStringLiteral(
                 "no temporary file can be made beside it (%1), and writing it in place failed too (%2)")
                 .arg(why, inPlace);
    return false;
}
