// Menu commands of the main window that open the settings dialog, the about box and the print
// form, toggle the day bar, empty the data folder, copy from the information pane and close the
// program.
#include "app/Main.h"
#include "dialogs/About.h"
#include "dialogs/Asetukset.h"
#include "dialogs/Tulostus.h"
#include "listings/Funktiot.h"
#include "platform/core/Files.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/ListView.h"
#include "platform/forms/MenuItem.h"
#include "platform/forms/Panel.h"
#include "platform/forms/RichEdit.h"
#include "platform/messages/Messages.h"
#include <memory>

void TMainForm::MM_PaivaPalkkiOnClick(TObject*)
{
    const bool visible = !MM_PaivaPalkkiOn->Checked();
    MM_PaivaPalkkiOn->SetChecked(visible);
    ViikotPanel->SetVisible(visible);
    FormResize(this);
    // Last, so that the bar is laid out even when the settings file can't be written.
    IniWriteValue("Muut", "PPalkki", visible, 'B');
}

void TMainForm::MM_AsetuksetClick(TObject* Sender)
{
    auto dialog = std::make_unique<TAsetuksetForm>(this);
    dialog->HotKey = TVTanaanHotkey;
    // The last steps of the dialog's OK: the new lead time, then the channel view, the channel
    // list and the views menu built again from the new settings.
    dialog->OnSaved = [this](TObject*) {
        MinutesBefore = IniReadInteger("Hälytys"_a, "MinuutitEnnenOhjelmaa", 5);
        MM_NormaaliClick(MM_Normaali);
        LoadChannelList();
        V_KanavatClick(this);
        BuildViewsMenu();
    };
    bool reset = false;
    if (auto* item = dynamic_cast<TMenuItem*>(Sender)) {
        const AnsiString& name = item->Name();
        if (name == "MM_Halytysasetukset" || name == "MM_Olestusasetukset")
            dialog->SetActivePage("Hälytykset"_a);
        else if (name == "MM_Muutasetukset")
            dialog->SetActivePage("Yleiset");
        else if (name == "MM_Kanavaasetukset")
            dialog->SetActivePage("Kanavat");
        else if (name == "MM_Varitysasetukset")
            dialog->SetActivePage("Väritys"_a);
        else if (name == "MM_Nakymat")
            dialog->SetActivePage("Näkymät"_a);
        reset = name == "MM_Olestusasetukset";
    }
    // "Olestusasetusten palautus": the defaults are restored before the dialog loads its fields.
    if (reset)
        dialog->Button10Click(this);
    dialog->ShowModal();
}

void TMainForm::MM_OhjelmastaClick(TObject*)
{
    auto about = std::make_unique<TAboutForm>(this);
    about->ShowModal();
}

void TMainForm::Valitunpivntiedot141Click(TObject*)
{
    if (!PrintForm)
        return;
    PrintForm->Button3Click(CurrentDate);
    PrintForm->ShowModal();
}

void TMainForm::Hlytykset1Click(TObject*)
{
    if (!PrintForm)
        return;
    // Rows in date and time order, their countdowns refreshed.
    AlarmlistColumnClick(this, Alarmlist->Columns()->Items(0));
    PrintForm->Button4Click(AlarmRows());
    PrintForm->ShowModal();
}

void TMainForm::TyhjennTVohjelmatiedostojenhakemisto1Click(TObject*)
{
    if (MessageDlg("Haluatko varmasti poistaa kaikki ohjelmatiedostot (*.QEX)", mtConfirmation, {mbOK, mbCancel}) ==
        mrCancel)
        return;
    TStringList files;
    ListFiles(DataFolder(), "*.QEX", files);
    for (int i = 0; i < files.Count(); ++i)
        DeleteFile(files[i]);
}

void TMainForm::InfoEdit_KopioivalittutekstileikepoydalleClick(TObject*)
{
    TiedotText->Perform(WM_COPY, 0, 0);
}

void TMainForm::Suljeohjelma1Click(TObject*)
{
    Close();
}

void TMainForm::EmptyKeyHandler(TObject*)
{
}
