// TListBox: a list of Windows-1252 strings, optionally owner-drawn with a fixed item height.
// Setting ItemIndex or Selected from code raises no event; a user's click or key that moves the
// selection raises OnClick. A right press does not select (the class library's list box does
// not); the program selects with Perform(WM_LBUTTONDOWN...) where it wants to.
#pragma once
#include "platform/core/Strings.h"
#include "platform/forms/Canvas.h"
#include "platform/forms/Set.h"
#include "platform/forms/WinControl.h"
#include <memory>

class QListWidget;
class QPainter;
class QRect;

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed };
enum TOwnerDrawStateValue { odSelected, odGrayed, odDisabled, odChecked, odFocused };
using TOwnerDrawState = TSet<TOwnerDrawStateValue>;
using TDrawItemEvent = std::function<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;

class TListBox : public TWinControl {
public:
    explicit TListBox(TComponent* owner);
    ~TListBox() override;

    // The strings live in the control; Items()->Put keeps the row's selection.
    TStrings* Items() const { return FItems.get(); }
    int Count() const;
    void Clear();

    TListBoxStyle Style() const { return FStyle; }
    void SetStyle(TListBoxStyle style);
    int ItemHeight() const;
    void SetItemHeight(int height);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool multiSelect);

    // Single selection: the selected row or -1; setting an index outside the list selects
    // nothing. Multiple selection: the focused row; setting it moves the focus and scrolls it
    // into view without changing the selection, and an index outside the list does nothing.
    int ItemIndex() const;
    void SetItemIndex(int index);
    // Raise EListError for an index outside the list.
    bool Selected(int index) const;
    void SetSelected(int index, bool selected);
    int SelCount() const;
    int TopIndex() const;
    void SetTopIndex(int index);
    // Row under a client point; -1 when there is none.
    int ItemAtPos(TPoint point) const;
    TRect ItemRect(int index) const;

    // Prepared before each OnDrawItem: the list's font, the brush in the list's colour or the
    // highlight colour, the font in the highlight text colour for a selected row.
    TCanvas* Canvas() { return &FCanvas; }
    TDrawItemEvent OnDrawItem;

    // Paints one row; the list's delegate calls it.
    void DrawItem(QPainter* painter, const QRect& rect, int index);

protected:
    bool widget_event(QObject* watched, QEvent* event) override;
    QWidget* InputWidget() const override;
    void after_mouse_event(QEvent* event) override;
    void font_changed() override;

private:
    void CheckIndex(int index) const;
    void UpdateItemSize();

    QListWidget* FList;
    std::unique_ptr<TStrings> FItems;
    TCanvas FCanvas;
    TListBoxStyle FStyle = lbStandard;
    int FItemHeight = 16;
    bool FMultiSelect = false;
};
