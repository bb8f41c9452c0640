#include "memfiles/csvtext.h"

namespace {

class Scanner {
public:
    explicit Scanner(QByteArrayView bytes) : p_(bytes.data()), end_(bytes.data() + bytes.size())
    {
        if (bytes.startsWith("\xEF\xBB\xBF"))
            p_ += 3;
    }

    bool atEnd() const { return p_ >= end_; }
    int line() const { return line_; }
    // The line the last row read ends on.
    int lastLine() const { return lastLine_; }

    // Reads one row. Returns false, with the scanner moved to the line after
    // the row's first, when a quoted field is not closed.
    bool row(QStringList* fields)
    {
        fields->clear();
        const char* const rowStart = p_;
        const int rowLine = line_;
        for (;;) {
            QByteArray field;
            bool quoted = false;
            if (p_ < end_ && *p_ == '"') {
                quoted = true;
                const int fieldLine = line_;
                // A quote that closes on a later line and is followed by more
                // text is not the field's end but the opening quote of a later
                // field: the field's own quote was never closed, and taking it
                // as closed would pull the rows between into this one.
                if (!quotedField(&field) || (line_ > fieldLine && !atFieldEnd())) {
                    skipToLineAfter(rowStart, rowLine);
                    return false;
                }
            }
            // Unquoted text, or text after a closing quote, runs to the next
            // comma or line end; quotes in it are taken as they stand.
            const char* start = p_;
            while (p_ < end_ && *p_ != ',' && *p_ != '\n' && *p_ != '\r')
                ++p_;
            if (quoted)
                field.append(start, p_ - start);
            fields->append(quoted ? QString::fromUtf8(field) : QString::fromUtf8(start, p_ - start));
            if (p_ < end_ && *p_ == ',') {
                ++p_;
                continue;
            }
            lastLine_ = line_;
            lineEnd();
            return true;
        }
    }

private:
    bool atFieldEnd() const { return p_ >= end_ || *p_ == ',' || *p_ == '\n' || *p_ == '\r'; }

    // At the opening quote: reads up to and past the closing one.
    bool quotedField(QByteArray* field)
    {
        ++p_;
        for (;;) {
            const char* start = p_;
            while (p_ < end_ && *p_ != '"') {
                if (*p_ == '\n' || (*p_ == '\r' && (p_ + 1 == end_ || p_[1] != '\n')))
                    ++line_;
                ++p_;
            }
            field->append(start, p_ - start);
            if (p_ >= end_)
                return false;
            ++p_;
            if (p_ < end_ && *p_ == '"') {
                field->append('"');
                ++p_;
                continue;
            }
            return true;
        }
    }

    void lineEnd()
    {
        if (p_ >= end_)
            return;
        if (*p_ == '\r' && p_ + 1 < end_ && p_[1] == '\n')
            ++p_;
        ++p_;
        ++line_;
    }

    void skipToLineAfter(const char* rowStart, int rowLine)
    {
        p_ = rowStart;
        line_ = rowLine;
        while (p_ < end_ && *p_ != '\n' && *p_ != '\r')
            ++p_;
        lineEnd();
    }

    const char* p_;
    const char* end_;
    int line_ = 1;
    int lastLine_ = 1;
};

bool allEmpty(const QStringList& fields)
{
    for (const QString& f : fields)
        if (!f.trimmed().isEmpty())
            return false;
    return true;
}

bool needsQuotes(const QString& field)
{
    for (QChar c : field)
        if (c == QLatin1Char(',') || c == QLatin1Char('"') || c == QLatin1Char('\r') ||
            c == QLatin1Char('\n'))
            return true;
    return false;
}

}  // namespace

void scanCsv(QByteArrayView bytes, const std::function<void(const CsvRow&)>& onRow,
             std::vector<CsvProblem>* problems)
{
    Scanner scanner(bytes);
    CsvRow row;
    while (!scanner.atEnd()) {
        row.line = scanner.line();
        if (!scanner.row(&row.fields)) {
            if (problems)
                problems->push_back({row.line, QStringLiteral("a quoted field is not closed")});
            continue;
        }
        row.lastLine = scanner.lastLine();
        if (!allEmpty(row.fields))
            onRow(row);
    }
}

std::vector<CsvRow> readCsv(QByteArrayView bytes, std::vector<CsvProblem>* problems)
{
    std::vector<CsvRow> rows;
    scanCsv(
        bytes, [&rows](const CsvRow& row) { rows.push_back(row); }, problems);
    return rows;
}

void appendCsvRow(QByteArray& out, const QStringList& fields)
{
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out.append(',');
        const QString& field = fields[i];
        if (!needsQuotes(field)) {
            out.append(field.toUtf8());
            continue;
        }
        out.append('"');
        out.append(field.toUtf8().replace('"', "\"\""));
        out.append('"');
    }
    out.append("\r\n", 2);
}
