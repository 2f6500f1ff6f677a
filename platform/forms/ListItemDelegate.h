// How a list box, the kit's list boxes and the owner-drawn combo box have Qt paint and size
// their rows: through the control's own code, which lays the row out as the class library's
// owner-drawn controls do. Also what a row's owner-draw state is.
#pragma once
#include <QStyledItemDelegate>
#include <functional>
#include "platform/forms/ListBox.h"

class ListItemDelegate : public QStyledItemDelegate {
public:
    using PaintRow = std::function<void(QPainter* painter, const QStyleOptionViewItem& option, int row)>;
    using SizeRow = std::function<QSize(const QStyleOptionViewItem& option, int row)>;

    ListItemDelegate(QObject* parent, PaintRow paint, SizeRow size);
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    PaintRow FPaint;
    SizeRow FSize;
};

// Selected, focused (the current row of a focused list) and disabled, as the row shows them.
TOwnerDrawState ListRowState(const QListWidget* list, int row, bool enabled);
