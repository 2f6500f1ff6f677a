#include "kit/DualListForm.h"
#include "kit/BoxRoutines.h"
#include "kit/KitText.h"
#include "kit/TextListBox.h"
#include "platform/forms/Bevel.h"
#include "platform/forms/Button.h"
#include "platform/forms/Label.h"

namespace {

TLabel* MakeLabel(TDualListForm* form, int left, int top)
{
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetBounds(left, top, label->Width(), label->Height());
    return label;
}

} // namespace

// Controls are made in their tab order, which is the order the keyboard visits them.
TDualListForm::TDualListForm(TComponent* owner) : TForm(owner)
{
    SetName("DualListForm");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    // The client area follows the frame only once the frame has been set.
    SetBounds(Left(), Top(), Width(), Height());
    SetClientWidth(392);
    SetClientHeight(269);
    Font()->SetName("MS Sans Serif");
    Font()->SetHeight(-11);
    Font()->SetStyle({fsBold});

    // A frame drawn on the form, not a window: it takes no place in the tab order.
    Bevel1 = new TBevel(this);
    Bevel1->SetParent(this);
    Bevel1->SetBounds(4, 7, 384, 224);
    SrcLabel = MakeLabel(this, 12, 12);
    DstLabel = MakeLabel(this, 216, 12);

    SrcList = MakeList(12);
    IncBtn = MakeButton(183, 32, 26, 26, ">");
    IncAllBtn = MakeButton(183, 64, 26, 26, ">>");
    ExclBtn = MakeButton(183, 97, 26, 26, "<");
    ExclAllBtn = MakeButton(183, 129, 26, 26, "<<");
    DstList = MakeList(216);
    for (TButton* arrow : {IncBtn, IncAllBtn, ExclBtn, ExclAllBtn}) {
        arrow->Font()->SetName("MS Sans Serif");
        arrow->Font()->SetHeight(-12);
        arrow->Font()->SetStyle({fsBold});
        arrow->Font()->SetColor(clBlack);
    }
    OkBtn = MakeButton(138, 239, 77, 25, "OK");
    OkBtn->SetDefault(true);
    OkBtn->SetModalResult(mrOk);
    CancelBtn = MakeButton(221, 239, 77, 25, "Cancel");
    CancelBtn->SetCancel(true);
    CancelBtn->SetModalResult(mrCancel);
    HelpBtn = MakeButton(310, 239, 77, 25, "&Help");

    OnCreate = [this](TObject* sender) { FormCreate(sender); };
    OnShow = [this](TObject* sender) {
        // The frame's width is known only once the window is shown: line the buttons up again.
        SetShowHelp(FShowHelp);
        ListClick(sender);
    };
    OnActivate = [this](TObject* sender) { ListClick(sender); };
    SrcList->OnClick = [this](TObject* sender) { ListClick(sender); };
    DstList->OnClick = [this](TObject* sender) { ListClick(sender); };
    SrcList->OnDblClick = [this](TObject* sender) { IncBtnClick(sender); };
    IncBtn->OnClick = [this](TObject* sender) { IncBtnClick(sender); };
    DstList->OnDblClick = [this](TObject* sender) { ExclBtnClick(sender); };
    ExclBtn->OnClick = [this](TObject* sender) { ExclBtnClick(sender); };
    IncAllBtn->OnClick = [this](TObject* sender) { IncAllBtnClick(sender); };
    ExclAllBtn->OnClick = [this](TObject* sender) { ExclAllBtnClick(sender); };
    SrcList->OnDragOver = [this](TObject* s, TObject* src, int x, int y, TDragState st, bool& a) {
        SrcListDragOver(s, src, x, y, st, a);
    };
    DstList->OnDragOver = [this](TObject* s, TObject* src, int x, int y, TDragState st, bool& a) {
        DstListDragOver(s, src, x, y, st, a);
    };
    SrcList->OnDragDrop = [this](TObject* s, TObject* src, int x, int y) { SrcListDragDrop(s, src, x, y); };
    DstList->OnDragDrop = [this](TObject* s, TObject* src, int x, int y) { DstListDragDrop(s, src, x, y); };
    SrcList->OnKeyDown = [this](TObject* s, WORD& key, TShiftState shift) { SrcListKeyDown(s, key, shift); };
    DstList->OnKeyDown = [this](TObject* s, WORD& key, TShiftState shift) { DstListKeyDown(s, key, shift); };
    HelpBtn->OnClick = [this](TObject* sender) { HelpBtnClick(sender); };
}

TTextListBox* TDualListForm::MakeList(int left)
{
    auto* list = new TTextListBox(this);
    list->SetParent(this);
    list->SetBounds(left, 30, 164, 194);
    list->SetItemHeight(13);
    list->SetMultiSelect(true);
    list->SetSorted(true);
    list->DragMode = dmAutomatic;
    list->SetShowHint(true);
    return list;
}

TButton* TDualListForm::MakeButton(int left, int top, int width, int height, const AnsiString& caption)
{
    auto* button = new TButton(this);
    button->SetParent(this);
    button->SetBounds(left, top, width, height);
    button->SetCaption(caption);
    return button;
}

void TDualListForm::FormCreate(TObject*)
{
    OkBtn->SetCaption(PassThroughText("OK"));
    CancelBtn->SetCaption(PassThroughText("Cancel"));
    HelpBtn->SetCaption(PassThroughText("&Help"));
    // Today's desktops draw dialogs in the plain face.
    Font()->SetStyle({});
}

void TDualListForm::SetButtons()
{
    int srcCount = SrcList->Items()->Count();
    int dstCount = DstList->Items()->Count();
    IncBtn->SetEnabled(srcCount > 0 && SrcList->SelCount() > 0);
    IncAllBtn->SetEnabled(srcCount > 0);
    ExclBtn->SetEnabled(dstCount > 0 && DstList->SelCount() > 0);
    ExclAllBtn->SetEnabled(dstCount > 0);
}

void TDualListForm::SetShowHelp(bool value)
{
    FShowHelp = value;
    HelpBtn->SetEnabled(value);
    HelpBtn->SetVisible(value);
    int width = Width();
    if (value) {
        HelpBtn->SetLeft(width - HelpBtn->Width() - 16);
        CancelBtn->SetLeft(HelpBtn->Left() - CancelBtn->Width() - 15);
    } else {
        CancelBtn->SetLeft(width - CancelBtn->Width() - 16);
    }
    OkBtn->SetLeft(CancelBtn->Left() - OkBtn->Width() - 8);
}

void TDualListForm::ListClick(TObject*)
{
    SetButtons();
}

void TDualListForm::IncBtnClick(TObject*)
{
    BoxMoveSelectedItems(SrcList, DstList);
    SetButtons();
}

void TDualListForm::IncAllBtnClick(TObject*)
{
    BoxMoveAllItems(SrcList, DstList);
    SetButtons();
}

void TDualListForm::ExclBtnClick(TObject*)
{
    BoxMoveSelectedItems(DstList, SrcList);
    SetButtons();
}

void TDualListForm::ExclAllBtnClick(TObject*)
{
    BoxMoveAllItems(DstList, SrcList);
    SetButtons();
}

void TDualListForm::ListDragOver(TTextListBox* list, TObject* Source, int X, int Y, TDragState State, bool& Accept)
{
    BoxDragOver(list, Source, X, Y, State, Accept, list->Sorted());
    // The source is always one of the two lists.
    auto* dragged = dynamic_cast<TTextListBox*>(Source);
    if (!dragged)
        return;
    if (State == dsDragLeave)
        dragged->DragCursor = crDrag;
    if (State == dsDragEnter && dragged->SelCount() > 1)
        dragged->DragCursor = crMultiDrag;
}

void TDualListForm::SrcListDragOver(TObject*, TObject* Source, int X, int Y, TDragState State, bool& Accept)
{
    ListDragOver(SrcList, Source, X, Y, State, Accept);
}

void TDualListForm::DstListDragOver(TObject*, TObject* Source, int X, int Y, TDragState State, bool& Accept)
{
    ListDragOver(DstList, Source, X, Y, State, Accept);
}

void TDualListForm::ListDragDrop(TTextListBox* list, TObject* Source, int X, int Y)
{
    if (Source == list)
        BoxMoveFocusedItem(list, list->ItemAtPos(Point(X, Y), true));
    else if (Source == SrcList)
        IncBtnClick(this);
    else if (Source == DstList)
        ExclBtnClick(this);
}

void TDualListForm::SrcListDragDrop(TObject*, TObject* Source, int X, int Y)
{
    ListDragDrop(SrcList, Source, X, Y);
}

void TDualListForm::DstListDragDrop(TObject*, TObject* Source, int X, int Y)
{
    ListDragDrop(DstList, Source, X, Y);
}

// Ctrl+Up and Ctrl+Down move the current item in an unsorted list; the key is taken also when
// the item already stands at the end.
void TDualListForm::ListKeyDown(TTextListBox* list, WORD& Key, TShiftState Shift)
{
    if (list->Sorted() || !Shift.Contains(ssCtrl))
        return;
    if (Key == VK_DOWN) {
        BoxMoveFocusedItem(list, list->ItemIndex() + 1);
        Key = 0;
    } else if (Key == VK_UP) {
        BoxMoveFocusedItem(list, list->ItemIndex() - 1);
        Key = 0;
    }
}

void TDualListForm::SrcListKeyDown(TObject*, WORD& Key, TShiftState Shift)
{
    ListKeyDown(SrcList, Key, Shift);
}

void TDualListForm::DstListKeyDown(TObject*, WORD& Key, TShiftState Shift)
{
    ListKeyDown(DstList, Key, Shift);
}

// The program never shows the Help button, and there is no help file to open.
void TDualListForm::HelpBtnClick(TObject*) {}
