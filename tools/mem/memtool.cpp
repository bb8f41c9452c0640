#include "tools/mem/memtool.h"

#include <QTextStream>
#include <climits>

#include "memfiles/channelcsv.h"
#include "memfiles/memfile.h"

namespace {

const char* const Usage =
    "usage: tsln-mem import LIST.csv OUT.mem   channel list (CSV) to memory file\n"
    "       tsln-mem export IN.mem OUT.csv     memory file to channel list (CSV)\n"
    "       tsln-mem show FILE                 the channels of a memory file or a .csv list\n"
    "       tsln-mem --version\n"
    "Exit status 0 when everything came over, 1 when something was dropped or\n"
    "changed (a summary goes to standard error), 2 when the input cannot be read.\n";

bool isCsvName(const QString& name) { return name.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive); }

class Tool {
public:
    Tool(QTextStream& out, QTextStream& err) : out_(out), err_(err) {}

    int importCsv(const QString& from, const QString& to)
    {
        CsvImport list;
        if (!readCsvList(from, &list))
            return MemToolFailed;
        std::vector<CsvProblem> unsaved = latin1Losses(list.records);
        if (!write(to, writeMemFile(list.records)))
            return MemToolFailed;
        if (list.complete() && unsaved.empty())
            return MemToolDone;
        err_ << from << ": " << list.summary(INT_MAX);
        for (const CsvProblem& p : unsaved)
            err_ << "  channel " << p.line << ": " << p.reason << '\n';
        return MemToolLossy;
    }

    int exportCsv(const QString& from, const QString& to)
    {
        MemRecords records;
        if (!readMem(from, &records))
            return MemToolFailed;
        const CsvExport list = exportChannelCsv(records);
        if (!write(to, list.bytes))
            return MemToolFailed;
        if (list.complete())
            return MemToolDone;
        err_ << from << ": " << list.summary(INT_MAX);
        return MemToolLossy;
    }

    int show(const QString& name)
    {
        if (!isCsvName(name)) {
            MemRecords records;
            if (!readMem(name, &records))
                return MemToolFailed;
            table(records);
            return MemToolDone;
        }
        CsvImport list;
        if (!readCsvList(name, &list))
            return MemToolFailed;
        table(list.records);
        if (list.complete())
            return MemToolDone;
        err_ << name << ": " << list.summary(INT_MAX);
        return MemToolLossy;
    }

private:
    bool read(const QString& name, QByteArray* bytes)
    {
        QString why;
        if (loadMemFile(name, bytes, &why))
            return true;
        err_ << "tsln-mem: cannot read " << name << ": " << why << '\n';
        return false;
    }

    bool readMem(const QString& name, MemRecords* records)
    {
        QByteArray bytes;
        if (!read(name, &bytes))
            return false;
        *records = readMemFile(bytes);
        return true;
    }

    bool readCsvList(const QString& name, CsvImport* list)
    {
        QByteArray bytes;
        if (!read(name, &bytes))
            return false;
        *list = importChannelCsv(bytes);
        if (list->readable)
            return true;
        err_ << "tsln-mem: " << name << " line " << list->problem.line << ": " << list->problem.reason
             << '\n';
        return false;
    }

    bool write(const QString& name, const QByteArray& bytes)
    {
        QString why;
        if (saveMemFile(name, bytes, &why))
            return true;
        err_ << "tsln-mem: cannot write " << name << ": " << why << '\n';
        return false;
    }

    // A memory file holds one byte a character: anything else is saved as "?".
    static std::vector<CsvProblem> latin1Losses(const MemRecords& records)
    {
        std::vector<CsvProblem> losses;
        for (size_t i = 0; i < records.size(); ++i) {
            for (QChar c : records[i].Description) {
                if (c.unicode() > 0xFF) {
                    losses.push_back(
                        {static_cast<int>(i + 1),
                         QStringLiteral("characters a memory file cannot hold are saved as \"?\"")});
                    break;
                }
            }
        }
        return losses;
    }

    void table(const MemRecords& records)
    {
        const QStringList header = {QStringLiteral("Channel"), QStringLiteral("Freq"), QStringLiteral("Mode"),
                                    QStringLiteral("Duplex"), QStringLiteral("Description")};
        qsizetype width[4] = {header[0].size(), header[1].size(), header[2].size(), header[3].size()};
        width[0] = std::max(width[0], QString::number(records.size()).size());
        for (const MemRecord& r : records) {
            width[1] = std::max(width[1], r.Freq.size());
            width[2] = std::max(width[2], r.Mode.size());
            width[3] = std::max(width[3], r.Duplex.size());
        }
        auto line = [&](const QString& n, const QString& f, const QString& m, const QString& o,
                        const QString& d) {
            QString text = n.leftJustified(width[0]) + QLatin1String("  ") + f.leftJustified(width[1]) +
                           QLatin1String("  ") + m.leftJustified(width[2]) + QLatin1String("  ") +
                           o.leftJustified(width[3]) + QLatin1String("  ") + d;
            qsizetype end = text.size();
            while (end > 0 && text[end - 1] == QLatin1Char(' '))
                --end;
            text.truncate(end);
            out_ << text << '\n';
        };
        line(header[0], header[1], header[2], header[3], header[4]);
        for (size_t i = 0; i < records.size(); ++i) {
            const MemRecord& r = records[i];
            line(QString::number(i + 1), r.Freq, r.Mode, r.Duplex, r.Description);
        }
    }

    QTextStream& out_;
    QTextStream& err_;
};

}  // namespace

int runMemTool(const QStringList& args, QTextStream& out, QTextStream& err)
{
    const QString command = args.value(0);
    if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
        out << Usage;
        return MemToolDone;
    }
    Tool tool(out, err);
    if (command == QLatin1String("import") && args.size() == 3)
        return tool.importCsv(args[1], args[2]);
    if (command == QLatin1String("export") && args.size() == 3)
        return tool.exportCsv(args[1], args[2]);
    if (command == QLatin1String("show") && args.size() == 2)
        return tool.show(args[1]);
    err << Usage;
    return MemToolFailed;
}
