#include "platform/forms/ListItemDelegate.h"
#include <QListWidget>

ListItemDelegate::ListItemDelegate(QObject* parent, PaintRow paint, SizeRow size)
    : QStyledItemDelegate(parent), FPaint(std::move(paint)), FSize(std::move(size))
{
}

void ListItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    FPaint(painter, option, index.row());
}

QSize ListItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    return FSize(option, index.row());
}

TOwnerDrawState ListRowState(const QListWidget* list, int row, bool enabled)
{
    TOwnerDrawState state;
    if (list->item(row)->isSelected())
        state << odSelected;
    if (list->hasFocus() && list->currentRow() == row)
        state << odFocused;
    if (!enabled)
        state << odDisabled;
    return state;
}
