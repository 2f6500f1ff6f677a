// TKitCustomListBox: the kit's own list box. Beyond the platform list box it sorts, spreads its
// items over columns, expands tabs, draws its items itself (or lets OnDrawItem do it, with
// fixed or per-item heights), greys the selection of an unfocused list when asked, takes part in
// drag and drop, and keeps its horizontal scroll range at the width of its widest item
// (AutoScroll). Items are reached through TKitListBoxStrings, which keeps no strings of its own.
// Setting ItemIndex, Selected or TopIndex from code raises no event; a user's click or key that
// moves the selection raises OnClick.
#pragma once
#include "kit/DragDrop.h"
#include "platform/core/Strings.h"
#include "platform/forms/Canvas.h"
#include "platform/forms/Form.h"
#include "platform/forms/ListBox.h"
#include "platform/forms/WinControl.h"
#include <memory>
#include <set>

class QListWidget;
class QPainter;
class QRect;
class TKitCustomListBox;

enum class TKitListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
using TMeasureItemEvent = std::function<void(TWinControl* Control, int Index, int& Height)>;
using TGetItemWidthEvent = std::function<void(TWinControl* Control, int Index, int& Width)>;
// Handled set true keeps the list from scrolling / from showing its pop-up menu.
using TMouseWheelUpDownEvent = std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
using TContextPopupEvent = std::function<void(TObject* Sender, TPoint MousePos, bool& Handled)>;

// Every bad index raises EStringListError "List index out of bounds (%d)" and changes nothing.
class TKitListBoxStrings : public TStrings {
public:
    explicit TKitListBoxStrings(TKitCustomListBox* listBox) : FListBox(listBox) {}

    int Count() const override;
    AnsiString Get(int index) const override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* object) override;
    // A sorted list places the string in its order; returns its index.
    int Add(const AnsiString& s) override;
    void Insert(int index, const AnsiString& s) override;
    void Delete(int index) override;
    void Clear() override;

protected:
    void SetUpdateState(bool updating) override;
    TKitCustomListBox* ListBox() const { return FListBox; }

private:
    TKitCustomListBox* FListBox;
};

class TKitCustomListBox : public TWinControl, public TDragControl {
public:
    explicit TKitCustomListBox(TComponent* owner);
    ~TKitCustomListBox() override;

    TStrings* Items();
    int Count() const;
    // Copies the strings with their objects.
    virtual void SetItems(const TStrings& source);
    void Clear();

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle style);
    // 0 is one column; more spreads the items over that many columns of equal width.
    int Columns() const { return FColumns; }
    void SetColumns(int columns);
    // The row height of owner-drawn styles; values below 1 are ignored.
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int height);
    TKitListBoxStyle Style() const { return FStyle; }
    void SetStyle(TKitListBoxStyle style);
    // The list's height shows whole rows only.
    bool IntegralHeight() const { return FIntegralHeight; }
    void SetIntegralHeight(bool integral);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool multiSelect);
    bool Sorted() const { return FSorted; }
    void SetSorted(bool sorted);
    // With MultiSelect: Shift and Ctrl extend the selection (true) or each click toggles (false).
    bool ExtendedSelect() const { return FExtendedSelect; }
    void SetExtendedSelect(bool extended);
    // One tab stop in dialog units (a quarter of the width of "0"); 0 expands no tabs.
    int TabWidth() const { return FTabWidth; }
    void SetTabWidth(int width);
    // Keep the horizontal scroll range at the widest item; always false with columns.
    bool AutoScroll() const { return FAutoScroll && FColumns == 0; }
    void SetAutoScroll(bool autoScroll);
    // Selected items of an unfocused list are drawn in the button-face colour.
    bool GraySelection() const { return FGraySelection; }
    void SetGraySelection(bool gray);
    // The widest item measured so far in pixels: the horizontal scroll range (0 when empty).
    int HorizontalExtent() const { return FWidest; }

    // Single selection: the selected item or -1. Multiple selection: the focused item.
    int ItemIndex() const;
    void SetItemIndex(int index);
    int SelCount() const;
    bool Selected(int index) const;
    void SetSelected(int index, bool selected);
    int TopIndex() const;
    void SetTopIndex(int index);
    // The item under a client point; -1 outside the client area; below the last item -1 when
    // `existing`, else Count.
    int ItemAtPos(TPoint pos, bool existing) const;
    // Index Count gives the place of a new last row; beyond it an empty rectangle.
    TRect ItemRect(int index) const;

    TCanvas* Canvas() { return &FCanvas; }
    // With IntegralHeight the height is cut to whole rows.
    void SetBounds(int left, int top, int width, int height) override;

    const TDrawItemEvent& OnDrawItem() const { return FOnDrawItem; }
    void SetOnDrawItem(TDrawItemEvent handler);
    const TGetItemWidthEvent& OnGetItemWidth() const { return FOnGetItemWidth; }
    void SetOnGetItemWidth(TGetItemWidthEvent handler);
    TMeasureItemEvent OnMeasureItem;
    // A turn of the wheel towards the user (down) or away (up); the point is in client
    // coordinates.
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TMouseWheelUpDownEvent OnMouseWheelUp;
    // Before the pop-up menu opens (by mouse: the client point; by keyboard: -1, -1).
    TContextPopupEvent OnContextPopup;

    // The drop marker: a dotted frame around an item. Drawing it where it stands takes it away,
    // as an exclusive-or frame on the screen would.
    void ToggleDropMarker(int index);
    bool DropMarkerShown(int index) const { return FDropMarkers.count(index) != 0; }

    // The list's own operations, which its item strings go through.
    virtual TObject* GetItemData(int index) const;
    virtual void SetItemData(int index, TObject* data);
    virtual void ResetContent();
    virtual void DeleteString(int index);
    int AddString(const AnsiString& s);
    void InsertString(int index, const AnsiString& s);
    AnsiString ItemText(int index) const;
    // Raises EStringListError "List index out of bounds (%d)" unless the index names an item.
    void CheckIndex(int index) const;
    // What an item carries beyond text and object (a check list's check state) taken over from
    // an item of another list; nothing here.
    virtual void TakeItemState(int index, TKitCustomListBox& source, int sourceIndex)
    {
        (void)index, (void)source, (void)sourceIndex;
    }

    // For the list's item view: paints one row, and the height of a row.
    void PaintItem(QPainter* painter, const QRect& rect, int index);
    int RowHeight(int index);
    int RowWidth() const;
    void PaintMarkers(QPainter& painter);

    TControl* DragControl() override { return this; }
    QWidget* DragWidget() override;

protected:
    virtual int GetItemHeight();
    virtual std::unique_ptr<TStrings> CreateItemList();
    virtual int GetItemWidth(int index);
    virtual void DrawItem(int index, TRect rect, TOwnerDrawState state);
    virtual void MeasureItem(int index, int& height);
    // A check list keeps its check column out of the area an item's text is drawn in.
    virtual void AdjustItemRect(TRect& rect) { (void)rect; }
    // Height of a row of the standard style: the font's character height.
    int TextRowHeight();
    // After the list's own handling of a left press on the viewport, and of a character key.
    virtual void mouse_down(TMouseButton button, TShiftState shift, int x, int y);
    virtual bool key_press(char key);
    // Measures the widest item again and applies it (or 0 without AutoScroll).
    void RecomputeExtent();
    void ScrollToLeftEdge();
    void RelayoutItems();
    QListWidget* List() const { return FList; }
    int TabStopPixels();
    int TabbedTextWidth(const AnsiString& text);
    // The text's width as drawn, tabs expanded.
    int TextExtent(const AnsiString& text);
    void TabbedTextOut(int x, int y, const AnsiString& text);

    bool widget_event(QObject* watched, QEvent* event) override;
    QWidget* InputWidget() const override;
    void after_mouse_event(QEvent* event) override;
    void font_changed() override;
    void resize_event() override;
    void ctl3d_changed() override { ApplyBorder(); }
    void bidi_mode_changed() override;

private:
    friend class TKitListBoxStrings;
    void ApplyBorder();
    void UpdateSelectionMode();
    void UpdateLayoutMode();
    void WidenExtent(int index);
    void ApplyExtent();
    void SortItems();
    int SortedPlace(const AnsiString& s) const;
    bool HandleDragMouse(QEvent* event);
    void HandlerPresenceChanged(bool before, bool after);
    void InstallItemDelegate();
    bool HandleRightPress(QEvent* event);
    bool HandleWheel(QEvent* event);
    bool HandleContextPopup(QEvent* event);
    bool HandleKey(QEvent* event);

    QListWidget* FList;
    std::unique_ptr<TStrings> FItems;
    TCanvas FCanvas;
    TFormBorderStyle FBorderStyle = bsSingle;
    int FColumns = 0;
    int FItemHeight = 16;
    TKitListBoxStyle FStyle = TKitListBoxStyle::lbStandard;
    bool FIntegralHeight = false;
    bool FMultiSelect = false;
    bool FSorted = false;
    bool FExtendedSelect = true;
    int FTabWidth = 0;
    bool FAutoScroll = false;
    bool FGraySelection = false;
    int FWidest = 0;
    bool FSwallowRelease = false;
    std::set<int> FDropMarkers;
    TDrawItemEvent FOnDrawItem;
    TGetItemWidthEvent FOnGetItemWidth;
};
