#include "kit/BoxRoutines.h"
#include "kit/KitListBox.h"
#include "platform/forms/ListBox.h"

namespace {

TKitCustomListBox* KitBox(TWinControl* list)
{
    return dynamic_cast<TKitCustomListBox*>(list);
}

TListBox* PlatformBox(TWinControl* list)
{
    return dynamic_cast<TListBox*>(list);
}

bool IsListBox(TObject* control)
{
    return dynamic_cast<TKitCustomListBox*>(control) || dynamic_cast<TListBox*>(control);
}

// Adds item k of the source to the destination; between two check lists the check state goes
// along.
void CopyItem(TWinControl* source, TWinControl* destination, int k)
{
    TStrings* from = BoxItems(source);
    int added = BoxItems(destination)->AddObject(from->Get(k), from->GetObject(k));
    auto* kitSource = KitBox(source);
    if (auto* kitDestination = KitBox(destination); kitSource && kitDestination)
        kitDestination->TakeItemState(added, *kitSource, k);
}

} // namespace

TStrings* BoxItems(TWinControl* list)
{
    if (auto* kit = KitBox(list))
        return kit->Items();
    if (auto* box = PlatformBox(list))
        return box->Items();
    return nullptr;
}

bool BoxGetSelected(TWinControl* list, int index)
{
    if (auto* kit = KitBox(list))
        return kit->Selected(index);
    if (auto* box = PlatformBox(list))
        return box->Selected(index);
    return false;
}

void BoxSetSelected(TWinControl* list, int index, bool value)
{
    if (auto* kit = KitBox(list))
        kit->SetSelected(index, value);
    else if (auto* box = PlatformBox(list))
        box->SetSelected(index, value);
}

int BoxGetItemIndex(TWinControl* list)
{
    if (auto* kit = KitBox(list))
        return kit->ItemIndex();
    if (auto* box = PlatformBox(list))
        return box->ItemIndex();
    return -1;
}

void BoxSetItemIndex(TWinControl* list, int index)
{
    if (auto* kit = KitBox(list))
        kit->SetItemIndex(index);
    else if (auto* box = PlatformBox(list))
        box->SetItemIndex(index);
}

bool BoxMultiSelect(TWinControl* list)
{
    if (auto* kit = KitBox(list))
        return kit->MultiSelect();
    if (auto* box = PlatformBox(list))
        return box->MultiSelect();
    return false;
}

int BoxSelCount(TWinControl* list)
{
    if (auto* kit = KitBox(list))
        return kit->SelCount();
    if (auto* box = PlatformBox(list))
        return box->SelCount();
    return 0;
}

int BoxItemAtPos(TWinControl* list, TPoint pos, bool existing)
{
    if (auto* kit = KitBox(list))
        return kit->ItemAtPos(pos, existing);
    if (auto* box = PlatformBox(list)) {
        int index = box->ItemAtPos(pos);
        bool inside = pos.X >= 0 && pos.Y >= 0 && pos.X < box->ClientWidth() && pos.Y < box->ClientHeight();
        return index >= 0 || existing || !inside ? index : box->Count();
    }
    return -1;
}

TRect BoxItemRect(TWinControl* list, int index)
{
    if (auto* kit = KitBox(list))
        return kit->ItemRect(index);
    if (auto* box = PlatformBox(list))
        return box->ItemRect(index);
    return TRect();
}

int BoxFirstSelection(TWinControl* list)
{
    TStrings* items = BoxItems(list);
    if (!items)
        return -1;
    for (int i = 0; i < items->Count(); ++i)
        if (BoxGetSelected(list, i))
            return i;
    return -1;
}

void BoxSelectItem(TWinControl* list, int index)
{
    TStrings* items = BoxItems(list);
    if (!items)
        return;
    if (list->CanFocus())
        list->SetFocus();
    int count = items->Count();
    if (index < 0)
        index = 0;
    if (index > count - 1)
        index = count - 1;
    if (index < 0)
        return;
    if (BoxMultiSelect(list))
        BoxSetSelected(list, index, true);
    else
        BoxSetItemIndex(list, index);
}

void BoxMoveSelectedItems(TWinControl* source, TWinControl* destination)
{
    int first = BoxFirstSelection(source);
    TStrings* from = BoxItems(source);
    TStrings* to = BoxItems(destination);
    if (first < 0 || !to)
        return;
    from->BeginUpdate();
    to->BeginUpdate();
    int k = 0;
    while (k < from->Count()) {
        if (BoxGetSelected(source, k)) {
            CopyItem(source, destination, k);
            from->Delete(k);
        } else {
            ++k;
        }
    }
    BoxSelectItem(source, first);
    from->EndUpdate();
    to->EndUpdate();
}

void BoxMoveAllItems(TWinControl* source, TWinControl* destination)
{
    TStrings* from = BoxItems(source);
    if (!from || !BoxItems(destination))
        return;
    for (int k = 0; k < from->Count(); ++k)
        CopyItem(source, destination, k);
    from->Clear();
    BoxSelectItem(source, 0);
}

bool BoxCanDropItem(TWinControl* list, int x, int y, int& dropIndex)
{
    dropIndex = -1;
    if (BoxMultiSelect(list) && BoxSelCount(list) != 1)
        return false;
    if (BoxGetItemIndex(list) == -1)
        return false;
    dropIndex = BoxItemAtPos(list, Point(x, y), true);
    return dropIndex >= 0 && dropIndex != BoxGetItemIndex(list);
}

void BoxDragOver(TWinControl* list, TObject* source, int x, int y, TDragState state, bool& accept, bool sorted)
{
    if (source != list) {
        accept = IsListBox(source);
        return;
    }
    if (sorted) {
        accept = false;
        return;
    }
    int drop = -1;
    accept = BoxCanDropItem(list, x, y, drop);
    if (drop == list->Tag - 1 && drop >= 0) {
        if (state == dsDragLeave) {
            BoxDrawDropMarker(list, list->Tag - 1);
            list->Tag = 0;
        }
        return;
    }
    if (list->Tag > 0)
        BoxDrawDropMarker(list, list->Tag - 1);
    if (drop >= 0)
        BoxDrawDropMarker(list, drop);
    list->Tag = drop + 1;
}

void BoxMoveFocusedItem(TWinControl* list, int index)
{
    TStrings* items = BoxItems(list);
    if (!items)
        return;
    int current = BoxGetItemIndex(list);
    if (index < 0 || index >= items->Count() || index == current || current < 0)
        return;
    items->Move(current, index);
    BoxSelectItem(list, index);
    // The moved item stays the focused one, so that moving it again moves the same item.
    if (BoxMultiSelect(list))
        BoxSetItemIndex(list, index);
}

void BoxDrawDropMarker(TWinControl* list, int index)
{
    if (auto* kit = KitBox(list))
        kit->ToggleDropMarker(index);
}
