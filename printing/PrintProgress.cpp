#include "printing/PrintProgress.h"

namespace {

TLabel* CentredLabel(TPPPrnPrgDlg* dialog, int left, int top, int width, int height)
{
    auto* label = new TLabel(dialog);
    label->SetParent(dialog);
    label->SetAutoSize(false);
    label->SetAlignment(taCenter);
    label->SetBounds(left, top, width, height);
    return label;
}

} // namespace

TPPPrnPrgDlg::TPPPrnPrgDlg(TComponent* owner) : TForm(owner)
{
    SetName("PPPrnPrgDlg");
    SetCaption("Print Progress");
    SetBorderStyle(bsDialog);
    SetBorderIcons({});
    SetPosition(poScreenCenter);
    SetShowInTaskbar(false);
    Font()->SetName("MS Sans Serif");
    Font()->SetHeight(-11);
    SetClientWidth(293);
    SetClientHeight(133);

    Bevel = new TBevel(this);
    Bevel->SetParent(this);
    Bevel->SetBounds(8, 8, 277, 57);
    lblStatus = CentredLabel(this, 20, 20, 249, 13);
    lblPageNumber = CentredLabel(this, 20, 40, 253, 13);

    ProgBar = new TProgressBar(this);
    ProgBar->SetParent(this);
    ProgBar->SetBounds(8, 76, 277, 13);
    ProgBar->SetMin(0);
    ProgBar->SetMax(10);
    ProgBar->SetStep(1);

    btnCancel = new TButton(this);
    btnCancel->SetParent(this);
    btnCancel->SetBounds(109, 100, 75, 25);
    btnCancel->SetCaption("&Cancel");
    btnCancel->SetCancel(true);
    btnCancel->SetDefault(true);
    btnCancel->SetModalResult(mrCancel);
}
