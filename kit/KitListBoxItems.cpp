// The kit list box's items: its item strings, which keep nothing of their own, and the list's
// own operations on them (text, data, adding in sorted order, deleting, clearing).
#include "kit/KitListBox.h"
#include <QListWidget>
#include <algorithm>
#include <vector>
#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"
#include "platform/forms/ListSelection.h"

// ---- item strings ----

int TKitListBoxStrings::Count() const
{
    return FListBox->Count();
}

AnsiString TKitListBoxStrings::Get(int index) const
{
    return FListBox->ItemText(index);
}

TObject* TKitListBoxStrings::GetObject(int index) const
{
    return FListBox->GetItemData(index);
}

void TKitListBoxStrings::PutObject(int index, TObject* object)
{
    FListBox->SetItemData(index, object);
}

int TKitListBoxStrings::Add(const AnsiString& s)
{
    return FListBox->AddString(s);
}

void TKitListBoxStrings::Insert(int index, const AnsiString& s)
{
    // One past the last item appends.
    if (index != Count())
        FListBox->CheckIndex(index);
    FListBox->InsertString(index, s);
}

void TKitListBoxStrings::Delete(int index)
{
    FListBox->DeleteString(index);
}

void TKitListBoxStrings::Clear()
{
    FListBox->ResetContent();
}

void TKitListBoxStrings::SetUpdateState(bool updating)
{
    QListWidget* list = FListBox->List();
    list->setUpdatesEnabled(!updating);
    if (!updating)
        list->viewport()->update();
}

// ---- the list's item operations ----

void TKitCustomListBox::CheckIndex(int index) const
{
    if (index < 0 || index >= FList->count())
        throw EStringListError("List index out of bounds (" + IntToStr(index) + ")");
}

AnsiString TKitCustomListBox::ItemText(int index) const
{
    CheckIndex(index);
    return ListItemText(FList->item(index));
}

TObject* TKitCustomListBox::GetItemData(int index) const
{
    CheckIndex(index);
    return ListItemObject(FList->item(index));
}

void TKitCustomListBox::SetItemData(int index, TObject* data)
{
    CheckIndex(index);
    SetListItemObject(FList->item(index), data);
}

int TKitCustomListBox::SortedPlace(const AnsiString& s) const
{
    int low = 0;
    int high = FList->count();
    while (low < high) {
        int middle = (low + high) / 2;
        if (AnsiCompareText(ListItemText(FList->item(middle)), s) <= 0)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

int TKitCustomListBox::AddString(const AnsiString& s)
{
    int index = FSorted ? SortedPlace(s) : FList->count();
    InsertString(index, s);
    return index;
}

void TKitCustomListBox::InsertString(int index, const AnsiString& s)
{
    auto* item = new QListWidgetItem();
    SetListItemText(item, s);
    FList->insertItem(index, item);
    WidenExtent(index);
}

void TKitCustomListBox::DeleteString(int index)
{
    CheckIndex(index);
    FDropMarkers.clear();
    // Deleting the widest item scrolls back to the left edge and shrinks the range.
    bool widest = AutoScroll() && GetItemWidth(index) >= FWidest;
    if (widest)
        ScrollToLeftEdge();
    delete FList->takeItem(index);
    if (widest)
        RecomputeExtent();
}

void TKitCustomListBox::ResetContent()
{
    FDropMarkers.clear();
    if (AutoScroll()) {
        FWidest = 0;
        ApplyExtent();
        ScrollToLeftEdge();
    }
    FList->clear();
}

void TKitCustomListBox::SortItems()
{
    std::vector<QListWidgetItem*> items(static_cast<std::size_t>(FList->count()));
    std::vector<QListWidgetItem*> selected;
    QListWidgetItem* current = FList->currentItem();
    // Taken from the end, so that no row has to move up.
    for (int i = FList->count() - 1; i >= 0; --i) {
        if (FList->item(i)->isSelected())
            selected.push_back(FList->item(i));
        items[static_cast<std::size_t>(i)] = FList->takeItem(i);
    }
    std::stable_sort(items.begin(), items.end(), [](QListWidgetItem* a, QListWidgetItem* b) {
        return AnsiCompareText(ListItemText(a), ListItemText(b)) < 0;
    });
    for (QListWidgetItem* item : items)
        FList->addItem(item);
    if (current)
        FList->setCurrentItem(current, QItemSelectionModel::NoUpdate);
    for (QListWidgetItem* item : selected)
        item->setSelected(true);
}
