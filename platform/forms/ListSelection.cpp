#include "platform/forms/ListSelection.h"
#include <QListWidget>
#include <QPainter>
#include <QPointer>
#include "platform/forms/HandOn.h"
#include "platform/forms/PaletteColors.h"
#include "platform/forms/QtText.h"
#include "platform/forms/WinControl.h"

namespace {

constexpr int kTextRole = Qt::UserRole;
constexpr int kObjectRole = Qt::UserRole + 1;

} // namespace

AnsiString ListItemText(const QListWidgetItem* item)
{
    QByteArray bytes = item->data(kTextRole).toByteArray();
    return AnsiString(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void SetListItemText(QListWidgetItem* item, const AnsiString& s)
{
    item->setData(kTextRole, QByteArray(s.data(), static_cast<qsizetype>(s.size())));
    item->setData(Qt::DisplayRole, ToQString(s));
}

TObject* ListItemObject(const QListWidgetItem* item)
{
    return static_cast<TObject*>(item->data(kObjectRole).value<void*>());
}

void SetListItemObject(QListWidgetItem* item, TObject* object)
{
    item->setData(kObjectRole, QVariant::fromValue(static_cast<void*>(object)));
}

int ListItemIndex(const QListWidget* list, bool multiSelect)
{
    if (multiSelect)
        return list->currentRow();
    QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.first());
}

void SetListItemIndex(QListWidget* list, int index, bool multiSelect)
{
    bool inRange = index >= 0 && index < list->count();
    if (multiSelect) {
        if (!inRange)
            return;
        list->selectionModel()->setCurrentIndex(list->model()->index(index, 0), QItemSelectionModel::NoUpdate);
        list->scrollToItem(list->item(index));
    } else if (inRange) {
        list->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
        list->scrollToItem(list->item(index));
    } else {
        list->clearSelection();
        list->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
    list->viewport()->update();
}

void SetListItemSelected(QListWidget* list, int index, bool selected, bool multiSelect)
{
    QSignalBlocker block(list);
    QSignalBlocker blockSelection(list->selectionModel());
    if (!multiSelect) {
        if (selected)
            SetListItemIndex(list, index, false);
        else if (ListItemIndex(list, false) == index)
            SetListItemIndex(list, -1, false);
        return;
    }
    list->item(index)->setSelected(selected);
    list->viewport()->update();
}

int ListTopIndex(const QListWidget* list)
{
    QModelIndex top = list->indexAt(QPoint(1, 1));
    return top.isValid() ? top.row() : 0;
}

void DrawListFocusFrame(QPainter* painter, const QRect& row, bool selected)
{
    painter->save();
    QPen pen(ToQColor(selected ? clHighlightText : clWindowText));
    pen.setStyle(Qt::DotLine);
    painter->setPen(pen);
    painter->drawRect(row.adjusted(0, 0, -1, -1));
    painter->restore();
}

bool HandOnListKey(QListWidget* list, QEvent* event)
{
    int before = list->currentRow();
    QList<QListWidgetItem*> selectedBefore = list->selectedItems();
    QPointer<QListWidget> guard = list;
    HandOn(list, event);
    return guard && (list->currentRow() != before || list->selectedItems() != selectedBefore);
}

void TWinControl::SetListWidget(QListWidget* list)
{
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    SetWidget(list);
    WatchWidget(list->viewport());
    FWantsAfterMouse = true;
    SetColor(clWindow);
    list->resize(121, 97);
}
