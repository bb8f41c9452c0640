#include "memory/memorygrid.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionHeader>

namespace {
constexpr int ChannelWidth = 64;
constexpr int ColumnWidths[] = {64, 64, 64, 285};
constexpr int RowHeight = 18;
}  // namespace

MemoryGrid::MemoryGrid(QWidget* parent) : QTableView(parent)
{
    setObjectName(QStringLiteral("SGMemory"));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(true);
    setShowGrid(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);

    QHeaderView* top = horizontalHeader();
    top->setSectionsClickable(false);
    top->setHighlightSections(false);
    top->setSectionResizeMode(QHeaderView::Fixed);
    top->setMinimumSectionSize(1);
    top->setStretchLastSection(false);

    QHeaderView* side = verticalHeader();
    side->setSectionResizeMode(QHeaderView::Fixed);
    side->setMinimumSectionSize(1);
    side->setDefaultSectionSize(RowHeight);
    side->setFixedWidth(ChannelWidth);
    side->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    side->setHighlightSections(false);
    side->setSectionsClickable(true);
    side->setSectionsMovable(true);
    connect(side, &QHeaderView::sectionMoved, this, &MemoryGrid::sectionMoved);

    // The button over the channel column carries the column's caption.
    corner_ = findChild<QAbstractButton*>();
    if (corner_)
        corner_->installEventFilter(this);
}

int MemoryGrid::currentRow() const
{
    const QModelIndex index = currentIndex();
    return index.isValid() ? index.row() : -1;
}

void MemoryGrid::setCurrentRow(int row)
{
    if (!model() || row < 0 || row >= model()->rowCount()) {
        setCurrentIndex({});
        return;
    }
    const int column = std::max(currentIndex().column(), 0);
    setCurrentIndex(model()->index(row, column));
}

void MemoryGrid::setModel(QAbstractItemModel* model)
{
    disconnect(resetConnection_);
    QTableView::setModel(model);
    if (model)
        resetConnection_ =
            connect(model, &QAbstractItemModel::modelReset, this, &MemoryGrid::applyColumnWidths);
    applyColumnWidths();
}

void MemoryGrid::applyColumnWidths()
{
    // A reset of the model gives the header its default sizes again. The
    // frequency column is widened when the font would cut a frequency text.
    const int freqWidth = fontMetrics().horizontalAdvance(QStringLiteral("0000.000.000")) + 8;
    for (int i = 0; i < horizontalHeader()->count() && i < int(std::size(ColumnWidths)); ++i)
        horizontalHeader()->resizeSection(i, i == 0 ? std::max(ColumnWidths[i], freqWidth) : ColumnWidths[i]);
}

void MemoryGrid::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Insert: emit insertPressed(); return;
    case Qt::Key_Delete: emit deletePressed(); return;
    default: QTableView::keyPressEvent(event);
    }
}

bool MemoryGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == corner_ && event->type() == QEvent::Paint) {
        QStyleOptionHeader option;
        option.initFrom(corner_);
        option.rect = corner_->rect();
        option.position = QStyleOptionHeader::OnlyOneSection;
        option.text = QStringLiteral("Channel");
        option.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
        // The button is disabled (it would select everything) but reads like a caption.
        option.state |= QStyle::State_Enabled;
        option.palette.setCurrentColorGroup(QPalette::Active);
        QPainter painter(corner_);
        corner_->style()->drawControl(QStyle::CE_Header, &option, &painter, corner_);
        return true;
    }
    return QTableView::eventFilter(watched, event);
}

void MemoryGrid::sectionMoved(int, int oldVisual, int newVisual)
{
    if (restoring_)
        return;
    // The header only shows the move; the records themselves are reordered by the
    // owner, so the header goes back to showing rows in their own order.
    restoring_ = true;
    verticalHeader()->moveSection(newVisual, oldVisual);
    restoring_ = false;
    emit rowMoved(oldVisual, newVisual);
}
