#include "kit/KitListBox.h"
#include "platform/forms/KeyCodes.h"
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <algorithm>
#include <vector>
#include "kit/MaxMin.h"
#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"
#include "platform/messages/Application.h"
#include "platform/forms/HandOn.h"
#include "platform/forms/ListSelection.h"
#include "platform/forms/PaletteColors.h"
#include "platform/forms/QtRect.h"
#include "platform/forms/QtText.h"

namespace {

[[noreturn]] void RaiseIndexError(int index)
{
    throw EStringListError("List index out of bounds (" + IntToStr(index) + ")");
}

TPoint GlobalOf(const QMouseEvent& event)
{
    QPoint global = event.globalPosition().toPoint();
    return Point(global.x(), global.y());
}

class KitListWidget : public QListWidget {
public:
    explicit KitListWidget(TKitCustomListBox* box) : FBox(box) {}

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QListWidget::paintEvent(event);
        QPainter painter(viewport());
        FBox->PaintMarkers(painter);
    }

private:
    TKitCustomListBox* FBox;
};

class KitListDelegate : public QStyledItemDelegate {
public:
    KitListDelegate(TKitCustomListBox* box, QObject* parent) : QStyledItemDelegate(parent), FBox(box) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        FBox->PaintItem(painter, option.rect, index.row());
    }
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const override
    {
        return QSize(FBox->RowWidth(), FBox->RowHeight(index.row()));
    }

private:
    TKitCustomListBox* FBox;
};

} // namespace

// ---- item strings ----

int TKitListBoxStrings::Count() const
{
    return FListBox->Count();
}

void TKitListBoxStrings::CheckIndex(int index) const
{
    if (index < 0 || index >= Count())
        RaiseIndexError(index);
}

AnsiString TKitListBoxStrings::Get(int index) const
{
    CheckIndex(index);
    return FListBox->ItemText(index);
}

TObject* TKitListBoxStrings::GetObject(int index) const
{
    CheckIndex(index);
    return FListBox->GetItemData(index);
}

void TKitListBoxStrings::PutObject(int index, TObject* object)
{
    CheckIndex(index);
    FListBox->SetItemData(index, object);
}

int TKitListBoxStrings::Add(const AnsiString& s)
{
    return FListBox->AddString(s);
}

void TKitListBoxStrings::Insert(int index, const AnsiString& s)
{
    if (index < 0 || index > Count())
        RaiseIndexError(index);
    FListBox->InsertString(index, s);
}

void TKitListBoxStrings::Delete(int index)
{
    CheckIndex(index);
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

// ---- the list box ----

TKitCustomListBox::TKitCustomListBox(TComponent* owner) : TWinControl(owner), FList(new KitListWidget(this))
{
    FList->setItemDelegate(new KitListDelegate(this, FList));
    FList->setSelectionMode(QAbstractItemView::SingleSelection);
    FList->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    FList->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    FList->setFrameShadow(QFrame::Sunken);
    SetWidget(FList);
    WatchWidget(FList->viewport());
    FWantsAfterMouse = true;
    SetColor(clWindow);
    FList->resize(121, 97);
    UpdateLayoutMode();
}

TKitCustomListBox::~TKitCustomListBox()
{
    if (DragSource() == this)
        CancelDrag();
}

TStrings* TKitCustomListBox::Items()
{
    // Made on first use, so that a derived list's CreateItemList is the one that runs.
    if (!FItems)
        FItems = CreateItemList();
    return FItems.get();
}

int TKitCustomListBox::Count() const
{
    return FList->count();
}

std::unique_ptr<TStrings> TKitCustomListBox::CreateItemList()
{
    return std::make_unique<TKitListBoxStrings>(this);
}

void TKitCustomListBox::SetItems(const TStrings& source)
{
    Items()->Assign(source);
}

void TKitCustomListBox::Clear()
{
    Items()->Clear();
}

AnsiString TKitCustomListBox::ItemText(int index) const
{
    if (index < 0 || index >= FList->count())
        RaiseIndexError(index);
    return ListItemText(FList->item(index));
}

TObject* TKitCustomListBox::GetItemData(int index) const
{
    if (index < 0 || index >= FList->count())
        RaiseIndexError(index);
    return ListItemObject(FList->item(index));
}

void TKitCustomListBox::SetItemData(int index, TObject* data)
{
    if (index < 0 || index >= FList->count())
        RaiseIndexError(index);
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
    auto* item = new QListWidgetItem();
    SetListItemText(item, s);
    FList->insertItem(index, item);
    WidenExtent(index);
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
    if (index < 0 || index >= FList->count())
        RaiseIndexError(index);
    FDropMarkers.clear();
    if (AutoScroll() && GetItemWidth(index) >= FWidest) {
        ScrollToLeftEdge();
        delete FList->takeItem(index);
        RecomputeExtent();
        return;
    }
    delete FList->takeItem(index);
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

// ---- widths and the horizontal range ----

int TKitCustomListBox::TabStopPixels()
{
    FCanvas.Font()->Assign(*Font());
    return static_cast<int>(Round(FTabWidth * FCanvas.TextWidth("0") * 0.25));
}

int TKitCustomListBox::TabbedTextWidth(const AnsiString& text)
{
    int stop = TabStopPixels();
    int x = 0;
    std::size_t start = 0;
    for (;;) {
        std::size_t tab = text.find('\t', start);
        x += FCanvas.TextWidth(text.substr(start, tab == AnsiString::npos ? AnsiString::npos : tab - start));
        if (tab == AnsiString::npos)
            return x;
        if (stop > 0)
            x = (x / stop + 1) * stop;
        start = tab + 1;
    }
}

void TKitCustomListBox::TabbedTextOut(int x, int y, const AnsiString& text)
{
    int stop = TabStopPixels();
    int offset = 0;
    std::size_t start = 0;
    for (;;) {
        std::size_t tab = text.find('\t', start);
        AnsiString part = text.substr(start, tab == AnsiString::npos ? AnsiString::npos : tab - start);
        FCanvas.TextOut(x + offset, y, part);
        offset += FCanvas.TextWidth(part);
        if (tab == AnsiString::npos)
            return;
        if (stop > 0)
            offset = (offset / stop + 1) * stop;
        start = tab + 1;
    }
}

int TKitCustomListBox::GetItemWidth(int index)
{
    if (FStyle != TKitListBoxStyle::lbStandard && FOnDrawItem && FOnGetItemWidth) {
        int width = 0;
        FOnGetItemWidth(this, index, width);
        return width;
    }
    FCanvas.Font()->Assign(*Font());
    AnsiString text = ItemText(index) + "x";
    return FTabWidth > 0 ? TabbedTextWidth(text) : FCanvas.TextWidth(text);
}

void TKitCustomListBox::WidenExtent(int index)
{
    if (!AutoScroll())
        return;
    int width = GetItemWidth(index);
    if (width > FWidest) {
        FWidest = width;
        ApplyExtent();
    }
}

void TKitCustomListBox::RecomputeExtent()
{
    FWidest = 0;
    if (AutoScroll())
        for (int i = 0; i < FList->count(); ++i)
            FWidest = IntMax(FWidest, GetItemWidth(i));
    ApplyExtent();
}

void TKitCustomListBox::ApplyExtent()
{
    if (FColumns == 0)
        FList->setHorizontalScrollBarPolicy(AutoScroll() ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    RelayoutItems();
}

void TKitCustomListBox::ScrollToLeftEdge()
{
    FList->horizontalScrollBar()->setValue(0);
}

void TKitCustomListBox::RelayoutItems()
{
    // Qt caches the size of uniform rows; switching the cache off and on drops it.
    bool uniform = FStyle != TKitListBoxStyle::lbOwnerDrawVariable;
    FList->setUniformItemSizes(false);
    FList->setUniformItemSizes(uniform);
    FList->doItemsLayout();
}

int TKitCustomListBox::RowWidth() const
{
    int client = FList->viewport()->width();
    if (FColumns > 0)
        return IntMax(1, (FList->width() + FColumns - 3) / FColumns);
    return AutoScroll() ? IntMax(FWidest, 1) : client;
}

int TKitCustomListBox::TextRowHeight()
{
    return QFontMetrics(Font()->ToQFont()).height();
}

int TKitCustomListBox::GetItemHeight()
{
    return FStyle == TKitListBoxStyle::lbStandard ? TextRowHeight() : FItemHeight;
}

int TKitCustomListBox::RowHeight(int index)
{
    if (FStyle != TKitListBoxStyle::lbOwnerDrawVariable)
        return IntMax(1, GetItemHeight());
    int height = FItemHeight;
    MeasureItem(index, height);
    return IntMax(1, height);
}

void TKitCustomListBox::MeasureItem(int index, int& height)
{
    if (OnMeasureItem)
        OnMeasureItem(this, index, height);
}

// ---- drawing ----

void TKitCustomListBox::PaintItem(QPainter* painter, const QRect& rect, int index)
{
    if (index < 0 || index >= FList->count())
        return;
    bool selected = FList->item(index)->isSelected();
    bool hasFocus = FList->hasFocus();
    bool focusedItem = hasFocus && FList->currentRow() == index;
    TOwnerDrawState state;
    if (selected)
        state << odSelected;
    if (focusedItem)
        state << odFocused;
    if (!Enabled())
        state << odDisabled;
    FCanvas.BeginPaint(painter);
    FCanvas.Font()->Assign(*Font());
    FCanvas.Brush()->SetColor(Color());
    if (selected) {
        if (!FGraySelection || hasFocus) {
            FCanvas.Brush()->SetColor(clHighlight);
            FCanvas.Font()->SetColor(clHighlightText);
        } else {
            FCanvas.Brush()->SetColor(clBtnFace);
            if (FCanvas.Font()->Color() == clBtnFace)
                FCanvas.Font()->SetColor(clBtnText);
        }
    }
    TRect itemRect = ToTRect(rect);
    AdjustItemRect(itemRect);
    Dispatch([&] { DrawItem(index, itemRect, state); });
    FCanvas.EndPaint();
    if (focusedItem)
        DrawListFocusFrame(painter, ToQRect(itemRect), selected);
}

void TKitCustomListBox::DrawItem(int index, TRect rect, TOwnerDrawState state)
{
    // The standard style is drawn by the list itself, as a system list box would.
    if (FOnDrawItem && FStyle != TKitListBoxStyle::lbStandard) {
        FOnDrawItem(this, index, rect, state);
        return;
    }
    FCanvas.FillRect(rect);
    if (index >= FList->count())
        return;
    int top = IntMax(rect.Top, (rect.Top + rect.Bottom - FCanvas.TextHeight("Wy")) / 2);
    if (FTabWidth > 0)
        TabbedTextOut(rect.Left + 2, top, ItemText(index));
    else
        FCanvas.TextOut(rect.Left + 2, top, ItemText(index));
}

void TKitCustomListBox::ToggleDropMarker(int index)
{
    if (index < 0)
        return;
    if (!FDropMarkers.erase(index))
        FDropMarkers.insert(index);
    FList->viewport()->update();
}

void TKitCustomListBox::PaintMarkers(QPainter& painter)
{
    QPen pen(ToQColor(clWindowText));
    pen.setStyle(Qt::DotLine);
    painter.setPen(pen);
    for (int index : FDropMarkers) {
        TRect rect = ItemRect(index);
        if (rect.Width() > 0)
            painter.drawRect(QRect(rect.Left, rect.Top, rect.Width() - 1, rect.Height() - 1));
    }
}

// ---- properties ----

void TKitCustomListBox::SetBorderStyle(TFormBorderStyle style)
{
    FBorderStyle = style == bsNone ? bsNone : bsSingle;
    FList->setFrameShape(FBorderStyle == bsNone ? QFrame::NoFrame : QFrame::StyledPanel);
}

void TKitCustomListBox::SetColumns(int columns)
{
    columns = IntMax(columns, 0);
    if (columns == FColumns)
        return;
    bool modeChanges = (columns == 0) != (FColumns == 0);
    FColumns = columns;
    if (modeChanges) {
        UpdateLayoutMode();
        RecomputeExtent();
    } else {
        RelayoutItems();
    }
}

void TKitCustomListBox::UpdateLayoutMode()
{
    FList->setFlow(QListView::TopToBottom);
    FList->setWrapping(FColumns > 0);
    FList->setResizeMode(FColumns > 0 ? QListView::Adjust : QListView::Fixed);
    FList->setHorizontalScrollBarPolicy(FColumns > 0 || AutoScroll() ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    RelayoutItems();
}

void TKitCustomListBox::SetItemHeight(int height)
{
    if (height < 1 || height == FItemHeight)
        return;
    FItemHeight = height;
    RelayoutItems();
}

void TKitCustomListBox::SetStyle(TKitListBoxStyle style)
{
    if (style == FStyle)
        return;
    FStyle = style;
    RecomputeExtent();
}

void TKitCustomListBox::SetIntegralHeight(bool integral)
{
    FIntegralHeight = integral;
    SetBounds(Left(), Top(), Width(), Height());
}

void TKitCustomListBox::SetBounds(int left, int top, int width, int height)
{
    if (FIntegralHeight && FStyle != TKitListBoxStyle::lbOwnerDrawVariable) {
        int frame = 2 * FList->frameWidth();
        int row = RowHeight(0);
        height = frame + IntMax(1, (height - frame) / row) * row;
    }
    TWinControl::SetBounds(left, top, width, height);
}

void TKitCustomListBox::SetMultiSelect(bool multiSelect)
{
    FMultiSelect = multiSelect;
    UpdateSelectionMode();
}

void TKitCustomListBox::SetExtendedSelect(bool extended)
{
    FExtendedSelect = extended;
    UpdateSelectionMode();
}

void TKitCustomListBox::UpdateSelectionMode()
{
    FList->setSelectionMode(!FMultiSelect     ? QAbstractItemView::SingleSelection
                            : FExtendedSelect ? QAbstractItemView::ExtendedSelection
                                              : QAbstractItemView::MultiSelection);
}

void TKitCustomListBox::SetSorted(bool sorted)
{
    if (sorted == FSorted)
        return;
    FSorted = sorted;
    if (sorted)
        SortItems();
}

void TKitCustomListBox::SortItems()
{
    std::vector<QListWidgetItem*> items;
    std::vector<QListWidgetItem*> selected;
    QListWidgetItem* current = FList->currentItem();
    while (FList->count() > 0) {
        QListWidgetItem* item = FList->item(0);
        if (item->isSelected())
            selected.push_back(item);
        items.push_back(FList->takeItem(0));
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

void TKitCustomListBox::SetTabWidth(int width)
{
    width = IntMax(width, 0);
    if (width == FTabWidth)
        return;
    FTabWidth = width;
    RecomputeExtent();
}

void TKitCustomListBox::SetAutoScroll(bool autoScroll)
{
    if (autoScroll == FAutoScroll)
        return;
    FAutoScroll = autoScroll;
    ScrollToLeftEdge();
    RecomputeExtent();
}

void TKitCustomListBox::SetGraySelection(bool gray)
{
    if (gray == FGraySelection)
        return;
    FGraySelection = gray;
    if (!FList->hasFocus())
        FList->viewport()->update();
}

void TKitCustomListBox::HandlerPresenceChanged(bool before, bool after)
{
    if (before == after)
        return;
    ScrollToLeftEdge();
    RecomputeExtent();
}

void TKitCustomListBox::SetOnDrawItem(TDrawItemEvent handler)
{
    bool before = static_cast<bool>(FOnDrawItem);
    FOnDrawItem = std::move(handler);
    HandlerPresenceChanged(before, static_cast<bool>(FOnDrawItem));
}

void TKitCustomListBox::SetOnGetItemWidth(TGetItemWidthEvent handler)
{
    bool before = static_cast<bool>(FOnGetItemWidth);
    FOnGetItemWidth = std::move(handler);
    HandlerPresenceChanged(before, static_cast<bool>(FOnGetItemWidth));
}

// ---- selection ----

int TKitCustomListBox::ItemIndex() const
{
    return ListItemIndex(FList, FMultiSelect);
}

void TKitCustomListBox::SetItemIndex(int index)
{
    if (index == ItemIndex())
        return;
    QSignalBlocker block(FList);
    SetListItemIndex(FList, index, FMultiSelect);
}

int TKitCustomListBox::SelCount() const
{
    // As the system list box says: a single-selection list has no selection count.
    return FMultiSelect ? static_cast<int>(FList->selectedItems().size()) : -1;
}

bool TKitCustomListBox::Selected(int index) const
{
    if (index < 0 || index >= FList->count())
        RaiseIndexError(index);
    return FList->item(index)->isSelected();
}

void TKitCustomListBox::SetSelected(int index, bool selected)
{
    if (index < 0 || index >= FList->count())
        RaiseIndexError(index);
    if (!FMultiSelect) {
        if (selected)
            SetItemIndex(index);
        else if (ItemIndex() == index)
            SetItemIndex(-1);
        return;
    }
    QSignalBlocker block(FList);
    FList->item(index)->setSelected(selected);
    FList->viewport()->update();
}

int TKitCustomListBox::TopIndex() const
{
    return ListTopIndex(FList);
}

void TKitCustomListBox::SetTopIndex(int index)
{
    if (index != TopIndex() && index >= 0 && index < FList->count())
        FList->scrollToItem(FList->item(index), QAbstractItemView::PositionAtTop);
}

int TKitCustomListBox::ItemAtPos(TPoint pos, bool existing) const
{
    if (!FList->viewport()->rect().contains(QPoint(pos.X, pos.Y)))
        return -1;
    QModelIndex index = FList->indexAt(QPoint(pos.X, pos.Y));
    if (index.isValid())
        return index.row();
    return existing ? -1 : FList->count();
}

TRect TKitCustomListBox::ItemRect(int index) const
{
    int count = FList->count();
    if (index == 0 && count == 0)
        return Rect(0, 0, FList->viewport()->width(), const_cast<TKitCustomListBox*>(this)->RowHeight(0));
    if (index >= 0 && index < count)
        return ToTRect(FList->visualItemRect(FList->item(index)));
    if (index == count) {
        TRect last = ItemRect(count - 1);
        int height = last.Height();
        return Rect(last.Left, last.Top + height, last.Right, last.Bottom + height);
    }
    return TRect();
}

// ---- events ----

QWidget* TKitCustomListBox::InputWidget() const
{
    return FList->viewport();
}

QWidget* TKitCustomListBox::DragWidget()
{
    return FList->viewport();
}

void TKitCustomListBox::font_changed()
{
    TWinControl::font_changed();
    FCanvas.Font()->Assign(*Font());
    if (FList)
        RecomputeExtent();
}

void TKitCustomListBox::resize_event()
{
    if (FColumns > 0 || AutoScroll())
        RelayoutItems();
}

// The system list box reports a selection by mouse when the button goes down, after the item
// is selected; clicking the selected item again reports it again.
void TKitCustomListBox::after_mouse_event(QEvent* event)
{
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (event->type() != QEvent::MouseButtonPress)
        return;
    QPoint pos = mouse->position().toPoint();
    if (mouse->button() == Qt::LeftButton && FList->indexAt(pos).isValid())
        Click();
    TShiftState shift = ShiftStateOf(mouse->modifiers());
    mouse_down(mouse->button() == Qt::LeftButton ? mbLeft : mouse->button() == Qt::RightButton ? mbRight : mbMiddle,
               shift, pos.x(), pos.y());
}

void TKitCustomListBox::mouse_down(TMouseButton, TShiftState, int, int) {}

bool TKitCustomListBox::key_press(char)
{
    return false;
}

// Automatic dragging: a press on an item that belongs to a multiple selection starts dragging
// the whole selection and leaves it as it is; any other press is handled first and then starts a
// drag (unless Shift or Ctrl extends a multiple selection). The drag begins once the pointer
// moves far enough; until the button comes up the list itself sees no movement.
bool TKitCustomListBox::HandleDragMouse(QEvent* event)
{
    auto* mouse = static_cast<QMouseEvent*>(event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        if (mouse->button() != Qt::LeftButton || DragMode != dmAutomatic || DragSource())
            return false;
        TShiftState shift = ShiftStateOf(mouse->modifiers());
        QModelIndex index = FList->indexAt(mouse->position().toPoint());
        bool onSelected = index.isValid() && FList->item(index.row())->isSelected();
        if (FMultiSelect && (!shift.Contains(ssShift) || shift.Contains(ssCtrl)) && onSelected) {
            FSwallowRelease = true;
            BeginDrag(this, GlobalOf(*mouse), false);
            return true;
        }
        TWinControl::widget_event(FList->viewport(), event);
        if (!(FMultiSelect && (shift.Contains(ssShift) || shift.Contains(ssCtrl))))
            BeginDrag(this, GlobalOf(*mouse), false);
        return true;
    }
    case QEvent::MouseMove:
        if (DragSource() != this)
            return false;
        DragMoveTo(GlobalOf(*mouse));
        return true;
    case QEvent::MouseButtonRelease: {
        bool swallow = FSwallowRelease;
        FSwallowRelease = false;
        if (DragSource() != this)
            return swallow;
        if (Dragging()) {
            DragDropAt(GlobalOf(*mouse));
            return true;
        }
        CancelDrag();
        return swallow;
    }
    default:
        return false;
    }
}

bool TKitCustomListBox::widget_event(QObject* watched, QEvent* event)
{
    if (IsHandedOn(event))
        return false;
    if (watched == FList->viewport()) {
        if (HandleDragMouse(event))
            return true;
        if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
            // Qt would select the item under the pointer; the system list box does not.
            auto* mouse = static_cast<QMouseEvent*>(event);
            QPoint pos = mouse->position().toPoint();
            TShiftState shift = ShiftStateOf(mouse->modifiers());
            shift << ssRight;
            if (OnMouseDown)
                Dispatch([&] { OnMouseDown(this, mbRight, shift, pos.x(), pos.y()); });
            return true;
        }
    }
    if (watched == FList && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape && DragSource() == this) {
            CancelDrag();
            return true;
        }
        QString text = key->text();
        if (text.size() == 1 && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            char c = cp1252::FromUnicode(text.at(0).unicode());
            bool taken = false;
            Dispatch([&] { taken = key_press(c); });
            if (taken)
                return true;
        }
        if (HandOnListKey(FList, event))
            Dispatch([this] { Click(); });
        return true;
    }
    if (watched == FList && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) && FGraySelection)
        FList->viewport()->update();
    return TWinControl::widget_event(watched, event);
}
