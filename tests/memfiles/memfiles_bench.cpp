#include <benchmark/benchmark.h>

#include "memfiles/channelcsv.h"

namespace {

constexpr int Lines = 50000;

// A long channel list as the programming tool writes it, quotes and all.
const QByteArray& sampleCsv()
{
    static const QByteArray bytes = [] {
        QByteArray csv =
            "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,"
            "CrossMode,Mode,TStep,Skip,Power,Comment\r\n";
        const char* modes[] = {"FM", "NFM", "USB", "CW", "AM"};
        const char* duplexes[] = {"", "+", "-"};
        for (int i = 1; i <= Lines; ++i) {
            const qint64 hz = 1800000 + qint64(i) * 12500;
            csv += QStringLiteral(
                       "%1,\"Club, %1\",%2.%3,%4,0.600000,Tone,88.5,88.5,023,NN,023,Tone->Tone,%5,"
                       "5.00,,50W,\"the \"\"%1\"\" one\"\r\n")
                       .arg(i)
                       .arg(hz / 1000000)
                       .arg(hz % 1000000, 6, 10, QLatin1Char('0'))
                       .arg(QLatin1String(duplexes[i % 3]), QLatin1String(modes[i % 5]))
                       .toUtf8();
        }
        return csv;
    }();
    return bytes;
}

void BM_ImportChannelCsv(benchmark::State& state)
{
    const QByteArray& csv = sampleCsv();
    for (auto _ : state) {
        const CsvImport list = importChannelCsv(csv);
        if (list.channels != Lines)
            state.SkipWithError("not every line was imported");
        benchmark::DoNotOptimize(list);
    }
    state.SetItemsProcessed(state.iterations() * Lines);
}
BENCHMARK(BM_ImportChannelCsv)->Unit(benchmark::kMillisecond);

void BM_ExportChannelCsv(benchmark::State& state)
{
    const MemRecords records = importChannelCsv(sampleCsv()).records;
    for (auto _ : state)
        benchmark::DoNotOptimize(exportChannelCsv(records));
    state.SetItemsProcessed(state.iterations() * Lines);
}
BENCHMARK(BM_ExportChannelCsv)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
