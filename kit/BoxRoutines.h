// Routines over any list box, the platform's TListBox or the kit's TKitCustomListBox: what the
// dual-list chooser moves items with. Given another control they do nothing or return the
// neutral value (nullptr, false, -1, 0, an empty rectangle).
#pragma once
#include "kit/DragDrop.h"
#include "platform/core/Strings.h"
#include "platform/forms/Types.h"

class TWinControl;
class TObject;

TStrings* BoxItems(TWinControl* list);
bool BoxGetSelected(TWinControl* list, int index);
void BoxSetSelected(TWinControl* list, int index, bool value);
int BoxGetItemIndex(TWinControl* list);
void BoxSetItemIndex(TWinControl* list, int index);
bool BoxMultiSelect(TWinControl* list);
int BoxSelCount(TWinControl* list);
// Below the last item: -1 when `existing`, else the item count.
int BoxItemAtPos(TWinControl* list, TPoint pos, bool existing);
TRect BoxItemRect(TWinControl* list, int index);
// The lowest selected index, -1 when none.
int BoxFirstSelection(TWinControl* list);
// Focuses the list and selects the item at index, kept inside the list; nothing in an empty list.
void BoxSelectItem(TWinControl* list, int index);
// Moves the selected items, in their order, to the destination (a sorted one places them in its
// order; check states go along between two check lists); the item that takes the first moved
// item's place is then selected in the source.
void BoxMoveSelectedItems(TWinControl* source, TWinControl* destination);
void BoxMoveAllItems(TWinControl* source, TWinControl* destination);
// Whether the one selected item could be dropped on another item at (x, y); dropIndex is that
// item or -1.
bool BoxCanDropItem(TWinControl* list, int x, int y, int& dropIndex);
// Drag-over logic of a list: another list's items are accepted, an item of the list itself may
// be dropped on another place unless the list is sorted. The list's Tag remembers where the drop
// marker stands (index + 1, 0 for none).
void BoxDragOver(TWinControl* list, TObject* source, int x, int y, TDragState state, bool& accept, bool sorted);
// Moves the list's current item to index.
void BoxMoveFocusedItem(TWinControl* list, int index);
// Draws the drop marker around an item, or takes it away when it stands there.
void BoxDrawDropMarker(TWinControl* list, int index);
