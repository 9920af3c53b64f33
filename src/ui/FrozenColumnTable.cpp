#include "FrozenColumnTable.h"

#include <QHeaderView>
#include <QScrollBar>

namespace rollwerk {

FrozenColumnTable::FrozenColumnTable(QWidget *parent) : QTableView(parent), frozen_(new QTableView(this))
{
    frozen_->setObjectName(QStringLiteral("FrozenColumn"));
    // The table takes the keys; the frozen view only shows.
    frozen_->setFocusPolicy(Qt::NoFocus);
    frozen_->verticalHeader()->hide();
    frozen_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setVerticalScrollMode(ScrollPerPixel);
    frozen_->setFrameShape(QFrame::NoFrame);
    frozen_->setEditTriggers(NoEditTriggers);
    setHorizontalScrollMode(ScrollPerPixel);
    setVerticalScrollMode(ScrollPerPixel);
    viewport()->stackUnder(frozen_);

    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column, int, int size) {
        if (column == 0) {
            frozen_->setColumnWidth(0, size);
            PlaceFrozenView();
        }
    });
    connect(verticalHeader(), &QHeaderView::sectionResized, this,
        [this](int row, int, int size) { frozen_->setRowHeight(row, size); });
    connect(
        frozen_->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(), &QAbstractSlider::setValue);
    connect(
        verticalScrollBar(), &QAbstractSlider::valueChanged, frozen_->verticalScrollBar(), &QAbstractSlider::setValue);
}

void FrozenColumnTable::setModel(QAbstractItemModel *model)
{
    QTableView::setModel(model);
    frozen_->setModel(model);
    frozen_->setSelectionModel(selectionModel());
    // New columns are hidden in the frozen view, whenever the model makes them.
    for (const auto signal : {&QAbstractItemModel::columnsInserted, &QAbstractItemModel::rowsInserted})
        connect(model, signal, this, &FrozenColumnTable::ShowFirstColumnOnly);
    connect(model, &QAbstractItemModel::modelReset, this, &FrozenColumnTable::ShowFirstColumnOnly);
    ShowFirstColumnOnly();
}

void FrozenColumnTable::ShowFirstColumnOnly()
{
    const int columns = model() ? model()->columnCount() : 0;
    for (int column = 0; column < columns; ++column)
        frozen_->setColumnHidden(column, column > 0);
    frozen_->setColumnWidth(0, columnWidth(0));
    const int rows = model() ? model()->rowCount() : 0;
    for (int row = 0; row < rows; ++row)
        frozen_->setRowHeight(row, rowHeight(row));
    frozen_->setVisible(columns > 0);
    PlaceFrozenView();
}

void FrozenColumnTable::PlaceFrozenView()
{
    frozen_->setGeometry(verticalHeader()->width() + frameWidth(), frameWidth(), columnWidth(0),
        viewport()->height() + horizontalHeader()->height());
    frozen_->verticalScrollBar()->setValue(verticalScrollBar()->value());
}

void FrozenColumnTable::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    PlaceFrozenView();
}

void FrozenColumnTable::updateGeometries()
{
    QTableView::updateGeometries();
    PlaceFrozenView();
}

// The keys move behind the frozen column: the table scrolls so that the cell reached is in view beside it.
QModelIndex FrozenColumnTable::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex current = QTableView::moveCursor(cursorAction, modifiers);
    if (cursorAction == MoveLeft && current.column() > 0
        && visualRect(current).topLeft().x() < frozen_->columnWidth(0)) {
        const int newValue
            = horizontalScrollBar()->value() + visualRect(current).topLeft().x() - frozen_->columnWidth(0);
        horizontalScrollBar()->setValue(newValue);
    }
    return current;
}

void FrozenColumnTable::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    if (index.column() > 0)
        QTableView::scrollTo(index, hint);
}

} // namespace rollwerk
