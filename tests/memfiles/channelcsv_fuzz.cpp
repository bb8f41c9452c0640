#include <QByteArray>
#include <cstdint>
#include <cstdlib>

#include "memfiles/channelcsv.h"

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

bool isRecordMode(const QString& mode)
{
    for (const char* m : {"", "FM", "WFM", "AM", "USB", "LSB", "CW", "CWn", "RTTY"})
        if (mode == QLatin1String(m))
            return true;
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    std::vector<CsvProblem> problems;
    const std::vector<CsvRow> rows = readCsv(bytes, &problems);
    int previous = 0;
    for (const CsvRow& row : rows) {
        check(row.line > previous);
        previous = row.line;
    }

    const CsvImport list = importChannelCsv(bytes);
    if (!list.readable) {
        check(list.records.empty() && list.problem.line >= 1);
        return 0;
    }
    check(list.records.size() <= static_cast<size_t>(MaxCsvLocation));
    check(list.channels <= static_cast<int>(list.records.size()));
    check(list.records.empty() || !list.records.back().Freq.isEmpty());
    int filled = 0;
    for (const MemRecord& r : list.records) {
        if (r.Freq.isEmpty()) {
            check(r == MemRecord{});
            continue;
        }
        ++filled;
        check(!freqTextToCsvFrequency(r.Freq).isEmpty());
        check(isRecordMode(r.Mode));
        check(r.Duplex == QLatin1String("NONE") || r.Duplex == QLatin1String("PLUS") ||
              r.Duplex == QLatin1String("MINUS"));
        check(!holdsLineEnd(r.Description));
    }
    check(filled == list.channels);

    // What was imported goes out and comes back whole.
    const CsvExport out = exportChannelCsv(list.records);
    check(out.complete() && out.channels == list.channels);
    const CsvImport again = importChannelCsv(out.bytes);
    check(again.readable && again.complete());
    check(again.records == list.records);
    return 0;
}
