#pragma once

#include <QAbstractTableModel>

#include "memfiles/memfile.h"

// The records of a memory list. Columns are Freq, Mode, Duplex and Description;
// the vertical header is the channel number, which is always the row's position
// counted from 1.
class MemoryModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { FreqColumn, ModeColumn, DuplexColumn, DescriptionColumn, ColumnCount };

    explicit MemoryModel(QObject* parent = nullptr);

    int count() const { return static_cast<int>(records_.size()); }
    const MemRecords& records() const { return records_; }
    // The record at row, or a blank one for a row outside the list.
    MemRecord recordAt(int row) const;

    // A record equal to the one there changes nothing.
    void setRecord(int row, const MemRecord& record);
    // Rows up to n keep their contents, rows beyond are dropped, new rows are blank.
    void resize(int n);
    // A blank row at row; the rows from there on move one down.
    void insertBlank(int row);
    void removeAt(int row);
    // Moves the record at from so that it ends up at row to.
    void moveRecord(int from, int to);
    void replaceAll(MemRecords records);
    // Tells the views that the channel numbers may read differently.
    void renumber();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    MemRecords records_;
};
