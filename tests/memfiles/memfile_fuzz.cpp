#include <QByteArray>
#include <cstdint>
#include <cstdlib>

#include "memfiles/memfile.h"

namespace {

void check(bool ok)
{
    if (!ok)
        std::abort();
}

bool holdsLineEnd(const QString& text)
{
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n')) || text.contains(QChar(0x1A));
}

// A file written the way the program writes it: CR LF after every line, at
// least three commas in each, no Ctrl-Z.
bool isCanonical(const QByteArray& bytes)
{
    if (bytes.contains('\x1A'))
        return false;
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype cr = bytes.indexOf('\r', start);
        if (cr < 0 || cr + 1 >= bytes.size() || bytes.at(cr + 1) != '\n')
            return false;
        const QByteArray line = bytes.mid(start, cr - start);
        if (line.contains('\n') || line.count(',') < 3)
            return false;
        start = cr + 2;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    int lines = 0;
    const MemRecords records = readMemFile(bytes, [&lines](int n) {
        check(n == lines + 1);
        lines = n;
    });
    check(lines == static_cast<int>(records.size()));
    check(records.size() <= size);

    for (const MemRecord& r : records) {
        check(!holdsLineEnd(r.Freq) && !holdsLineEnd(r.Mode) && !holdsLineEnd(r.Duplex) &&
              !holdsLineEnd(r.Description));
        check(!r.Freq.contains(QLatin1Char(',')) && !r.Mode.contains(QLatin1Char(',')) &&
              !r.Duplex.contains(QLatin1Char(',')));
    }

    // Whatever was read comes back unchanged through a save and a load.
    const QByteArray written = writeMemFile(records);
    check(readMemFile(written) == records);
    check(isCanonical(written));
    // A file already in the program's own form is saved back byte for byte.
    if (isCanonical(bytes))
        check(written == bytes);
    return 0;
}
