#pragma once

// List rows of the designed height, whatever the font's natural line.

#include <QStyledItemDelegate>

namespace rollwerk {

class FixedRowDelegate : public QStyledItemDelegate {
public:
    FixedRowDelegate(int rowHeight, QObject *parent) : QStyledItemDelegate(parent), rowHeight_(rowHeight) { }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), rowHeight_};
    }

private:
    int rowHeight_;
};

} // namespace rollwerk
