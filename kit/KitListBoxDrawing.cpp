// The kit list box's look: item widths and the horizontal range that follows the widest item,
// row heights, and the painting of rows and of the drop markers.
#include "kit/KitListBox.h"
#include <QListWidget>
#include <QPainter>
#include <QScrollBar>
#include "kit/MaxMin.h"
#include "platform/core/SysUtils.h"
#include "platform/messages/Application.h"
#include "platform/forms/ListItemDelegate.h"
#include "platform/forms/ListSelection.h"
#include "platform/forms/PaletteColors.h"
#include "platform/forms/QtRect.h"

namespace {

// Walks the text's pieces between tabs, each tab moving on to the next multiple of the stop (a
// stop of 0 expands nothing); `piece` sees each piece and its offset. Returns the whole width.
template <typename Piece>
int WalkTabs(TCanvas& canvas, const AnsiString& text, int stop, Piece piece)
{
    int offset = 0;
    std::size_t start = 0;
    for (;;) {
        std::size_t tab = text.find('\t', start);
        AnsiString part = text.substr(start, tab == AnsiString::npos ? AnsiString::npos : tab - start);
        piece(part, offset);
        offset += canvas.TextWidth(part);
        if (tab == AnsiString::npos)
            return offset;
        if (stop > 0)
            offset = (offset / stop + 1) * stop;
        start = tab + 1;
    }
}

} // namespace

void TKitCustomListBox::InstallItemDelegate()
{
    FList->setItemDelegate(new ListItemDelegate(
        FList, [this](QPainter* painter, const QStyleOptionViewItem& option, int row) { PaintItem(painter, option.rect, row); },
        [this](const QStyleOptionViewItem&, int row) { return QSize(RowWidth(), RowHeight(row)); }));
}

// ---- widths and the horizontal range ----

int TKitCustomListBox::TabStopPixels()
{
    FCanvas.Font()->Assign(*Font());
    return static_cast<int>(Round(FTabWidth * FCanvas.TextWidth("0") * 0.25));
}

int TKitCustomListBox::TabbedTextWidth(const AnsiString& text)
{
    return WalkTabs(FCanvas, text, TabStopPixels(), [](const AnsiString&, int) {});
}

void TKitCustomListBox::TabbedTextOut(int x, int y, const AnsiString& text)
{
    WalkTabs(FCanvas, text, TabStopPixels(), [&](const AnsiString& part, int offset) { FCanvas.TextOut(x + offset, y, part); });
}

int TKitCustomListBox::GetItemWidth(int index)
{
    if (FStyle != TKitListBoxStyle::lbStandard && FOnDrawItem && FOnGetItemWidth) {
        int width = 0;
        FOnGetItemWidth(this, index, width);
        return width;
    }
    FCanvas.Font()->Assign(*Font());
    return TextExtent(ItemText(index) + "x");
}

int TKitCustomListBox::TextExtent(const AnsiString& text)
{
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
    if (FColumns > 0)
        return IntMax(1, (FList->width() + FColumns - 3) / FColumns);
    // Qt stretches a row to the viewport's width, so only a row wider than the viewport gives a
    // horizontal range, as the list box's horizontal extent does.
    return AutoScroll() ? IntMax(FWidest, 1) : FList->viewport()->width();
}

// ---- heights ----

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

// ---- painting ----

void TKitCustomListBox::PaintItem(QPainter* painter, const QRect& rect, int index)
{
    if (index < 0 || index >= FList->count())
        return;
    TOwnerDrawState state = ListRowState(FList, index, Enabled());
    bool selected = state.Contains(odSelected);
    FCanvas.BeginPaint(painter);
    FCanvas.Font()->Assign(*Font());
    FCanvas.Brush()->SetColor(Color());
    if (selected) {
        if (!FGraySelection || FList->hasFocus()) {
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
    if (state.Contains(odFocused))
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
    AnsiString text = ItemText(index);
    // Read right to left, the text stands against the right edge.
    int left = UseRightToLeftReading() ? rect.Right - 2 - TextExtent(text) : rect.Left + 2;
    if (FTabWidth > 0)
        TabbedTextOut(left, top, text);
    else
        FCanvas.TextOut(left, top, text);
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
