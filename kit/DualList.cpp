#include "kit/DualList.h"
#include <memory>
#include "kit/DualListForm.h"
#include "kit/KitText.h"
#include "kit/TextListBox.h"
#include "platform/messages/Application.h"
#include "platform/forms/Button.h"
#include "platform/forms/Label.h"

TDualListDialog::TDualListDialog(TComponent* owner)
    : TComponent(owner), FLabel1Caption(PassThroughText("&Source")), FLabel2Caption(PassThroughText("&Destination")),
      FOkBtnCaption(PassThroughText("OK")), FCancelBtnCaption(PassThroughText("Cancel")),
      FHelpBtnCaption(PassThroughText("&Help"))
{
}

bool TDualListDialog::Execute()
{
    // The window is the dialog's alone and goes when Execute ends, also by an exception.
    auto form = std::make_unique<TDualListForm>(nullptr);
    form->AfterConstruction();
    // The lists and buttons take the window's border look.
    form->SetCtl3D(FCtl3D);
    form->SetShowHelp(FShowHelp);
    for (TTextListBox* list : {form->SrcList, form->DstList})
        list->SetSorted(FSorted);
    form->SrcList->SetItems(FList1);
    form->DstList->SetItems(FList2);
    if (!FTitle.empty())
        form->SetCaption(FTitle);
    if (!FLabel1Caption.empty())
        form->SrcLabel->SetCaption(FLabel1Caption);
    if (!FLabel2Caption.empty())
        form->DstLabel->SetCaption(FLabel2Caption);
    form->OkBtn->SetCaption(FOkBtnCaption);
    form->CancelBtn->SetCaption(FCancelBtnCaption);
    form->HelpBtn->SetCaption(FHelpBtnCaption);
    form->SetHelpContext(FHelpContext);
    form->HelpBtn->SetHelpContext(FHelpContext);
    bool ok = form->ShowModal() == mrOk;
    if (ok) {
        FList1.Assign(*form->SrcList->Items());
        FList2.Assign(*form->DstList->Items());
    }
    return ok;
}
