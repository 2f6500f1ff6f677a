#include "platform/forms/ListBox.h"
#include <QCoreApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"
#include "platform/messages/Application.h"
#include "platform/forms/ListItemDelegate.h"
#include "platform/forms/ListSelection.h"
#include "platform/forms/PaletteColors.h"
#include "platform/forms/QtRect.h"
#include "platform/forms/QtText.h"

namespace {

class ListBoxStrings : public TStrings {
public:
    explicit ListBoxStrings(QListWidget* list) : FList(list) {}

    int Count() const override { return FList->count(); }
    AnsiString Get(int index) const override
    {
        CheckIndex(index);
        return ListItemText(FList->item(index));
    }
    void Put(int index, const AnsiString& s) override
    {
        CheckIndex(index);
        SetListItemText(FList->item(index), s);
    }
    TObject* GetObject(int index) const override
    {
        CheckIndex(index);
        return ListItemObject(FList->item(index));
    }
    void PutObject(int index, TObject* object) override
    {
        CheckIndex(index);
        SetListItemObject(FList->item(index), object);
    }
    void Insert(int index, const AnsiString& s) override
    {
        if (index != Count())
            CheckIndex(index);
        auto* item = new QListWidgetItem();
        SetListItemText(item, s);
        QSignalBlocker block(FList);
        FList->insertItem(index, item);
    }
    void Delete(int index) override
    {
        CheckIndex(index);
        QSignalBlocker block(FList);
        delete FList->takeItem(index);
    }
    void Clear() override
    {
        QSignalBlocker block(FList);
        FList->clear();
    }

protected:
    void SetUpdateState(bool updating) override { FList->setUpdatesEnabled(!updating); }

private:
    void CheckIndex(int index) const
    {
        if (index < 0 || index >= Count())
            throw EStringListError("List index out of bounds (" + IntToStr(index) + ")");
    }
    QListWidget* FList;
};

} // namespace

TListBox::TListBox(TComponent* owner) : TWinControl(owner), FList(new QListWidget())
{
    FItems = std::make_unique<ListBoxStrings>(FList);
    FList->setItemDelegate(new ListItemDelegate(
        FList, [this](QPainter* painter, const QStyleOptionViewItem& option, int row) { DrawItem(painter, option.rect, row); },
        [this](const QStyleOptionViewItem&, int) { return QSize(Width(), ItemHeight()); }));
    FList->setUniformItemSizes(true);
    FList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SetListWidget(FList);
}

TListBox::~TListBox() = default;

int TListBox::Count() const
{
    return FList->count();
}

void TListBox::Clear()
{
    FItems->Clear();
}

void TListBox::SetStyle(TListBoxStyle style)
{
    FStyle = style;
    UpdateItemSize();
}

int TListBox::ItemHeight() const
{
    if (FStyle == lbOwnerDrawFixed)
        return FItemHeight;
    return QFontMetrics(FList->font()).height();
}

void TListBox::SetItemHeight(int height)
{
    if (height < 1)
        return;
    FItemHeight = height;
    UpdateItemSize();
}

void TListBox::UpdateItemSize()
{
    // Uniform sizes are cached; a new height needs the layout done again.
    FList->setUniformItemSizes(false);
    FList->setUniformItemSizes(true);
    FList->doItemsLayout();
}

void TListBox::font_changed()
{
    TWinControl::font_changed();
    if (FList)
        UpdateItemSize();
}

void TListBox::SetMultiSelect(bool multiSelect)
{
    FMultiSelect = multiSelect;
    FList->setSelectionMode(multiSelect ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

int TListBox::ItemIndex() const
{
    return ListItemIndex(FList, FMultiSelect);
}

void TListBox::SetItemIndex(int index)
{
    QSignalBlocker block(FList);
    QSignalBlocker blockSelection(FList->selectionModel());
    SetListItemIndex(FList, index, FMultiSelect);
}

void TListBox::CheckIndex(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + IntToStr(index) + ")");
}

bool TListBox::Selected(int index) const
{
    CheckIndex(index);
    return FList->item(index)->isSelected();
}

void TListBox::SetSelected(int index, bool selected)
{
    CheckIndex(index);
    SetListItemSelected(FList, index, selected, FMultiSelect);
}

int TListBox::SelCount() const
{
    return static_cast<int>(FList->selectedItems().size());
}

int TListBox::TopIndex() const
{
    return ListTopIndex(FList);
}

void TListBox::SetTopIndex(int index)
{
    if (index >= 0 && index < Count())
        FList->scrollToItem(FList->item(index), QAbstractItemView::PositionAtTop);
}

int TListBox::ItemAtPos(TPoint point) const
{
    QModelIndex index = FList->indexAt(QPoint(point.X, point.Y));
    return index.isValid() ? index.row() : -1;
}

TRect TListBox::ItemRect(int index) const
{
    if (index < 0 || index >= Count())
        return TRect();
    return ToTRect(FList->visualItemRect(FList->item(index)));
}

void TListBox::DrawItem(QPainter* painter, const QRect& rect, int index)
{
    if (index < 0 || index >= Count())
        return;
    TOwnerDrawState state = ListRowState(FList, index, Enabled());
    bool selected = state.Contains(odSelected);
    FCanvas.BeginPaint(painter);
    FCanvas.Font()->Assign(*Font());
    FCanvas.Brush()->SetColor(selected ? clHighlight : Color());
    if (selected)
        FCanvas.Font()->SetColor(clHighlightText);
    TRect itemRect = ToTRect(rect);
    if (FStyle == lbOwnerDrawFixed && OnDrawItem) {
        Dispatch([&] { OnDrawItem(this, index, itemRect, state); });
    } else {
        FCanvas.FillRect(itemRect);
        FCanvas.TextOut(itemRect.Left + 2, itemRect.Top, FItems->Get(index));
    }
    FCanvas.EndPaint();
    if (state.Contains(odFocused))
        DrawListFocusFrame(painter, rect, selected);
}

QWidget* TListBox::InputWidget() const
{
    return FList->viewport();
}

// The class library's list box reports a selection by mouse when the button goes down, after
// the row is selected; clicking the selected row again reports it again.
void TListBox::after_mouse_event(QEvent* event)
{
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton &&
        FList->indexAt(mouse->position().toPoint()).isValid())
        Click();
}

bool TListBox::widget_event(QObject* watched, QEvent* event)
{
    // The event type is looked at first: while Qt takes the widget down it still sends events,
    // and the list must not be asked for its parts then.
    if (event->type() == QEvent::MouseButtonPress && watched == FList->viewport() &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        // Qt would select the row under the pointer; the class library's list box does not.
        auto* mouse = static_cast<QMouseEvent*>(event);
        QPoint pos = mouse->position().toPoint();
        TShiftState shift;
        shift << ssRight;
        if (OnMouseDown)
            Dispatch([&] { OnMouseDown(this, mbRight, shift, pos.x(), pos.y()); });
        return true;
    }
    if (event->type() == QEvent::KeyPress && watched == FList) {
        if (HandOnListKey(FList, event))
            Dispatch([this] { Click(); });
        return true;
    }
    return TWinControl::widget_event(watched, event);
}
