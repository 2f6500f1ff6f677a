// TTextListBox: a plain text list whose horizontal scroll range always follows its widest item,
// so that long names can be scrolled into view. The dual-list chooser's two lists are these.
#pragma once
#include "kit/KitListBox.h"

class TTextListBox : public TKitCustomListBox {
public:
    explicit TTextListBox(TComponent* owner) : TKitCustomListBox(owner) { SetAutoScroll(true); }

private:
    // A plain text list: one column, drawn by the list, its range always automatic.
    using TKitCustomListBox::SetAutoScroll;
    using TKitCustomListBox::SetColumns;
    using TKitCustomListBox::SetOnDrawItem;
    using TKitCustomListBox::SetOnGetItemWidth;
    using TKitCustomListBox::SetStyle;
};
