#include "kit/KitCombos.h"
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include "kit/MaxMin.h"
#include "platform/core/SysUtils.h"
#include "platform/messages/Application.h"
#include "platform/forms/ListItemDelegate.h"
#include "platform/forms/PaletteColors.h"
#include "platform/forms/QtRect.h"
#include "platform/forms/QtText.h"

namespace {

constexpr TColor kColors[16] = {clBlack, clMaroon, clGreen, clOlive, clNavy,    clPurple, clTeal, clGray,
                                clSilver, clRed,   clLime,  clYellow, clBlue, clFuchsia, clAqua, clWhite};

QComboBox* ComboOf(const TControl* control)
{
    return static_cast<QComboBox*>(control->Widget());
}

TObject* ColorObject(TColor color)
{
    return reinterpret_cast<TObject*>(static_cast<std::intptr_t>(color));
}

} // namespace

AnsiString StandardColorName(TColor color)
{
    AnsiString name = ColorToString(color);
    return name.compare(0, 2, "cl") == 0 ? name.substr(2) : name;
}

// ---- owner-drawn combo box ----

TOwnerDrawComboBox::TOwnerDrawComboBox(TComponent* owner) : TComboBox(owner)
{
    QComboBox* combo = ComboOf(this);
    combo->setItemDelegate(new ListItemDelegate(
        combo,
        [this](QPainter* painter, const QStyleOptionViewItem& option, int row) {
            PaintItem(painter, option.rect, row, option.state & QStyle::State_Selected);
        },
        [this](const QStyleOptionViewItem& option, int) { return QSize(option.rect.width(), ItemHeight()); }));
    SetStyle(csDropDownList);
    UpdateItemHeight();
}

int TOwnerDrawComboBox::GetItemHt()
{
    return IntMax(9, QFontMetrics(Font()->ToQFont()).height() + 1);
}

void TOwnerDrawComboBox::UpdateItemHeight()
{
    FItemHeight = GetItemHt();
    ComboOf(this)->update();
}

void TOwnerDrawComboBox::font_changed()
{
    TComboBox::font_changed();
    if (Widget())
        UpdateItemHeight();
}

void TOwnerDrawComboBox::PaintItem(QPainter* painter, const QRect& rect, int index, bool selected)
{
    TOwnerDrawState state;
    if (selected)
        state << odSelected;
    if (!Enabled())
        state << odDisabled;
    FCanvas.BeginPaint(painter);
    FCanvas.Font()->Assign(*Font());
    // Items stand on the list's window colour, as a combo box's list does.
    FCanvas.Brush()->SetColor(selected ? clHighlight : clWindow);
    if (selected)
        FCanvas.Font()->SetColor(clHighlightText);
    Dispatch([&] { DrawItem(index, ToTRect(rect), state); });
    FCanvas.EndPaint();
}

void TOwnerDrawComboBox::DrawItem(int index, TRect rect, TOwnerDrawState)
{
    FCanvas.FillRect(rect);
    if (index >= 0 && index < Items()->Count())
        FCanvas.TextOut(rect.Left + 2, rect.Top, Items()->Get(index));
}

// The list style draws the chosen item in the box as the list draws it.
bool TOwnerDrawComboBox::widget_event(QObject* watched, QEvent* event)
{
    QComboBox* combo = ComboOf(this);
    if (watched == combo && event->type() == QEvent::Paint && !combo->isEditable()) {
        QStylePainter painter(combo);
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = false;
        option.frame = true;
        painter.drawComplexControl(QStyle::CC_ComboBox, option);
        QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
        if (combo->currentIndex() >= 0)
            PaintItem(&painter, field, combo->currentIndex(), combo->hasFocus());
        return true;
    }
    return TComboBox::widget_event(watched, event);
}

// ---- colour combo box ----

TColorComboBox::TColorComboBox(TComponent* owner) : TOwnerDrawComboBox(owner)
{
    FColorNames.OnChange = [this](TObject*) {
        // The items are made again; the colour stays and is chosen again among them.
        TColor keep = FColorValue;
        PopulateList();
        SetColorValue(keep);
    };
    // The combo box reports the user's choice and typing; both may change the colour.
    TComboBox::OnChange = [this](TObject*) { UserChanged(); };
    PopulateList();
    SetColorValue(clBlack);
}

TColorComboBox::~TColorComboBox()
{
    FColorNames.OnChange = nullptr;
}

void TColorComboBox::PopulateList()
{
    TStrings* items = Items();
    items->BeginUpdate();
    items->Clear();
    for (int i = 0; i < 16; ++i) {
        AnsiString name = i < FColorNames.Count() ? FColorNames.Get(i) : AnsiString();
        if (name.empty())
            name = StandardColorName(kColors[i]);
        items->AddObject(name.substr(0, 255), ColorObject(kColors[i]));
    }
    items->EndUpdate();
    // A new list has no chosen item (Qt would choose the first).
    SetItemIndex(-1);
}

TColor TColorComboBox::ItemColor(int index) const
{
    return static_cast<TColor>(reinterpret_cast<std::intptr_t>(const_cast<TColorComboBox*>(this)->Items()->GetObject(index)));
}

TColor TColorComboBox::ColorValue() const
{
    if (Style() == csDropDownList || ItemIndex() >= 0)
        return FColorValue;
    AnsiString text = Text();
    TStrings* items = const_cast<TColorComboBox*>(this)->Items();
    for (int i = 0; i < items->Count(); ++i)
        if (AnsiSameText(items->Get(i), text))
            return ItemColor(i);
    int number = 0;
    return TryStrToInt(text, number) ? number : FColorValue;
}

void TColorComboBox::SetColorValue(TColor value)
{
    if (ItemIndex() >= 0 && value == FColorValue)
        return;
    FColorValue = value;
    for (int i = 0; i < Items()->Count(); ++i) {
        if (ItemColor(i) != value)
            continue;
        if (ItemIndex() != i)
            SetItemIndex(i);
        DoChange();
        return;
    }
    SetItemIndex(-1);
    if (Style() != csDropDownList) {
        AnsiString name = ColorToString(value);
        SetText(name.compare(0, 2, "cl") == 0 ? name.substr(2) : name);
    }
    DoChange();
}

void TColorComboBox::SetDisplayNames(bool display)
{
    if (display == FDisplayNames)
        return;
    FDisplayNames = display;
    Invalidate();
}

void TColorComboBox::UserChanged()
{
    int index = ItemIndex();
    if (index >= 0 && Text() == Items()->Get(index)) {
        SetColorValue(ItemColor(index));
        Click();
        return;
    }
    // Typing leaves the list without a chosen item, as the system combo box does.
    if (index >= 0)
        SetItemIndex(-1);
    TColor value = ColorValue();
    if (value != FColorValue) {
        FColorValue = value;
        DoChange();
    }
}

void TColorComboBox::DoChange()
{
    if (OnChange)
        OnChange(this);
}

void TColorComboBox::DrawItem(int index, TRect rect, TOwnerDrawState)
{
    TCanvas* canvas = Canvas();
    canvas->FillRect(rect);
    if (index < 0 || index >= Items()->Count())
        return;
    TRect swatch = Rect(rect.Left + 2, rect.Top + 2, FDisplayNames ? rect.Left + 2 + 22 : rect.Right - 3, rect.Bottom - 2);
    TColor brush = canvas->Brush()->Color();
    canvas->Pen()->SetColor(clWindowText);
    canvas->Rectangle(swatch.Left, swatch.Top, swatch.Right, swatch.Bottom);
    canvas->Brush()->SetColor(ItemColor(index));
    canvas->FillRect(Rect(swatch.Left + 1, swatch.Top + 1, swatch.Right - 1, swatch.Bottom - 1));
    canvas->Brush()->SetColor(brush);
    if (!FDisplayNames)
        return;
    int top = rect.Top + (rect.Height() - canvas->TextHeight("Wy")) / 2;
    canvas->Brush()->SetStyle(bsClear);
    canvas->TextOut(rect.Left + 28, top, Items()->Get(index));
    canvas->Brush()->SetColor(brush);
}
