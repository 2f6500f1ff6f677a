// The keys the main window previews, the key help box and the mouse conveniences of its lists.
#include "app/Main.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/MenuItem.h"
#include "platform/forms/TabControl.h"
#include "platform/messages/Messages.h"

namespace {

LPARAM PointParam(int X, int Y)
{
    return static_cast<LPARAM>((X & 0xFFFF) | ((Y & 0xFFFF) << 16));
}

// A right press selects the row under the pointer, as a left click would.
void ClickAt(TListBox* list, int X, int Y)
{
    list->Perform(WM_LBUTTONDOWN, 0, PointParam(X, Y));
    list->Perform(WM_LBUTTONUP, 0, PointParam(X, Y));
}

} // namespace

void TMainForm::StepDay(int step)
{
    const int day = ViikonPaivatTabs->TabIndex();
    if (step > 0) {
        if (day < 6) {
            ViikonPaivatTabs->SetTabIndex(day + 1);
        } else if (CurrentWeek == 0) {
            // ViikkoChange, with the week still 0, remembers Monday for this week.
            WeekDayTab1 = 0;
            ViikonPaivatTabs->SetTabIndex(0);
            ViikotTabs->SetTabIndex(1);
        }
    } else {
        if (day > 0) {
            ViikonPaivatTabs->SetTabIndex(day - 1);
        } else if (CurrentWeek == 1) {
            WeekDayTab0 = 6;
            ViikonPaivatTabs->SetTabIndex(6);
            ViikotTabs->SetTabIndex(0);
        }
    }
    ViikkoChange(this);
}

void TMainForm::StepChannel(int step)
{
    if (!NormalViewChecked())
        return;
    const int last = V_Kanavat->Count() - 1;
    const int index = V_Kanavat->ItemIndex();
    const int wanted = index + step;
    if (wanted >= 0 && wanted <= last)
        V_Kanavat->SetItemIndex(wanted);
    V_KanavatClick(this);
    Ohjelmat->SetFocus();
}

void TMainForm::FormKeyDown(TObject*, WORD& Key, TShiftState)
{
    switch (Key) {
    case VK_MULTIPLY:
        StepDay(+1);
        Key = 0; // the lists would take the character for a type-ahead search
        break;
    case VK_ADD:
        StepChannel(+1);
        Key = 0;
        break;
    case VK_SUBTRACT:
        StepChannel(-1);
        Key = 0;
        break;
    case VK_DIVIDE:
        StepDay(-1);
        Key = 0;
        break;
    case VK_F1:
        MM_OhjelmanpikanappaimetClick(this);
        break;
    case VK_F4:
        V_Muut->SetItemIndex(0);
        V_MuutClick(this);
        break;
    case VK_F5:
        MM_AsetuksetClick(this);
        break;
    case VK_F6:
        MM_TanaanClick(this);
        break;
    case VK_F9:
        EmptyKeyHandler(this);
        break;
    default:
        // F2, F3, F7 and F8 reach their commands through the menu's shortcuts.
        break;
    }
}

void TMainForm::MM_OhjelmanpikanappaimetClick(TObject*)
{
    const AnsiString crlf = "\r\n";
    const AnsiString text = "OHJELMAN PIKANÄPPÄIMET"_a + crlf + crlf +
                            "F1    - Näyttää pikanäppäimet (tämä ikkuna)"_a + AnsiString(15, ' ') + crlf +
                            "F2    - Etsintä The Internet Movie Database:sta"_a + crlf +
                            "F3    - Etsintä tallennetuista tiedoista"_a + crlf +
                            "F4    - Näyttää hälytykset"_a + crlf + crlf +
                            "F5    - Avaa ohjelman asetukset-ikkunan" + crlf +
                            "F6    - Valitsee menossa olevan päivän"_a + crlf +
                            "F7    - Hakee viikon tiedot kanaville" + crlf +
                            "F8    - Pienentää ohjelman systemtrayhin"_a + crlf + crlf +
                            "Numpadin - ja + napit vaihtavat kanavaa" + crlf +
                            "Numpadin / ja * napit vaihtavat päivää"_a + crlf + crlf;
    MessageDlg(text, mtInformation, {mbOK});
}

void TMainForm::OhjelmatMouseDown(TObject*, TMouseButton Button, TShiftState, int X, int Y)
{
    if (Button == mbRight && Ohjelmat->SelCount() <= 1)
        ClickAt(Ohjelmat, X, Y);
}

void TMainForm::V_KanavatMouseDown(TObject*, TMouseButton Button, TShiftState, int X, int Y)
{
    if (Button == mbRight)
        ClickAt(V_Kanavat, X, Y);
    else if (Button == mbLeft)
        Ohjelmat->SetFocus();
}

void TMainForm::V_KanavatMouseUp(TObject*, TMouseButton, TShiftState, int, int)
{
    Ohjelmat->SetFocus();
}

void TMainForm::V_MuutMouseDown(TObject*, TMouseButton Button, TShiftState, int, int)
{
    if (Button == mbLeft)
        Ohjelmat->SetFocus();
}
