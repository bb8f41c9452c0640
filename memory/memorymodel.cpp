#include "memory/memorymodel.h"

#include <algorithm>

MemoryModel::MemoryModel(QObject* parent) : QAbstractTableModel(parent) {}

MemRecord MemoryModel::recordAt(int row) const
{
    if (row < 0 || row >= count())
        return {};
    return records_[row];
}

void MemoryModel::setRecord(int row, const MemRecord& record)
{
    if (row < 0 || row >= count() || records_[row] == record)
        return;
    records_[row] = record;
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

void MemoryModel::resize(int n)
{
    n = std::max(n, 0);
    const int old = count();
    if (n > old) {
        beginInsertRows({}, old, n - 1);
        records_.resize(n);
        endInsertRows();
    } else if (n < old) {
        beginRemoveRows({}, n, old - 1);
        records_.resize(n);
        endRemoveRows();
    }
}

void MemoryModel::insertBlank(int row)
{
    row = std::clamp(row, 0, count());
    beginInsertRows({}, row, row);
    records_.insert(records_.begin() + row, MemRecord{});
    endInsertRows();
}

void MemoryModel::removeAt(int row)
{
    if (row < 0 || row >= count())
        return;
    beginRemoveRows({}, row, row);
    records_.erase(records_.begin() + row);
    endRemoveRows();
}

void MemoryModel::moveRecord(int from, int to)
{
    if (from < 0 || from >= count() || to < 0 || to >= count() || from == to)
        return;
    // The destination is given as the row it goes before, counted before the move.
    beginMoveRows({}, from, from, {}, to > from ? to + 1 : to);
    MemRecord moving = std::move(records_[from]);
    records_.erase(records_.begin() + from);
    records_.insert(records_.begin() + to, std::move(moving));
    endMoveRows();
}

void MemoryModel::replaceAll(MemRecords records)
{
    beginResetModel();
    records_ = std::move(records);
    endResetModel();
}

void MemoryModel::renumber()
{
    if (count() > 0)
        emit headerDataChanged(Qt::Vertical, 0, count() - 1);
}

int MemoryModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : count(); }

int MemoryModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant MemoryModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= count())
        return {};
    const MemRecord& r = records_[index.row()];
    switch (index.column()) {
    case FreqColumn: return r.Freq;
    case ModeColumn: return r.Mode;
    case DuplexColumn: return r.Duplex;
    case DescriptionColumn: return r.Description;
    default: return {};
    }
}

QVariant MemoryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return QString::number(section + 1);
    switch (section) {
    case FreqColumn: return QStringLiteral("Freq");
    case ModeColumn: return QStringLiteral("Mode");
    case DuplexColumn: return QStringLiteral("Duplex");
    case DescriptionColumn: return QStringLiteral("Description");
    default: return {};
    }
}

Qt::ItemFlags MemoryModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}
