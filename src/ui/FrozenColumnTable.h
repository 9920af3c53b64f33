#pragma once

// A table view whose first column stays in place while the others scroll
// sideways, after Qt's frozen column example: a second view, showing only
// that column of the same model, lies over it and follows its rows, its
// scrolling and its column width. The vertical header (the rows' titles)
// stays in place anyway. Everything that reads the table reads this view,
// which holds every column.

#include <QTableView>

namespace rollwerk {

class FrozenColumnTable : public QTableView {
    Q_OBJECT

public:
    explicit FrozenColumnTable(QWidget *parent = nullptr);

    void setModel(QAbstractItemModel *model) override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    // The headers' sizes change with their texts: the frozen view follows.
    void updateGeometries() override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;

private:
    void ShowFirstColumnOnly();
    void PlaceFrozenView();

    QTableView *frozen_;
};

} // namespace rollwerk
