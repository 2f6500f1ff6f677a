// Owner drawing of the programme list (its marks become bold text, colours and columns) and of
// the two lists on the left (an icon and the name).
#include "app/Main.h"
#include "dialogs/ProgrammeLineDrawing.h"
#include "listings/ChannelTable.h"
#include "platform/core/SysUtils.h"
#include "platform/forms/ImageList.h"

void TMainForm::OhjelmatDrawItem(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)
{
    if (auto* list = dynamic_cast<TListBox*>(Control))
        DrawProgrammeLine(*list, Index, Rect, State, ProgrammeLayout);
}

void TMainForm::V_ListatDrawItem(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)
{
    auto* list = dynamic_cast<TListBox*>(Control);
    if (!list || Index < 0 || Index >= list->Count())
        return;
    const AnsiString text = list->Items()->Get(Index);
    TCanvas* canvas = list->Canvas();
    canvas->Brush()->SetColor(clBtnFace);
    canvas->FillRect(Rect);
    const int icon = ChannelImageIndex(text);
    if (icon >= 0 && icon < S_Logot->Count())
        S_Logot->Draw(canvas, Rect.Left + 2, Rect.Top + 2, icon);
    canvas->Font()->SetColor(clWindowText);
    TFontStyles style = canvas->Font()->Style();
    if (State.Contains(odSelected))
        style = style + TFontStyles{fsBold};
    else
        style = style - TFontStyles{fsBold};
    canvas->Font()->SetStyle(style);
    canvas->TextOut(Rect.Left + 22, Rect.Top + 3, text);
}
