#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include "memfiles/memfile.h"
#include "memory/filechooser.h"
#include "memory/memopen.h"
#include "memory/memoryform.h"
#include "support/modalrecorder.h"

namespace {

constexpr int Records = 100000;

MemRecords sampleRecords()
{
    MemRecords records;
    records.reserve(Records);
    const char* modes[] = {"FM", "USB", "CWn", "LSB", "AM"};
    const char* duplexes[] = {"NONE", "MINUS", "PLUS"};
    for (int i = 0; i < Records; ++i) {
        const qint64 hz = 1800000 + qint64(i) * 12500;
        QString freq = QStringLiteral("%1").arg(hz, 9, 10, QLatin1Char('0'));
        freq.insert(6, QLatin1Char('.'));
        freq.insert(3, QLatin1Char('.'));
        records.push_back({freq, QLatin1String(modes[i % 5]), QLatin1String(duplexes[i % 3]),
                           QStringLiteral("Channel %1, club repeater").arg(i)});
    }
    return records;
}

const QByteArray& sampleFile()
{
    static const QByteArray bytes = writeMemFile(sampleRecords());
    return bytes;
}

void BM_ReadMemFile(benchmark::State& state)
{
    const QByteArray& bytes = sampleFile();
    for (auto _ : state)
        benchmark::DoNotOptimize(readMemFile(bytes));
    state.SetItemsProcessed(state.iterations() * Records);
}
BENCHMARK(BM_ReadMemFile)->Unit(benchmark::kMillisecond);

void BM_WriteMemFile(benchmark::State& state)
{
    const MemRecords records = sampleRecords();
    for (auto _ : state)
        benchmark::DoNotOptimize(writeMemFile(records));
    state.SetItemsProcessed(state.iterations() * Records);
}
BENCHMARK(BM_WriteMemFile)->Unit(benchmark::kMillisecond);

// The whole "Load From File": file dialog answered, progress window shown and
// counting, list replaced and renumbered.
void BM_WindowLoad(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("big.mem"));
    QString error;
    saveMemFile(name, sampleFile(), &error);
    MemFileChooser::setChooser([name](QWidget*, MemFileChooser::Purpose, const QString&) { return name; });
    TMemoryFORM form;
    form.show();
    for (auto _ : state) {
        form.BLoadClick();
        QCoreApplication::processEvents();
    }
    const auto* progress = form.findChild<TMemOpenFORM*>();
    const auto* count = progress ? progress->findChild<QLineEdit*>(QStringLiteral("ENumber")) : nullptr;
    if (form.NumofMemories() != Records || !count || count->text() != QString::number(Records))
        state.SkipWithError("the load did not read every line");
    MemFileChooser::setChooser({});
    state.SetItemsProcessed(state.iterations() * Records);
}
BENCHMARK(BM_WindowLoad)->Unit(benchmark::kMillisecond);

// The whole "Save to File", through the temporary file and its rename.
void BM_WindowSave(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("big.mem"));
    const QString target = dir.filePath(QStringLiteral("copy.mem"));
    QString error;
    saveMemFile(source, sampleFile(), &error);
    QString answer = source;
    MemFileChooser::setChooser(
        [&answer](QWidget*, MemFileChooser::Purpose, const QString&) { return answer; });
    TMemoryFORM form;
    form.BLoadClick();
    answer = target;
    for (auto _ : state)
        form.BSaveClick();
    QFile copy(target);
    if (!copy.open(QIODevice::ReadOnly) || copy.readAll() != sampleFile())
        state.SkipWithError("the saved file differs");
    MemFileChooser::setChooser({});
    state.SetItemsProcessed(state.iterations() * Records);
}
BENCHMARK(BM_WindowSave)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ModalRecorder modal;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
