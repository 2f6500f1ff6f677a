#include "platform/forms/ListView.h"
#include <QAbstractTableModel>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPixmap>
#include <QTreeView>
#include <algorithm>
#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"
#include "platform/messages/Application.h"
#include "platform/forms/ImageList.h"
#include "platform/forms/QtText.h"

// The rows as Qt sees them: row r is the list's item r, column 0 its caption, column k its sub
// item k - 1.
class ListViewModel : public QAbstractTableModel {
public:
    explicit ListViewModel(TListView* view) : FView(view) {}

    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : FView->FItems.Count(); }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : std::max(1, FView->FColumns.Count()); }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= FView->FItems.Count())
            return {};
        TListItem* item = FView->FItems.Item(index.row());
        if (role == Qt::DisplayRole) {
            if (index.column() == 0)
                return ToQString(item->Caption());
            int sub = index.column() - 1;
            return sub < item->SubItems()->Count() ? ToQString(item->SubItems()->Get(sub)) : QString();
        }
        if (role == Qt::DecorationRole && index.column() == 0 && FView->FSmallImages) {
            QImage image = FView->FSmallImages->Image(item->ImageIndex());
            if (!image.isNull())
                return QPixmap::fromImage(image);
        }
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section >= FView->FColumns.Count())
            return {};
        return ToQString(FView->FColumns.Items(section)->Caption());
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }

    void BeginInsert(int row) { beginInsertRows({}, row, row); }
    void EndInsert() { endInsertRows(); }
    void BeginRemove(int row) { beginRemoveRows({}, row, row); }
    void EndRemove() { endRemoveRows(); }
    void BeginReset() { beginResetModel(); }
    void EndReset() { endResetModel(); }
    void RowChanged(int row) { emit dataChanged(index(row, 0), index(row, columnCount({}) - 1)); }
    void ColumnsChanged()
    {
        beginResetModel();
        endResetModel();
    }
    // Rows move to new places; Qt's selection follows them.
    void Reorder(const std::vector<int>& newRowOfOld)
    {
        QModelIndexList from = persistentIndexList();
        QModelIndexList to;
        for (const QModelIndex& old : from)
            to.append(index(newRowOfOld[static_cast<std::size_t>(old.row())], old.column()));
        changePersistentIndexList(from, to);
    }
    void BeginLayout() { emit layoutAboutToBeChanged(); }
    void EndLayout() { emit layoutChanged(); }

private:
    TListView* FView;
};

namespace {

// Merge sort: stable, and safe with a comparison that is not a strict order (the program's own
// comparison may call every pair equal, or contradict itself).
template <typename T, typename Less>
void MergeSort(std::vector<T>& items, Less less)
{
    if (items.size() < 2)
        return;
    std::vector<T> buffer(items.size());
    for (std::size_t width = 1; width < items.size(); width *= 2) {
        for (std::size_t left = 0; left < items.size(); left += 2 * width) {
            std::size_t mid = std::min(left + width, items.size());
            std::size_t right = std::min(left + 2 * width, items.size());
            std::size_t a = left, b = mid, out = left;
            while (a < mid && b < right)
                buffer[out++] = less(items[b], items[a]) ? std::move(items[b++]) : std::move(items[a++]);
            while (a < mid)
                buffer[out++] = std::move(items[a++]);
            while (b < right)
                buffer[out++] = std::move(items[b++]);
        }
        items.swap(buffer);
    }
}

} // namespace

// ---- columns ----

void TListColumn::SetCaption(const AnsiString& caption)
{
    FCaption = caption;
    FView->ColumnChanged(FIndex);
}

int TListColumn::Width() const
{
    return FView->FTree->header()->sectionSize(FIndex);
}

void TListColumn::SetWidth(int width)
{
    FWidth = std::max(0, width);
    FView->ColumnChanged(FIndex);
}

void TListColumn::SetMinWidth(int width)
{
    FMinWidth = std::max(0, width);
    FView->ColumnChanged(FIndex);
}

void TListColumn::SetMaxWidth(int width)
{
    FMaxWidth = std::max(0, width);
    FView->ColumnChanged(FIndex);
}

void TListColumn::SetAutoSize(bool autoSize)
{
    FAutoSize = autoSize;
    FView->FitColumns();
}

TListColumn* TListColumns::Add()
{
    FColumns.push_back(std::unique_ptr<TListColumn>(new TListColumn(FView, Count())));
    FView->FModel->ColumnsChanged();
    for (int i = 0; i < Count(); ++i)
        FView->ColumnChanged(i);
    return FColumns.back().get();
}

// ---- items ----

TListItem::TListItem(TListView* view) : FView(view)
{
    FSubItems.OnChange = [this](TObject*) { FView->ItemChanged(this); };
}

void TListItem::SetCaption(const AnsiString& caption)
{
    if (caption == FCaption)
        return;
    FCaption = caption;
    FView->ItemChanged(this);
    if (FView->FSortType == stText || FView->FSortType == stBoth)
        FView->FItems.SortOrDefer();
}

void TListItem::SetImageIndex(int index)
{
    FImageIndex = index;
    FView->ItemChanged(this);
}

void TListItem::SetData(void* data)
{
    if (data == FData)
        return;
    FData = data;
    if (FView->FSortType == stData || FView->FSortType == stBoth)
        FView->FItems.SortOrDefer();
}

int TListItem::Index() const
{
    return FView->FItems.IndexOf(this);
}

bool TListItem::Selected() const
{
    int row = Index();
    return row >= 0 && FView->FTree->selectionModel()->isRowSelected(row, {});
}

void TListItem::SetSelected(bool selected)
{
    FView->SelectRow(Index(), selected);
}

bool TListItem::Focused() const
{
    return FView->FTree->currentIndex().row() == Index() && Index() >= 0;
}

void TListItem::SetFocused(bool focused)
{
    QItemSelectionModel* selection = FView->FTree->selectionModel();
    QSignalBlocker block(selection);
    selection->setCurrentIndex(focused ? FView->FModel->index(Index(), 0) : QModelIndex(), QItemSelectionModel::NoUpdate);
}

void TListItem::Delete()
{
    FView->FItems.Delete(Index());
}

TListItem* TListItems::Insert(int index)
{
    index = std::clamp(index, 0, Count());
    FView->FModel->BeginInsert(index);
    FItems.insert(FItems.begin() + index, std::unique_ptr<TListItem>(new TListItem(FView)));
    FView->FModel->EndInsert();
    return FItems[static_cast<std::size_t>(index)].get();
}

void TListItems::Delete(int index)
{
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    QSignalBlocker block(FView->FTree->selectionModel());
    FView->FModel->BeginRemove(index);
    std::unique_ptr<TListItem> gone = std::move(FItems[static_cast<std::size_t>(index)]);
    FItems.erase(FItems.begin() + index);
    FView->FModel->EndRemove();
}

void TListItems::Clear()
{
    QSignalBlocker block(FView->FTree->selectionModel());
    FView->FModel->BeginReset();
    FItems.clear();
    FView->FModel->EndReset();
}

// Rows are mostly looked up in turn (a loop over the list, a row just appended), so the search
// starts where the last one ended; a pass over every row stays linear.
int TListItems::IndexOf(const TListItem* item) const
{
    const std::size_t count = FItems.size();
    for (std::size_t step = 0; step < count; ++step) {
        const std::size_t i = (FLastFound + step) % count;
        if (FItems[i].get() == item) {
            FLastFound = i;
            return static_cast<int>(i);
        }
    }
    return -1;
}

void TListItems::BeginUpdate()
{
    if (FUpdates++ == 0)
        FView->FTree->setUpdatesEnabled(false);
}

// A batch of rows is sorted once at its end, not once per row: a stable sort of the whole gives
// the order that sorting after each change would have given.
void TListItems::SortOrDefer()
{
    if (FUpdates > 0)
        FSortPending = true;
    else
        FView->AlphaSort();
}

void TListItems::EndUpdate()
{
    if (FUpdates == 0 || --FUpdates > 0)
        return;
    FView->FTree->setUpdatesEnabled(true);
    if (FSortPending) {
        FSortPending = false;
        FView->AlphaSort();
    }
}

// ---- the view ----

TListView::TListView(TComponent* owner) : TWinControl(owner), FTree(new QTreeView())
{
    FModel = new ListViewModel(this);
    FTree->setModel(FModel);
    FModel->setParent(FTree);
    FTree->setRootIsDecorated(false);
    FTree->setItemsExpandable(false);
    FTree->setUniformRowHeights(true);
    FTree->setAllColumnsShowFocus(true);
    FTree->setSelectionBehavior(QAbstractItemView::SelectRows);
    FTree->setSelectionMode(QAbstractItemView::SingleSelection);
    FTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FTree->setSortingEnabled(false);
    QHeaderView* header = FTree->header();
    header->setMinimumSectionSize(0);
    header->setStretchLastSection(false);
    header->setSectionsMovable(false);
    header->setSectionsClickable(true);
    QObject::connect(header, &QHeaderView::sectionClicked, [this](int section) {
        if (OnColumnClick && section < FColumns.Count())
            Dispatch([this, section] { OnColumnClick(this, FColumns.Items(section)); });
    });
    QObject::connect(header, &QHeaderView::sectionResized, [this](int section, int, int newSize) {
        if (FFitting || section >= FColumns.Count())
            return;
        // The user's drag, held within the column's limits.
        FColumns.Items(section)->FWidth = newSize;
        FitColumns();
    });
    SetWidget(FTree);
    WatchWidget(FTree->viewport());
    FWantsAfterMouse = true;
    SetColor(clWindow);
    FTree->resize(250, 150);
}

TListView::~TListView()
{
    // The model reads the rows while Qt takes the view down; the view may have gone already
    // with its window.
    if (Widget())
        FTree->setModel(nullptr);
}

void TListView::SetMultiSelect(bool multiSelect)
{
    FMultiSelect = multiSelect;
    FTree->setSelectionMode(multiSelect ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

void TListView::SetSortType(TSortType sortType)
{
    FSortType = sortType;
    if (sortType != stNone)
        AlphaSort();
}

void TListView::SetSmallImages(TImageList* images)
{
    FSmallImages = images;
    if (images)
        FTree->setIconSize(QSize(images->Width(), images->Height()));
    FTree->viewport()->update();
}

TListItem* TListView::Selected() const
{
    for (int row = 0; row < FItems.Count(); ++row)
        if (FTree->selectionModel()->isRowSelected(row, {}))
            return FItems.Item(row);
    return nullptr;
}

int TListView::SelCount() const
{
    return static_cast<int>(FTree->selectionModel()->selectedRows().size());
}

TListItem* TListView::ItemFocused() const
{
    int row = FTree->currentIndex().row();
    return row >= 0 && row < FItems.Count() ? FItems.Item(row) : nullptr;
}

void TListView::ClearSelection()
{
    QSignalBlocker block(FTree->selectionModel());
    FTree->clearSelection();
}

void TListView::SelectRow(int row, bool selected)
{
    if (row < 0 || row >= FItems.Count())
        return;
    QItemSelectionModel* selection = FTree->selectionModel();
    QSignalBlocker block(selection);
    QItemSelectionModel::SelectionFlags flags = QItemSelectionModel::Rows |
        (selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
    if (selected && !FMultiSelect)
        flags |= QItemSelectionModel::Clear;
    selection->select(FModel->index(row, 0), flags);
    FTree->viewport()->update();
}

int TListView::Compare(TListItem* a, TListItem* b)
{
    int result = 0;
    if (OnCompare) {
        OnCompare(this, a, b, 0, result);
        return result;
    }
    result = AnsiCompareText(a->Caption(), b->Caption());
    return result != 0 ? result : a->Caption().compare(b->Caption());
}

// Rows already in order are left as they are: a row appended to a sorted list costs one pass, not
// a sort and a new layout.
bool TListView::AlphaSort()
{
    std::vector<std::unique_ptr<TListItem>>& items = FItems.FItems;
    bool ordered = true;
    Dispatch([&] {
        for (std::size_t row = 1; row < items.size() && ordered; ++row)
            ordered = Compare(items[row].get(), items[row - 1].get()) >= 0;
    });
    if (ordered)
        return true;
    std::vector<int> order(items.size());
    for (std::size_t row = 0; row < order.size(); ++row)
        order[row] = static_cast<int>(row);
    // A comparison that raises leaves the rows in the order reached so far.
    Dispatch([&] {
        MergeSort(order, [&](int a, int b) {
            return Compare(items[static_cast<std::size_t>(a)].get(), items[static_cast<std::size_t>(b)].get()) < 0;
        });
    });
    std::vector<int> newRowOfOld(order.size());
    for (std::size_t newRow = 0; newRow < order.size(); ++newRow)
        newRowOfOld[static_cast<std::size_t>(order[newRow])] = static_cast<int>(newRow);
    FModel->BeginLayout();
    std::vector<std::unique_ptr<TListItem>> sorted(order.size());
    for (std::size_t oldRow = 0; oldRow < FItems.FItems.size(); ++oldRow)
        sorted[static_cast<std::size_t>(newRowOfOld[oldRow])] = std::move(FItems.FItems[oldRow]);
    FItems.FItems.swap(sorted);
    FModel->Reorder(newRowOfOld);
    FModel->EndLayout();
    return true;
}

void TListView::ItemChanged(const TListItem* item)
{
    int row = FItems.IndexOf(item);
    if (row >= 0)
        FModel->RowChanged(row);
}

void TListView::ColumnChanged(int index)
{
    if (index < 0 || index >= FColumns.Count())
        return;
    TListColumn* column = FColumns.Items(index);
    QHeaderView* header = FTree->header();
    bool fixed = column->FMaxWidth > 0 && column->FMaxWidth == column->FMinWidth;
    header->setSectionResizeMode(index, fixed ? QHeaderView::Fixed : QHeaderView::Interactive);
    FitColumns();
}

// Each column keeps its limits, and an auto-size column takes what the others leave.
void TListView::FitColumns()
{
    if (FFitting || !FTree)
        return;
    FFitting = true;
    QHeaderView* header = FTree->header();
    int autoColumn = -1;
    int used = 0;
    for (int i = 0; i < FColumns.Count(); ++i) {
        TListColumn* column = FColumns.Items(i);
        int width = column->FWidth;
        if (column->FMinWidth > 0)
            width = std::max(width, column->FMinWidth);
        if (column->FMaxWidth > 0)
            width = std::min(width, column->FMaxWidth);
        column->FWidth = width;
        if (column->FAutoSize && autoColumn < 0) {
            autoColumn = i;
            continue;
        }
        header->resizeSection(i, width);
        used += width;
    }
    if (autoColumn >= 0) {
        TListColumn* column = FColumns.Items(autoColumn);
        int width = std::max(column->FMinWidth, FTree->viewport()->width() - used);
        header->resizeSection(autoColumn, width);
    }
    FFitting = false;
}

QWidget* TListView::InputWidget() const
{
    return FTree->viewport();
}

void TListView::after_mouse_event(QEvent* event)
{
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (event->type() == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton)
        Click();
}

bool TListView::widget_event(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize && watched == FTree->viewport())
        FitColumns();
    return TWinControl::widget_event(watched, event);
}
