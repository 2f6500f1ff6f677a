#include "kit/CheckListBox.h"
#include <QListWidget>
#include <QPainter>
#include "kit/DrawRoutines.h"
#include "kit/MaxMin.h"
#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"
#include "platform/forms/Bitmap.h"
#include "platform/forms/PaletteColors.h"

namespace {

constexpr int kStateRole = Qt::UserRole + 2;
constexpr int kEnabledRole = Qt::UserRole + 3;
constexpr int kCellWidth = 16;
constexpr int kCellHeight = 13;

void DrawTick(QPainter& painter, QColor color, int x, int y)
{
    painter.setPen(QPen(color, 1));
    for (int i = 0; i < 3; ++i) {
        painter.drawLine(x, y + 2 + i, x + 2, y + 4 + i);
        painter.drawLine(x + 2, y + 4 + i, x + 6, y + i);
    }
}

// One picture of the grid. A grayed item is a checked one on a dithered box in a lighter mark;
// a disabled one is greyed out and embossed, so neither passes for the other.
void DrawCheckCell(QPainter& painter, int row, TCheckBoxState state, bool enabled, int x, int y)
{
    bool grayed = state == cbGrayed;
    QColor mark = !enabled ? ToQColor(clBtnShadow) : grayed ? ToQColor(clGrayText) : ToQColor(clWindowText);
    QBrush fill(ToQColor(enabled ? clWindow : clBtnFace));
    painter.setPen(ToQColor(enabled ? clBtnShadow : clGrayText));
    if (row == 0) {
        painter.setBrush(fill);
        painter.drawRect(x, y, 10, 10);
        if (grayed)
            painter.fillRect(x + 1, y + 1, 9, 9, QBrush(ToQColor(clBtnFace), Qt::Dense4Pattern));
    } else if (row == 1) {
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setBrush(fill);
        painter.drawEllipse(QRectF(x + 0.5, y + 0.5, 10, 10));
        if (state == cbChecked) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(mark);
            painter.drawEllipse(QRectF(x + 3.5, y + 3.5, 4, 4));
        }
        painter.setRenderHint(QPainter::Antialiasing, false);
        return;
    }
    if (state == cbUnchecked)
        return;
    if (!enabled)
        DrawTick(painter, ToQColor(clBtnHighlight), x + 3, y + 3);
    DrawTick(painter, mark, x + 2, y + 2);
}

// The check pictures: rows of check boxes, radio buttons and check marks; columns unchecked,
// checked and grayed, enabled and then disabled. Drawn once for every check list.
const TBitmap& CheckImages()
{
    static const TBitmap images = [] {
        QImage image(6 * kCellWidth, 3 * kCellHeight, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        for (int row = 0; row < 3; ++row)
            for (int column = 0; column < 6; ++column)
                DrawCheckCell(painter, row, static_cast<TCheckBoxState>(column % 3), column < 3,
                              column * kCellWidth + 2, row * kCellHeight + 1);
        painter.end();
        TBitmap bitmap;
        bitmap.Assign(image);
        return bitmap;
    }();
    return images;
}

TCheckBoxState StateFromOrdinal(int ordinal)
{
    // Anything a damaged settings file holds beyond the three states reads as unchecked.
    return ordinal == cbChecked ? cbChecked : ordinal == cbGrayed ? cbGrayed : cbUnchecked;
}

} // namespace

// ---- item strings ----

TCheckListBoxStrings::TCheckListBoxStrings(TKitCheckListBox* listBox)
    : TKitListBoxStrings(listBox), FCheckList(listBox)
{
}

void TCheckListBoxStrings::Exchange(int a, int b)
{
    TCheckBoxState stateA = FCheckList->State(a), stateB = FCheckList->State(b);
    bool enabledA = FCheckList->ItemEnabled(a), enabledB = FCheckList->ItemEnabled(b);
    TKitListBoxStrings::Exchange(a, b);
    FCheckList->StoreState(a, stateB);
    FCheckList->StoreState(b, stateA);
    FCheckList->SetItemEnabled(a, enabledB);
    FCheckList->SetItemEnabled(b, enabledA);
}

void TCheckListBoxStrings::Move(int from, int to)
{
    TCheckBoxState state = FCheckList->State(from);
    bool enabled = FCheckList->ItemEnabled(from);
    TKitListBoxStrings::Move(from, to);
    FCheckList->StoreState(to, state);
    FCheckList->SetItemEnabled(to, enabled);
}

// ---- the check list ----

TKitCheckListBox::TKitCheckListBox(TComponent* owner) : TKitCustomListBox(owner)
{
    SetAutoScroll(true);
    FIniLink.OnSave = [this](TObject*) { SaveStates(); };
    FIniLink.OnLoad = [this](TObject*) { LoadStates(); };
}

std::unique_ptr<TStrings> TKitCheckListBox::CreateItemList()
{
    return std::make_unique<TCheckListBoxStrings>(this);
}

TCheckBoxState TKitCheckListBox::State(int index) const
{
    CheckIndex(index);
    QVariant stored = List()->item(index)->data(kStateRole);
    TCheckBoxState state = stored.isValid() ? StateFromOrdinal(stored.toInt()) : cbUnchecked;
    if (FCheckKind == ckRadioButtons && state != cbChecked)
        return cbUnchecked;
    return state;
}

void TKitCheckListBox::StoreState(int index, TCheckBoxState state)
{
    List()->item(index)->setData(kStateRole, static_cast<int>(state));
    List()->viewport()->update();
}

void TKitCheckListBox::SetState(int index, TCheckBoxState state)
{
    CheckIndex(index);
    TCheckBoxState current = State(index);
    if (current == state && !FUpdatingStates)
        return;
    // A radio list's checked item is unchecked only by checking another.
    if (FCheckKind == ckRadioButtons && current == cbChecked && state != cbChecked)
        return;
    StoreState(index, state);
    if (FCheckKind == ckRadioButtons && state == cbChecked)
        for (int other = Count() - 1; other >= 0; --other)
            if (other != index && State(other) == cbChecked)
                StoreState(other, cbUnchecked);
    if (!FReading)
        StateChange(index);
}

bool TKitCheckListBox::ItemEnabled(int index) const
{
    CheckIndex(index);
    QVariant stored = List()->item(index)->data(kEnabledRole);
    return !stored.isValid() || stored.toBool();
}

void TKitCheckListBox::SetItemEnabled(int index, bool enabled)
{
    CheckIndex(index);
    List()->item(index)->setData(kEnabledRole, enabled);
    List()->viewport()->update();
}

void TKitCheckListBox::ApplyStateToAll(TCheckBoxState state, bool enabledOnly)
{
    if (FCheckKind == ckRadioButtons)
        return;
    for (int i = 0; i < Count(); ++i)
        if (!enabledOnly || ItemEnabled(i))
            SetState(i, state);
}

void TKitCheckListBox::ToggleClickCheck(int index)
{
    if (index < 0 || index >= Count() || !ItemEnabled(index))
        return;
    switch (State(index)) {
    case cbUnchecked: SetState(index, AllowGrayed() ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(index, cbUnchecked); break;
    case cbGrayed: SetState(index, cbChecked); break;
    }
    ClickCheck();
}

int TKitCheckListBox::CheckedIndex() const
{
    if (FCheckKind != ckRadioButtons)
        return -1;
    for (int i = 0; i < Count(); ++i)
        if (State(i) == cbChecked)
            return i;
    return -1;
}

void TKitCheckListBox::SetCheckedIndex(int index)
{
    if (FCheckKind == ckRadioButtons && Count() > 0)
        SetState(IntMax(index, 0), cbChecked);
}

void TKitCheckListBox::UpdateCheckStates()
{
    if (FCheckKind != ckRadioButtons || Count() == 0)
        return;
    FUpdatingStates = true;
    SetState(IntMax(CheckedIndex(), 0), cbChecked);
    FUpdatingStates = false;
}

void TKitCheckListBox::SetCheckKind(TCheckKind kind)
{
    if (kind == FCheckKind)
        return;
    FCheckKind = kind;
    UpdateCheckStates();
    Invalidate();
}

void TKitCheckListBox::ClickCheck()
{
    if (OnClickCheck)
        OnClickCheck(this);
}

void TKitCheckListBox::StateChange(int index)
{
    if (OnStateChange)
        OnStateChange(this, index);
}

void TKitCheckListBox::SetItems(const TStrings& source)
{
    TKitCustomListBox::SetItems(source);
    auto* strings = dynamic_cast<const TCheckListBoxStrings*>(&source);
    if (!strings || strings->CheckList() == this)
        return;
    TKitCheckListBox* other = strings->CheckList();
    for (int i = 0; i < IntMin(Count(), other->Count()); ++i) {
        StoreState(i, other->State(i));
        SetItemEnabled(i, other->ItemEnabled(i));
    }
}

void TKitCheckListBox::TakeItemState(int index, TKitCustomListBox& source, int sourceIndex)
{
    if (auto* other = dynamic_cast<TKitCheckListBox*>(&source))
        SetState(index, other->State(sourceIndex));
}

// ---- look ----

int TKitCheckListBox::GetItemWidth(int index)
{
    return TKitCustomListBox::GetItemWidth(index) + CheckColumnWidth();
}

int TKitCheckListBox::GetItemHeight()
{
    bool measured = Style() == TKitListBoxStyle::lbStandard ||
                    (Style() == TKitListBoxStyle::lbOwnerDrawFixed && !OnDrawItem());
    if (!measured)
        return TKitCustomListBox::GetItemHeight();
    int height = IntMax(TextRowHeight(), kCellHeight);
    return Style() == TKitListBoxStyle::lbOwnerDrawFixed ? IntMax(height, ItemHeight()) : height;
}

void TKitCheckListBox::DrawCheck(const TRect& column, TCheckBoxState state, bool enabled)
{
    int row = FCheckKind == ckRadioButtons ? 1 : FCheckKind == ckCheckMarks ? 2 : 0;
    int index = row * 6 + static_cast<int>(state) + (enabled ? 0 : 3);
    TBitmap cell;
    AssignBitmapCell(&CheckImages(), &cell, 6, 3, index);
    TCanvas* canvas = Canvas();
    TColor brush = canvas->Brush()->Color();
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(column);
    canvas->Draw(column.Left + (column.Width() - kCellWidth) / 2, column.Top + (column.Height() - kCellHeight) / 2, &cell);
    canvas->Brush()->SetColor(brush);
}

void TKitCheckListBox::AdjustItemRect(TRect& rect)
{
    if (UseRightToLeftReading())
        rect.Right -= CheckColumnWidth();
    else
        rect.Left += CheckColumnWidth();
}

void TKitCheckListBox::DrawItem(int index, TRect rect, TOwnerDrawState state)
{
    if (index < Count()) {
        TRect column = UseRightToLeftReading() ? Rect(rect.Right, rect.Top, rect.Right + CheckColumnWidth(), rect.Bottom)
                                               : Rect(rect.Left - CheckColumnWidth(), rect.Top, rect.Left, rect.Bottom);
        DrawCheck(column, State(index), ItemEnabled(index));
        if (!ItemEnabled(index))
            Canvas()->Font()->SetColor(state.Contains(odSelected) ? clInactiveCaptionText : clGrayText);
    }
    TKitCustomListBox::DrawItem(index, rect, state);
}

// ---- input ----

bool TKitCheckListBox::key_press(char key)
{
    switch (key) {
    case ' ':
        ToggleClickCheck(ItemIndex());
        return true;
    case '+':
    case '-':
        ApplyStateToAll(key == '+' ? cbChecked : cbUnchecked, true);
        ClickCheck();
        return true;
    default:
        return false;
    }
}

void TKitCheckListBox::mouse_down(TMouseButton button, TShiftState, int x, int y)
{
    if (button != mbLeft)
        return;
    int index = ItemAtPos(Point(x, y), true);
    if (index < 0)
        return;
    TRect item = ItemRect(index);
    bool inColumn = UseRightToLeftReading() ? item.Right - x > 0 && item.Right - x < CheckColumnWidth()
                                            : x - item.Left < CheckColumnWidth();
    if (inColumn)
        ToggleClickCheck(index);
}

// ---- stored states ----

AnsiString TKitCheckListBox::StorageSection() const
{
    return FIniLink.RootSection() + DefaultPlacementSection(this);
}

void TKitCheckListBox::SaveStates()
{
    TObject* storage = FIniLink.IniObject();
    if (Name().empty() || !storage)
        return;
    AnsiString section = StorageSection();
    StorageEraseSection(storage, section);
    StorageWriteInteger(storage, section, "Count", Count());
    for (int i = 0; i < Count(); ++i)
        StorageWriteInteger(storage, section, "Item" + IntToStr(i), static_cast<int>(State(i)));
}

void TKitCheckListBox::LoadStates()
{
    TObject* storage = FIniLink.IniObject();
    if (Name().empty() || !storage)
        return;
    AnsiString section = StorageSection();
    int count = IntMin(StorageReadInteger(storage, section, "Count", 0), Count());
    for (int i = 0; i < count; ++i) {
        SetState(i, StateFromOrdinal(StorageReadInteger(storage, section, "Item" + IntToStr(i), 0)));
        if (FCheckKind == ckRadioButtons && State(i) == cbChecked)
            break;
    }
}
