#include "DialogsFixture.h"
#include "forms/Input.h"
#include "app/ProgramMain.h"
#include "dialogs/Tulostus.h"
#include "kit/DualListForm.h"
#include "kit/SpeedButton.h"
#include "kit/TextListBox.h"
#include "platform/forms/Button.h"
#include "platform/forms/Label.h"
#include "platform/services/Printer.h"
#include "printing/PagePrinter.h"
#include <cstdio>
#include <filesystem>
#include <memory>

namespace {

class PrintFormTest : public DialogsTest {
protected:
    void SetUp() override
    {
        DialogsTest::SetUp();
        MainInitialization();
        Pdf = Folder.Path() + "out.pdf";
        Printer()->SetOutputFileName(Pdf);
        Form = std::make_unique<TPrintForm>(nullptr);
    }
    void TearDown() override
    {
        Form.reset();
        Printer()->SetOutputFileName("");
        FormatSettings() = SavedFormats;
        DialogsTest::TearDown();
    }

    // The chooser's answer: the named channels go to the printed list, in this order.
    void ExpectChooser(std::vector<AnsiString> toPrint, const char* button = "OK",
                       std::vector<AnsiString>* offered = nullptr)
    {
        Answers.push_back([=](ModalBox& box) {
            auto* chooser = dynamic_cast<TDualListForm*>(box.Form());
            ASSERT_NE(chooser, nullptr);
            EXPECT_EQ(chooser->SrcLabel->Caption(), "&Tulostetaan");
            EXPECT_EQ(chooser->DstLabel->Caption(), "&Käytettävissä"_a);
            EXPECT_EQ(chooser->CancelBtn->Caption(), "Peruuta");
            EXPECT_FALSE(chooser->HelpBtn->Visible());
            EXPECT_EQ(chooser->SrcList->Count(), 0);
            if (offered)
                *offered = Items(*chooser->DstList->Items());
            MoveToLeft(*chooser, toPrint);
            EXPECT_TRUE(box.Press(button));
        });
    }

    // The texts of a page as the preview holds them, in drawing order.
    std::vector<MetafileText> Texts(unsigned page) const
    {
        std::vector<MetafileText> texts;
        if (TMetafile* metafile = Form->PP->PageMetafile(page))
            for (const MetafileRecord& record : metafile->Records())
                if (auto* text = std::get_if<MetafileText>(&record))
                    texts.push_back(*text);
        return texts;
    }
    const MetafileText* Find(unsigned page, const AnsiString& text)
    {
        FoundTexts = Texts(page);
        for (const MetafileText& t : FoundTexts)
            if (t.Text == text)
                return &t;
        return nullptr;
    }
    int Count(unsigned page, const AnsiString& text) const
    {
        int n = 0;
        for (const MetafileText& t : Texts(page))
            n += t.Text == text;
        return n;
    }

    // The printed PDF's text, as UTF-8 laid out as on paper.
    std::string PrintedText()
    {
        EXPECT_TRUE(Form->PP->Print());
        std::string output;
        if (FILE* pipe = popen(("pdftotext -layout '" + Pdf + "' - 2>/dev/null").c_str(), "r")) {
            char buffer[4096];
            for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
                output.append(buffer, n);
            pclose(pipe);
        }
        return output;
    }

    static AlarmRow Row(const char* caption, const char* channel, const char* time, const char* title)
    {
        AlarmRow row;
        row.Caption = caption;
        row.SubItems = {channel, time, Cp(title), "", "", ""};
        return row;
    }

    void PrepareUsualDay()
    {
        WriteSettings({"[Kanavat]", "Käytössä=TV1;MTV3;Nelonen;Subtv;"});
        WriteChannelDay(1, 3, {{"06:00", "Aamu-tv", "Uutisia ja säätä."}, {"09:00", "Uutiset", ""},
                               {"21:00", "Elokuva", "Sotaelokuva."}});
        WriteChannelDay(4, 3, {{"20:00", "Salatut elämät", "Sarja."}});
    }

    TFormatSettings SavedFormats = FormatSettings();
    std::string Pdf;
    std::unique_ptr<TPrintForm> Form;
    std::vector<MetafileText> FoundTexts;
};

} // namespace

TEST_F(PrintFormTest, TheDaysListingsOfThePickedChannelsLeaveOutADayNotFetched)
{
    PrepareUsualDay();
    std::vector<AnsiString> offered;
    ExpectChooser({"TV1", "MTV3", "Nelonen"}, "OK", &offered);
    Form->Button3Click("11.2.2026");
    EXPECT_EQ(offered, (std::vector<AnsiString>{"TV1", "MTV3", "Nelonen", "Subtv"}));

    EXPECT_EQ(Form->PP->Title(), "Päivän tiedot - Keskiviikko 11.2.2026"_a);
    ASSERT_EQ(Form->PP->PageCount(), 1u);
    const MetafileText* channel = Find(1, "TV1");
    ASSERT_NE(channel, nullptr);
    EXPECT_TRUE(channel->Font.Style.Contains(fsBold));
    EXPECT_EQ(Count(1, "MTV3"), 0);
    EXPECT_EQ(Count(1, "Nelonen"), 1);
    // Times bold, titles plain, one paragraph per channel.
    const MetafileText* firstTime = Find(1, "06:00");
    ASSERT_NE(firstTime, nullptr);
    EXPECT_TRUE(firstTime->Font.Style.Contains(fsBold));
    const MetafileText* firstTitle = Find(1, " Aamu-tv");
    ASSERT_NE(firstTitle, nullptr);
    EXPECT_FALSE(firstTitle->Font.Style.Contains(fsBold));
    EXPECT_EQ(firstTitle->Y, firstTime->Y);
    EXPECT_EQ(Count(1, " 09:00"), 1);
    EXPECT_EQ(Count(1, " Uutisia ja säätä."_a), 0);

    const std::string printed = PrintedText();
    EXPECT_NE(printed.find("Päivän tiedot - Keskiviikko 11.2.2026"), std::string::npos) << printed;
    EXPECT_NE(printed.find("06:00 Aamu-tv 09:00 Uutiset 21:00 Elokuva"), std::string::npos) << printed;
    EXPECT_NE(printed.find("20:00 Salatut elämät"), std::string::npos) << printed;
    EXPECT_EQ(printed.find("MTV3"), std::string::npos);
}

TEST_F(PrintFormTest, ACancelledChooserKeepsTheEarlierDocumentAndAnEmptyChoiceIsRefused)
{
    PrepareUsualDay();
    ExpectChooser({"Nelonen"});
    Form->Button3Click("11.2.2026");
    ASSERT_NE(Find(1, "Nelonen"), nullptr);

    ExpectChooser({"TV1"}, "Peruuta");
    Form->Button3Click("11.2.2026");
    EXPECT_NE(Find(1, "Nelonen"), nullptr);
    EXPECT_EQ(Count(1, "TV1"), 0);

    ExpectChooser({});
    Answers.push_back([](ModalBox& box) {
        EXPECT_EQ(box.Caption(), "Virhe");
        EXPECT_EQ(box.Text(), "Lisää vähintään yksi kanava tulostettaviin"_a);
        EXPECT_TRUE(box.Press("OK"));
    });
    Form->Button3Click("11.2.2026");
    EXPECT_NE(Find(1, "Nelonen"), nullptr);
}

TEST_F(PrintFormTest, AlarmsAfterMidnightStayUnderTheirTvDaysHeading)
{
    Form->Button4Click({Row("6.12.2026 (SU)", "TV1", "23:00", "Myöhäisuutiset"),
                        Row("7.12.2026 (SU)", "MTV3", "01:30", "Yöelokuva"),
                        Row("7.12.2026 (MA)", "TV2", "20:00", "Uutiset"),
                        Row("7.12.2026 (MA)", "TV1", "21:00", "Elokuva")});
    EXPECT_EQ(Form->PP->Title(), "Hälytykset"_a);
    EXPECT_EQ(Count(1, "6.12.2026 (SU)"), 1);
    EXPECT_EQ(Count(1, "7.12.2026 (SU)"), 0);
    EXPECT_EQ(Count(1, "7.12.2026 (MA)"), 1);
    const MetafileText* heading = Find(1, "6.12.2026 (SU)");
    ASSERT_NE(heading, nullptr);
    EXPECT_TRUE(heading->Font.Style.Contains(fsBold));
    const MetafileText* channel = Find(1, " (MTV3)");
    ASSERT_NE(channel, nullptr);
    EXPECT_TRUE(channel->Font.Style.Contains(fsBold));

    const std::string printed = PrintedText();
    const std::size_t sunday = printed.find("6.12.2026 (SU)");
    const std::size_t late = printed.find("01:30 Yöelokuva (MTV3)");
    const std::size_t monday = printed.find("7.12.2026 (MA)");
    ASSERT_NE(sunday, std::string::npos) << printed;
    ASSERT_NE(late, std::string::npos) << printed;
    ASSERT_NE(monday, std::string::npos) << printed;
    EXPECT_LT(sunday, late);
    EXPECT_LT(late, monday);
    EXPECT_NE(printed.find("23:00 Myöhäisuutiset (TV1)"), std::string::npos) << printed;
    EXPECT_NE(printed.find("21:00 Elokuva (TV1)"), std::string::npos) << printed;
}

TEST_F(PrintFormTest, AnEmptyAlarmListGivesOnlyThePageHeaderAndThePrintButtonPrints)
{
    Form->Button4Click({});
    ASSERT_EQ(Form->PP->PageCount(), 1u);
    for (const MetafileText& text : Texts(1))
        EXPECT_EQ(text.Text, "Hälytykset"_a);
    Form->SpeedButton1->Click();
    ASSERT_TRUE(std::filesystem::exists(Pdf));
    EXPECT_GT(std::filesystem::file_size(Pdf), 0u);
}

// A dialog closes with Escape and keeps what it had: the preview, where the focus lies, as much
// as the channel chooser in front of it.
TEST_F(PrintFormTest, EscapeClosesTheChooserAndThePreviewWithoutPrinting)
{
    PrepareUsualDay();
    ExpectChooser({"Nelonen"});
    Form->Button3Click("11.2.2026");
    Answers.push_back([](ModalBox& box) {
        auto* chooser = dynamic_cast<TDualListForm*>(box.Form());
        ASSERT_NE(chooser, nullptr);
        PressKey(chooser->DstList->Widget(), Qt::Key_Escape);
    });
    Form->Button3Click("11.2.2026");
    EXPECT_NE(Find(1, "Nelonen"), nullptr);

    Answers.push_back([this](ModalBox& box) {
        ASSERT_EQ(box.Form(), Form.get());
        PressKey(Form->PP->Widget(), Qt::Key_Escape);
    });
    EXPECT_EQ(Form->ShowModal(), mrCancel);
    EXPECT_FALSE(Form->Visible());
    EXPECT_FALSE(std::filesystem::exists(Pdf));
}
