// The main menu and the pop-up menus of the main window, with their captions and shortcuts.
#include "app/Main.h"
#include "platform/forms/MainMenu.h"
#include "platform/forms/PopupMenu.h"

namespace {

TMenuItem* AddItem(TComponent* owner, TMenuItem* parent, const char* name, const AnsiString& caption,
                   TShortCut shortCut = 0, TNotifyEvent onClick = nullptr)
{
    auto* item = new TMenuItem(owner);
    item->SetName(name);
    item->SetCaption(caption);
    item->SetShortCut(shortCut);
    item->OnClick = std::move(onClick);
    parent->Add(item);
    return item;
}

TMenuItem* AddSeparator(TComponent* owner, TMenuItem* parent)
{
    auto* item = new TMenuItem(owner);
    item->SetCaption("-");
    parent->Add(item);
    return item;
}

} // namespace

void TMainForm::CreateMenus()
{
    auto on = [this](void (TMainForm::*handler)(TObject*)) {
        return TNotifyEvent([this, handler](TObject* sender) { (this->*handler)(sender); });
    };

    Mainmenu = new TMainMenu(this);
    Mainmenu->SetName("Mainmenu");
    TMenuItem* bar = Mainmenu->Items();

    MM_Tietojenetsinta = AddItem(this, bar, "MM_Tietojenetsinta", "Tietojen &haku");
    // The download, the searches and the automatic alarms are wired by their own units.
    MM_AloitaHaku = AddItem(this, MM_Tietojenetsinta, "MM_AloitaHaku", "Hae ohjelmatiedot", VK_F7);
    MM_Etsiohjelmiatallennetuistatiedoista = AddItem(this, MM_Tietojenetsinta, "MM_Etsiohjelmiatallennetuistatiedoista",
                                                     "Etsi ohjelmatiedoista...", VK_F3);
    MM_EtsiIMDB = AddItem(this, MM_Tietojenetsinta, "MM_EtsiIMDB", "Etsi The Internet Movie Database:sta (IMDb)...",
                          VK_F2);
    Pienennohjelmatykaluriville1 = AddItem(this, MM_Tietojenetsinta, "Pienennohjelmatykaluriville1",
                                           "Pienennä ohjelma työkaluriville"_a, VK_F8,
                                           on(&TMainForm::Pienennohjelmatykaluriville1Click));
    fg1 = AddItem(this, MM_Tietojenetsinta, "fg1", "Suorita automaattinen hälytysten lisäys"_a);
    Suljeohjelma1 = AddItem(this, MM_Tietojenetsinta, "Suljeohjelma1", "Sulje ohjelma", 0,
                            on(&TMainForm::Suljeohjelma1Click));

    MM_Paiva = AddItem(this, bar, "MM_Paiva", "Päivä"_a);
    MM_Tanaan = AddItem(this, MM_Paiva, "MM_Tanaan", "&Tänään"_a, VK_F6, on(&TMainForm::MM_TanaanClick));
    AddSeparator(this, MM_Paiva);
    for (int i = 1; i <= 14; ++i) {
        if (i == 8)
            AddSeparator(this, MM_Paiva);
        AnsiString name = "MM_D" + std::to_string(i);
        MM_D[i] = AddItem(this, MM_Paiva, name.c_str(), name, 0, on(&TMainForm::DayMenuClick));
        MM_D[i]->SetRadioItem(true);
        MM_D[i]->Tag = i;
    }
    AddSeparator(this, MM_Paiva);
    MM_PaivaPalkkiOn = AddItem(this, MM_Paiva, "MM_PaivaPalkkiOn", "&Päiväpalkki näkyvissä"_a, 0,
                               on(&TMainForm::MM_PaivaPalkkiOnClick));

    MM_Nakyma = AddItem(this, bar, "MM_Nakyma", "Näkymä"_a);
    MM_Normaali = AddItem(this, MM_Nakyma, "MM_Normaali", "&Normaali", 0, on(&TMainForm::MM_NormaaliClick));
    MM_Normaali->SetRadioItem(true);
    // The programme list in front, with its pop-up menu, is the channel view until a view is
    // chosen.
    MM_Normaali->SetChecked(true);
    AddSeparator(this, MM_Nakyma);

    Tulostus1 = AddItem(this, bar, "Tulostus1", "Tulostus");
    Valitunpivntiedot141 = AddItem(this, Tulostus1, "Valitunpivntiedot141", "Valitun päivän tiedot"_a, 0,
                                   on(&TMainForm::Valitunpivntiedot141Click));
    Hlytykset1 = AddItem(this, Tulostus1, "Hlytykset1", "Hälytykset"_a, 0, on(&TMainForm::Hlytykset1Click));

    MM_Asetukset = AddItem(this, bar, "MM_Asetukset", "&Asetukset");
    MM_Muutasetukset = AddItem(this, MM_Asetukset, "MM_Muutasetukset", "Yleiset...", VK_F5,
                               on(&TMainForm::MM_AsetuksetClick));
    MM_Halytysasetukset = AddItem(this, MM_Asetukset, "MM_Halytysasetukset", "Hälytys..."_a, 0,
                                  on(&TMainForm::MM_AsetuksetClick));
    MM_Kanavaasetukset = AddItem(this, MM_Asetukset, "MM_Kanavaasetukset", "Kanavat...", 0,
                                 on(&TMainForm::MM_AsetuksetClick));
    MM_Varitysasetukset = AddItem(this, MM_Asetukset, "MM_Varitysasetukset", "Väritys..."_a, 0,
                                  on(&TMainForm::MM_AsetuksetClick));
    MM_Nakymat = AddItem(this, MM_Asetukset, "MM_Nakymat", "Näkymät..."_a, 0, on(&TMainForm::MM_AsetuksetClick));
    MM_Olestusasetukset = AddItem(this, MM_Asetukset, "MM_Olestusasetukset", "Olestusasetusten palautus", 0,
                                  on(&TMainForm::MM_AsetuksetClick));
    TyhjennTVohjelmatiedostojenhakemisto1 =
        AddItem(this, MM_Asetukset, "TyhjennTVohjelmatiedostojenhakemisto1",
                "Tyhjennä TV-ohjelmatiedostojen hakemisto"_a, 0,
                on(&TMainForm::TyhjennTVohjelmatiedostojenhakemisto1Click));

    MM_Ohjeet = AddItem(this, bar, "MM_Ohjeet", "&Ohjeet");
    MM_Ohjelmanpikanappaimet = AddItem(this, MM_Ohjeet, "MM_Ohjelmanpikanappaimet", "Ohjelman pikanäppäimet"_a,
                                       VK_F1, on(&TMainForm::MM_OhjelmanpikanappaimetClick));
    MM_Ohjelmasta = AddItem(this, MM_Ohjeet, "MM_Ohjelmasta", "Ohjelmasta", 0, on(&TMainForm::MM_OhjelmastaClick));

    Kanavat_PopupMenu = new TPopupMenu(this);
    Kanavat_PopupMenu->SetName("Kanavat_PopupMenu");
    Kanavat_EtsiKanavanTiedoista = AddItem(this, Kanavat_PopupMenu->Items(), "Kanavat_EtsiKanavanTiedoista",
                                           "Etsi kanavan tiedoista");

    InfoEdit_PopupMenu = new TPopupMenu(this);
    InfoEdit_PopupMenu->SetName("InfoEdit_PopupMenu");
    InfoEdit_Kopioivalittutekstileikepoydalle =
        AddItem(this, InfoEdit_PopupMenu->Items(), "InfoEdit_Kopioivalittutekstileikepoydalle",
                "Kopioi valittu teksti leikepöydälle"_a, ShortCut('C', {ssCtrl}),
                on(&TMainForm::InfoEdit_KopioivalittutekstileikepoydalleClick));
    InfoEdit_EtsiIMDB = AddItem(this, InfoEdit_PopupMenu->Items(), "InfoEdit_EtsiIMDB",
                                "Etsi valittu teksti The Internet Movie Database:sta (IMDb)...");

    // Their commands come with the alarm list.
    Ohjelmat_PopupMenu = new TPopupMenu(this);
    Ohjelmat_PopupMenu->SetName("Ohjelmat_PopupMenu");
    PopupMenu_Alarms = new TPopupMenu(this);
    PopupMenu_Alarms->SetName("PopupMenu_Alarms");

    SetMenu(Mainmenu);
}
