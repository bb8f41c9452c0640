#pragma once

#include <QTableView>

// The memory list's grid: a fixed header row, the channel numbers as a fixed
// column (the vertical header, with "Channel" over it), whole rows selected,
// no editing in place. A row is moved by dragging its channel cell; the grid
// then reports the move and leaves moving the record to its owner.
class MemoryGrid : public QTableView {
    Q_OBJECT

public:
    explicit MemoryGrid(QWidget* parent = nullptr);

    // The current row (0-based), or -1 when there is none.
    int currentRow() const;
    void setCurrentRow(int row);

    void setModel(QAbstractItemModel* model) override;

signals:
    void insertPressed();
    void deletePressed();
    void rowMoved(int from, int to);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void sectionMoved(int logical, int oldVisual, int newVisual);
    void applyColumnWidths();

    QWidget* corner_ = nullptr;
    QMetaObject::Connection resetConnection_;
    bool restoring_ = false;
};
