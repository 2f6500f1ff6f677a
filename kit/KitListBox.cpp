// The kit list box's making and its properties; its items, look, selection and dragging live in
// the files named after them.
#include "kit/KitListBox.h"
#include <QListWidget>
#include <QPainter>
#include "kit/MaxMin.h"
#include "platform/forms/PaletteColors.h"

namespace {

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

} // namespace

// ---- the list box ----

TKitCustomListBox::TKitCustomListBox(TComponent* owner) : TWinControl(owner), FList(new KitListWidget(this))
{
    InstallItemDelegate();
    FList->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    SetListWidget(FList);
    UpdateLayoutMode();
    ApplyBorder();
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

// ---- properties ----

void TKitCustomListBox::SetBorderStyle(TFormBorderStyle style)
{
    FBorderStyle = style == bsNone ? bsNone : bsSingle;
    ApplyBorder();
}

// A single border is sunken with Ctl3D, else one line in the window-frame colour.
void TKitCustomListBox::ApplyBorder()
{
    if (FBorderStyle == bsNone) {
        FList->setFrameStyle(QFrame::NoFrame);
        return;
    }
    FList->setFrameStyle(Ctl3D() ? QFrame::StyledPanel | QFrame::Sunken : QFrame::Box | QFrame::Plain);
    FList->setLineWidth(1);
    if (!Ctl3D()) {
        QPalette palette = FList->palette();
        palette.setColor(QPalette::WindowText, ToQColor(clWindowFrame));
        FList->setPalette(palette);
    }
}

void TKitCustomListBox::bidi_mode_changed()
{
    TWinControl::bidi_mode_changed();
    FList->viewport()->update();
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

// ---- the list's widget ----

QWidget* TKitCustomListBox::InputWidget() const
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

