// The main window's other commands: emptying the data folder, the restoring of the default
// settings, copying from the information pane, the about box and closing the program.
#include "app/MainWindowFixture.h"
#include "dialogs/Asetukset.h"
#include "listings/ListingStore.h"
#include "platform/forms/MenuItem.h"
#include "platform/forms/PageControl.h"
#include "platform/forms/RichEdit.h"
#include "platform/forms/UpDown.h"
#include <QClipboard>
#include <QGuiApplication>

namespace app_test {
namespace {

class Commands : public MainWindowTest {
protected:
    void Start()
    {
        WriteSettings({"[Kanavat]", "Käytössä=TV1;Canal+;", "[Muut]", "OletusNäkymä=Normaali", "[Hälytys]",
                       "MinuutitEnnenOhjelmaa=10"});
        WriteWeek7("TV1", WednesdayProgrammes());
        WriteWeek7("Canal+", {{"08:00", "Elokuva", "Kuvaus"}});
        StartWindow();
    }

    std::string DataFile(const char* name) const { return folder.Path() + "Tiedot/" + name; }

    // The settings dialog as it is shown: its page and the lead time it loaded.
    void ExpectSettingsDialog(int leadTime)
    {
        ExpectBox([leadTime](ModalBox& box) {
            auto* dialog = dynamic_cast<TAsetuksetForm*>(box.Form());
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->PageControl1->ActivePage()->Caption(), "Hälytykset"_a);
            EXPECT_EQ(dialog->UpDown1->Position(), leadTime);
            box.Close(mrCancel);
        });
    }
};

TEST_F(Commands, EmptyingTheDataFolderAsksFirstAndDeletesOnlyListingFiles)
{
    Start();
    fixture::WriteBytes(DataFile("05-08.qex"), "x");
    fixture::WriteBytes(DataFile("versio2.tmp"), "x");
    ExpectBox([](ModalBox& box) { EXPECT_TRUE(box.Press("Peruuta")); });
    MainForm->TyhjennTVohjelmatiedostojenhakemisto1->Click();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Hyväksy"_a);
    EXPECT_EQ(boxes[0].text, "Haluatko varmasti poistaa kaikki ohjelmatiedostot (*.QEX)");
    EXPECT_EQ(boxes[0].buttons, (std::vector<AnsiString>{"OK", "Peruuta"}));
    TStringList files;
    ListFiles(folder.Path() + "Tiedot/", "*.QEX", files);
    EXPECT_EQ(files.Count(), 3);

    ExpectOk();
    MainForm->TyhjennTVohjelmatiedostojenhakemisto1->Click();
    files.Clear();
    ListFiles(folder.Path() + "Tiedot/", "*", files);
    ASSERT_EQ(files.Count(), 1);
    EXPECT_EQ(files[0], DataFile("versio2.tmp"));
    // The shown view stays until a day is shown again.
    EXPECT_EQ(MainForm->Caption(), "QEX 2000 - TV1, Keskiviikko 11. Helmikuuta 2026");
    MainForm->V_KanavatClick(MainForm);
    EXPECT_EQ(MainForm->Caption(), "QEX 2000 - TV1, Tietoja ei ole haettu (Keskiviikko 11. Helmikuuta 2026)");
}

TEST_F(Commands, RestoringTheDefaultsAsksAndOpensTheAlarmPage)
{
    Start();
    const std::string settings = folder.Path() + "QEX.INI";
    ExpectBox([](ModalBox& box) { EXPECT_TRUE(box.Press("&Ei")); });
    ExpectSettingsDialog(10);
    MainForm->MM_Olestusasetukset->Click();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "Huom! kaikki nykyiset asetukset menetetään\r\nhaluatko varmasti jatkaa?"_a);
    EXPECT_EQ(boxes[0].buttons, (std::vector<AnsiString>{"&Kyllä"_a, "&Ei"}));
    EXPECT_TRUE(FileExists(settings));

    ExpectBox([](ModalBox& box) { EXPECT_TRUE(box.Press("&Kyllä"_a)); });
    ExpectSettingsDialog(5);
    MainForm->MM_Olestusasetukset->Click();
    // Closed without OK: the settings stay dropped.
    EXPECT_FALSE(FileExists(settings));
}

TEST_F(Commands, CopyTakesTheSelectionOfTheInformationPane)
{
    Start();
    ASSERT_GT(MainForm->TiedotText->Lines()->Count(), 0);
    const AnsiString first = MainForm->TiedotText->Lines()->Get(0);
    ASSERT_GE(first.size(), 5u);
    QGuiApplication::clipboard()->clear();
    MainForm->TiedotText->SetSelStart(0);
    MainForm->TiedotText->SetSelLength(5);
    MainForm->InfoEdit_Kopioivalittutekstileikepoydalle->Click();
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), first.substr(0, 5));
}

TEST_F(Commands, AboutBoxAndClosingTheProgram)
{
    Start();
    ExpectBox([](ModalBox& box) {
        EXPECT_EQ(box.Kind(), TModalKind::Form);
        EXPECT_EQ(box.Caption(), "Ohjelmasta");
        box.Close(mrOk);
    });
    MainForm->MM_Ohjelmasta->Click();
    EXPECT_EQ(boxes.size(), 1u);

    MainForm->Suljeohjelma1->Click();
    Flush();
    EXPECT_TRUE(app.Terminated());
    EXPECT_EQ(app.ExitCode(), 1);
    EXPECT_TRUE(FileExists(folder.Path() + "QEX.ALS"));
}

} // namespace
} // namespace app_test
