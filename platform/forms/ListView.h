// TListView in report style: columns, rows of a caption and sub items, an image per row, multiple
// selection of whole rows, no in-place editing, and sorting that is the program's own (OnCompare,
// or the captions). Rows and selection set from code raise no event.
#pragma once
#include "platform/core/Strings.h"
#include "platform/forms/WinControl.h"
#include <memory>
#include <vector>

class QTreeView;
class TImageList;
class TListView;
class ListViewModel;

class TListColumn {
public:
    int Index() const { return FIndex; }
    const AnsiString& Caption() const { return FCaption; }
    void SetCaption(const AnsiString& caption);
    // The width shown now (the user may have dragged it).
    int Width() const;
    void SetWidth(int width);
    int MinWidth() const { return FMinWidth; }
    void SetMinWidth(int width);
    // 0 is no limit.
    int MaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(int width);
    // An auto-size column takes the width the other columns leave.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool autoSize);

private:
    friend class TListView;
    friend class TListColumns;
    TListColumn(TListView* view, int index) : FView(view), FIndex(index) {}
    TListView* FView;
    int FIndex;
    AnsiString FCaption;
    int FWidth = 50;
    int FMinWidth = 0;
    int FMaxWidth = 0;
    bool FAutoSize = false;
};

class TListItem : public TObject {
public:
    const AnsiString& Caption() const { return FCaption; }
    // With SortType stText or stBoth the list sorts itself at once, as the class library's does.
    void SetCaption(const AnsiString& caption);
    TStrings* SubItems() { return &FSubItems; }
    const TStrings* SubItems() const { return &FSubItems; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int index);
    void* Data() const { return FData; }
    void SetData(void* data);
    bool Selected() const;
    void SetSelected(bool selected);
    bool Focused() const;
    void SetFocused(bool focused);
    // Row position in the list as shown.
    int Index() const;
    TListView* ListView() const { return FView; }
    // Frees the row.
    void Delete();

private:
    friend class TListView;
    friend class TListItems;
    explicit TListItem(TListView* view);
    TListView* FView;
    AnsiString FCaption;
    TStringList FSubItems;
    int FImageIndex = -1;
    void* FData = nullptr;
};

class TListColumns {
public:
    int Count() const { return static_cast<int>(FColumns.size()); }
    TListColumn* Items(int index) const { return FColumns.at(index).get(); }
    TListColumn* Add();

private:
    friend class TListView;
    explicit TListColumns(TListView* view) : FView(view) {}
    TListView* FView;
    std::vector<std::unique_ptr<TListColumn>> FColumns;
};

class TListItems {
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    TListItem* Item(int index) const { return FItems.at(index).get(); }
    TListItem* operator[](int index) const { return Item(index); }
    TListItem* Add() { return Insert(Count()); }
    TListItem* Insert(int index);
    // Frees the row.
    void Delete(int index);
    void Clear();
    int IndexOf(const TListItem* item) const;
    // Between them the view is not repainted and a sort that a caption asks for waits for the end.
    void BeginUpdate();
    void EndUpdate();

private:
    friend class TListView;
    friend class TListItem;
    friend class ListViewModel;
    explicit TListItems(TListView* view) : FView(view) {}
    TListView* FView;
    std::vector<std::unique_ptr<TListItem>> FItems;
    void SortOrDefer();
    int FUpdates = 0;
    bool FSortPending = false;
    // Where IndexOf found its last row.
    mutable std::size_t FLastFound = 0;
};

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
enum TSortType { stNone, stData, stText, stBoth };

using TLVCompareEvent = std::function<void(TObject* Sender, TListItem* Item1, TListItem* Item2, int Data, int& Compare)>;
using TLVColumnClickEvent = std::function<void(TObject* Sender, TListColumn* Column)>;

class TListView : public TWinControl {
public:
    explicit TListView(TComponent* owner);
    ~TListView() override;

    TListColumns* Columns() { return &FColumns; }
    TListItems* Items() { return &FItems; }

    // Only the report style is drawn; the others are kept for the form's description.
    TViewStyle ViewStyle() const { return FViewStyle; }
    void SetViewStyle(TViewStyle style) { FViewStyle = style; }
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool multiSelect);
    bool ReadOnly() const { return true; }
    void SetReadOnly(bool) {}
    void SetRowSelect(bool) {}
    TSortType SortType() const { return FSortType; }
    void SetSortType(TSortType sortType);
    TImageList* SmallImages() const { return FSmallImages; }
    void SetSmallImages(TImageList* images);

    // The first selected row in the order shown, or nullptr.
    TListItem* Selected() const;
    int SelCount() const;
    TListItem* ItemFocused() const;
    void ClearSelection();
    // Sorts with OnCompare (or by caption when it is unassigned); equal rows keep their order.
    bool AlphaSort();

    TLVCompareEvent OnCompare;
    TLVColumnClickEvent OnColumnClick;

protected:
    bool widget_event(QObject* watched, QEvent* event) override;
    QWidget* InputWidget() const override;
    void after_mouse_event(QEvent* event) override;

private:
    friend class TListColumn;
    friend class TListColumns;
    friend class TListItem;
    friend class TListItems;
    friend class ListViewModel;
    void ItemChanged(const TListItem* item);
    void ColumnChanged(int index);
    void FitColumns();
    int Compare(TListItem* a, TListItem* b);
    void SelectRow(int row, bool selected);

    QTreeView* FTree;
    ListViewModel* FModel;
    TListColumns FColumns{this};
    TListItems FItems{this};
    TViewStyle FViewStyle = vsReport;
    bool FMultiSelect = false;
    TSortType FSortType = stNone;
    TImageList* FSmallImages = nullptr;
    bool FFitting = false;
};
