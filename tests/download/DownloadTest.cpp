// The download command in the real main window against the sample data server on loopback,
// reached through the proxy setting as the program reaches it: the requests on the wire, the
// files in the data folder, the offers of the version file, the progress text, the server's
// faults and a second F7 while a download runs.
#include "app/MainWindowFixture.h"
#include "download/DataServerProcess.h"
#include "listings/Settings.h"
#include "net/HttpClient.h"
#include "platform/forms/KeyCodes.h"
#include "platform/forms/MenuItem.h"
#include "platform/forms/PopupMenu.h"
#include "platform/forms/StatusBar.h"
#include "platform/forms/TabControl.h"
#include "platform/messages/Timer.h"
#include "platform/services/ShellExecute.h"
#include "app/ListingPackage.h"
#include "unpack/Gzip.h"
#include "unpack/UnpackSupport.h"
#include <memory>

namespace {

using download_test::DataServerProcess;
using unpack_test::NamesIn;
using unpack_test::Snapshot;

const std::vector<std::string> FullRoad = {"GET http://qex.example/qex/data/versio2.txt HTTP/1.0",
                                           "GET http://qex.example/qex/data/versio.txt HTTP/1.0",
                                           "POST http://qex.example/qex/data/qex.cgi HTTP/1.0"};

class DownloadTest : public app_test::MainWindowTest {
protected:
    void TearDown() override
    {
        SetDesktopOpener(nullptr);
        app_test::MainWindowTest::TearDown();
        server.reset();
    }

    // The server resolves week numbers against the test's Wednesday 11.2.2026.
    void StartServer(std::vector<std::string> options = {})
    {
        options.insert(options.begin(), {"--today", "2026-02-11"});
        server = std::make_unique<DataServerProcess>(options);
        ASSERT_NE(server->Port(), 0) << "the sample data server did not start (is python3 installed?)";
    }

    void StartProgram(const std::vector<std::string>& moreSettings = {})
    {
        std::vector<std::string> settings = {"[Kanavat]", "Käytössä=TV1;Canal+;", "[Muut]", "OletusNäkymä=Normaali",
                                             "ProxyIP=127.0.0.1", "ProxyPortti=" + std::to_string(server->Port())};
        settings.insert(settings.end(), moreSettings.begin(), moreSettings.end());
        WriteSettings(settings);
        StartWindow();
        SetDesktopOpener([this](const AnsiString& target) {
            opened.push_back(target);
            return true;
        });
    }

    void PressF7()
    {
        MainForm->MM_AloitaHaku->Click();
        Flush();
    }

    AnsiString Status() const { return MainForm->StatusPanel->Panels()->Items(0)->Text(); }
    std::string Data() const { return folder.Path() + "Tiedot/"; }
    std::vector<std::string> DataFiles() const { return NamesIn(Data()); }
    std::vector<std::string> TakeErrors() { return std::exchange(errors, {}); }

    // The status texts shown while the package comes in (the version files show none).
    void RecordProgress()
    {
        auto shown = MainForm->Http->OnDocData;
        MainForm->Http->OnDocData = [this, shown](TObject* sender, const void* buffer, int length) {
            shown(sender, buffer, length);
            if (MainForm->Downloading)
                progress.push_back(Status());
        };
    }

    std::unique_ptr<DataServerProcess> server;
    std::vector<AnsiString> opened;
    std::vector<AnsiString> progress;
};

TEST_F(DownloadTest, FetchesTheMissingFilesAndShowsThem)
{
    StartServer();
    StartProgram();
    EXPECT_EQ(MainForm->Caption(), "QEX 2000 - TV1, Tietoja ei ole haettu (Keskiviikko 11. Helmikuuta 2026)");
    // What the status bar says as each request goes out.
    std::vector<AnsiString> statusAtRequests;
    MainForm->Http->OnRequestHeaderBegin = [&](TObject*) { statusAtRequests.push_back(Status()); };
    PressF7();
    EXPECT_EQ(statusAtRequests, (std::vector<AnsiString>{"Tarkistetaan versiota...", "Tarkistetaan versiota...",
                                                         "Otetaan yhteyttä palvelimeen..."_a}));

    ASSERT_EQ(server->RequestLines(), FullRoad);
    const auto requests = server->Requests();
    const std::string agent = "User-Agent: QEX 2000 (Kelvaro - ?\?\?)";
    // The client's design values go out with every request.
    for (const auto& request : requests)
        for (const std::string& header : {agent, std::string("Host: qex.example"),
                                          std::string("Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*"),
                                          std::string("Referer: -"), std::string("Pragma: no-cache"),
                                          std::string("If-Modified-Since: Tue, 30 Dec 1980 00:00:00 GMT")})
            EXPECT_TRUE(request.HasHeader(header)) << header << " in " << request.head;
    EXPECT_EQ(requests[2].body, "files=01-07,01-08,10-07");
    EXPECT_TRUE(requests[2].HasHeader("Content-Length: 23")) << requests[2].head;
    EXPECT_TRUE(requests[2].HasHeader("Content-Type: application/x-www-form-urlencoded")) << requests[2].head;

    EXPECT_EQ(IniReadString("Haku", "GUpdate", ""), "2");
    EXPECT_EQ(DataFiles(), (std::vector<std::string>{"01-07.QEX", "01-08.QEX", "10-07.QEX", "versio2.tmp"}));
    EXPECT_EQ(Status(), "Tiedot haettu.");
    EXPECT_FALSE(MainForm->Downloading);
    // The refresh shows the fetched day at once.
    EXPECT_EQ(MainForm->Caption(), "QEX 2000 - TV1, Keskiviikko 11. Helmikuuta 2026");
    EXPECT_GT(MainForm->Ohjelmat->Count(), 10);
    EXPECT_TRUE(opened.empty());
}

TEST_F(DownloadTest, SecondDownloadOfTheMonthAsksOnlyForTheVersionFile)
{
    StartServer();
    StartProgram();
    PressF7();
    ASSERT_EQ(Status(), "Tiedot haettu.");
    PressF7();
    auto lines = server->RequestLines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[3], FullRoad[1]);
    EXPECT_EQ(Status(), "Haku ohitettu (tietoja ei puuttunut).");

    // In the next month the monthly request comes again, and its month is kept even when the
    // request fails.
    ClockSet(app_test::At(2026, 3, 2, 10, 0));
    ASSERT_TRUE(server->Control("/control/fault?mode=404&on=versio2&count=1"));
    PressF7();
    EXPECT_EQ(IniReadString("Haku", "GUpdate", ""), "3");
    EXPECT_EQ(TakeErrors(), (std::vector<std::string>{"Not Found"}));
    EXPECT_EQ(server->RequestLines().size(), 5u);
    EXPECT_EQ(server->RequestLines().back(), FullRoad[0]);
}

TEST_F(DownloadTest, NewVersionOfferedAndDeclinedThenTaken)
{
    StartServer({"--build", "477"});
    StartProgram();
    ExpectBox([this](ModalBox& box) {
        EXPECT_EQ(box.Caption(), Cp("Hyväksy"));
        EXPECT_EQ(box.Text(), "Uusi versio saatavilla.\r\nHaluatko avata selaimen ohjelman sivuille?");
        EXPECT_TRUE(box.Press("&Ei"));
    });
    PressF7();
    EXPECT_EQ(Status(), "Tiedot haettu.");
    EXPECT_TRUE(opened.empty());

    // Yes opens the program's page and ends the command there: the version file stays.
    ExpectBox([this](ModalBox& box) { EXPECT_TRUE(box.Press(Cp("&Kyllä"))); });
    PressF7();
    EXPECT_EQ(opened, (std::vector<AnsiString>{"http://www.example.com/qex/"}));
    EXPECT_EQ(Status(), "Tarkistetaan versiota...");
    EXPECT_EQ(server->RequestLines().size(), 4u);
    EXPECT_TRUE(FileExists(Data() + "versio.tmp"));
}

TEST_F(DownloadTest, AnnouncementOfferedUntilOpened)
{
    StartServer({"--build", "475", "--news", "101"});
    StartProgram();
    ExpectBox([this](ModalBox& box) {
        EXPECT_EQ(box.Text(), Cp("Ohjelman sivuilla on ilmoitus.\r\nHaluatko avata selaimen ja lukea sen?"));
        EXPECT_TRUE(box.Press("&Ei"));
    });
    PressF7();
    EXPECT_EQ(IniReadString("Haku", "News", "absent"), "absent");
    EXPECT_EQ(Status(), "Tiedot haettu.");

    ExpectBox([this](ModalBox& box) { EXPECT_TRUE(box.Press(Cp("&Kyllä"))); });
    PressF7();
    EXPECT_EQ(IniReadString("Haku", "News", ""), "101");
    EXPECT_EQ(opened, (std::vector<AnsiString>{"http://www.example.com/qex/ilmoitus.html"}));
    EXPECT_EQ(Status(), "Haku ohitettu (tietoja ei puuttunut).");
    EXPECT_FALSE(FileExists(Data() + "versio.tmp"));

    PressF7(); // no box is expected: the fixture fails on any
    EXPECT_EQ(opened.size(), 1u);
}

TEST_F(DownloadTest, AddressesThatAreNoWebPagesAreNeverOpened)
{
    StartServer({"--build", "475", "--news", "102", "--news-url", "file:///etc/passwd"});
    StartProgram();
    ExpectBox([this](ModalBox& box) { EXPECT_TRUE(box.Press(Cp("&Kyllä"))); });
    PressF7();
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(IniReadString("Haku", "News", ""), "102");
    EXPECT_EQ(Status(), "Tiedot haettu.");
}

TEST_F(DownloadTest, UnreadableVersionFileEndsTheDownloadWithItsMessage)
{
    StartServer({"--build", "x7", "--news", ""});
    StartProgram();
    PressF7();
    EXPECT_EQ(TakeErrors(), (std::vector<std::string>{"'x7 ' is not a valid integer value"}));
    EXPECT_EQ(Status(), Cp("Tietojen haku epäonnistui."));
    EXPECT_EQ(server->RequestLines().size(), 2u);
    EXPECT_EQ(DataFiles(), (std::vector<std::string>{"versio2.tmp"}));
}

// Every fault of the server: one message, no listing file written or changed, nothing of the
// package left, Downloading cleared, and the next F7 fetches normally.
TEST_F(DownloadTest, EveryServerFaultFailsCleanlyAndTheNextDownloadWorks)
{
    StartServer({"--stall-seconds", "30"});
    fixture::WriteBytes(Data() + "01-07.QEX", "kept as it was");
    StartProgram();
    MainForm->Http->SetInactivityTimeout(1500);
    const auto before = Snapshot(Data(), "versio2.tmp");
    for (const char* mode : {"404", "500", "reset", "short", "stall", "garbage", "hostile", "zerolength"}) {
        SCOPED_TRACE(mode);
        ASSERT_TRUE(server->Control(std::string("/control/fault?mode=") + mode + "&count=1"));
        PressF7();
        EXPECT_EQ(TakeErrors().size(), 1u);
        EXPECT_EQ(Status(), Cp("Tietojen haku epäonnistui."));
        EXPECT_FALSE(MainForm->Downloading);
        EXPECT_EQ(Snapshot(Data(), "versio2.tmp"), before);
        EXPECT_EQ(MainForm->Http->RcvdStream, nullptr);
    }
    PressF7();
    EXPECT_EQ(Status(), "Tiedot haettu.");
    EXPECT_EQ(DataFiles(), (std::vector<std::string>{"01-07.QEX", "01-08.QEX", "10-07.QEX", "versio2.tmp"}));
    EXPECT_EQ(unpack_test::ReadBytes(Data() + "01-07.QEX"), "kept as it was");
}

// A reply that never ends, or whose false small length is followed by a gigabyte, whichever of the
// three requests it answers: one message, nothing of it left in the data folder, and the next F7
// fetches normally.
TEST_F(DownloadTest, RepliesWithoutEndFailCleanlyWhicheverRequestTheyAnswer)
{
    StartServer();
    StartProgram();
    EXPECT_EQ(MainForm->Http->MaxBodySize, DownloadMaxSize);
    // A smaller bound keeps the test from moving 64 MiB; the end-to-end test moves them.
    MainForm->Http->MaxBodySize = 1024 * 1024;
    const std::vector<std::string> tooLarge = {"Document larger than 1048576 bytes"};
    for (const char* scope : {"versio2", "versio", "qex"}) {
        SCOPED_TRACE(scope);
        ASSERT_TRUE(server->Control(std::string("/control/fault?mode=endless&count=1&on=") + scope));
        PressF7();
        EXPECT_EQ(TakeErrors(), tooLarge);
        EXPECT_EQ(Status(), Cp("Tietojen haku epäonnistui."));
        EXPECT_FALSE(MainForm->Downloading);
        EXPECT_EQ(DataFiles(), std::vector<std::string>{});
    }
    // Only the first half of the package counts: the decompressor finds it cut and says so.
    ASSERT_TRUE(server->Control("/control/fault?mode=smalllength&count=1"));
    ExpectBox([this](ModalBox& box) { EXPECT_TRUE(box.Press(Cp("&Keskeytä"))); });
    PressF7();
    EXPECT_EQ(Status(), Cp("Tietojen haku epäonnistui."));
    EXPECT_EQ(DataFiles(), std::vector<std::string>{});
    PressF7();
    EXPECT_EQ(Status(), "Tiedot haettu.");
    EXPECT_EQ(DataFiles(), (std::vector<std::string>{"01-07.QEX", "01-08.QEX", "10-07.QEX"}));
}

// Replies whose end can't be known, that pass the bound by their length alone, or that never
// come: each is one failed download, nothing of it stays, and the next F7 fetches normally. A
// length of exactly the bound is taken, so that reply fails only at its early end.
TEST_F(DownloadTest, RepliesOfUntrustedLengthOrNoneFailCleanly)
{
    StartServer();
    StartProgram();
    const std::string cut = "Connection closed before end of document";
    const std::vector<std::pair<std::string, std::string>> faults = {
        {"negativelength", "Invalid Content-Length"},
        {"twolengths", "Invalid Content-Length"},
        {"pastbound", "Document larger than " + std::to_string(DownloadMaxSize) + " bytes"},
        {"atbound", cut},
        {"noreply", cut}};
    // Only the listing request is faulted: the month's request before it goes through.
    for (const auto& [mode, message] : faults) {
        SCOPED_TRACE(mode);
        ASSERT_TRUE(server->Control("/control/fault?mode=" + mode + "&count=1"));
        PressF7();
        EXPECT_EQ(TakeErrors(), std::vector<std::string>{message});
        EXPECT_EQ(Status(), Cp("Tietojen haku epäonnistui."));
        EXPECT_FALSE(MainForm->Downloading);
        EXPECT_EQ(DataFiles(), std::vector<std::string>{"versio2.tmp"});
    }
    PressF7();
    EXPECT_EQ(Status(), "Tiedot haettu.");
    EXPECT_EQ(DataFiles(), (std::vector<std::string>{"01-07.QEX", "01-08.QEX", "10-07.QEX", "versio2.tmp"}));
}

TEST_F(DownloadTest, ProgressShowsCountLengthAndPercentage)
{
    StartServer();
    StartProgram();
    RecordProgress();
    PressF7();
    ASSERT_FALSE(progress.empty());
    for (const AnsiString& text : progress)
        EXPECT_EQ(text.rfind("Kopioidaan tietoja... ", 0), 0u) << text;
    const AnsiString last = progress.back();
    EXPECT_EQ(last.substr(last.size() - 6), "(100%)") << last;
    EXPECT_NE(last.find('/'), AnsiString::npos) << last;
}

TEST_F(DownloadTest, ProgressWithoutALengthShowsTheCountOnly)
{
    StartServer({"--fault", "nolength"});
    StartProgram();
    RecordProgress();
    PressF7();
    EXPECT_EQ(Status(), "Tiedot haettu.");
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.back(), "Kopioidaan tietoja... " + std::to_string(MainForm->Http->RcvdCount()));
}

TEST_F(DownloadTest, F7WhileADownloadRunsIsIgnored)
{
    StartServer();
    StartProgram();
    int pressed = 0;
    auto shown = MainForm->Http->OnDocData;
    MainForm->Http->OnDocData = [&](TObject* sender, const void* buffer, int length) {
        shown(sender, buffer, length);
        if (pressed++ == 0)
            MainForm->MM_AloitaHaku->Click();
    };
    PressF7();
    EXPECT_GT(pressed, 0);
    EXPECT_EQ(server->RequestLines(), FullRoad);
    EXPECT_EQ(Status(), "Tiedot haettu.");
}

TEST_F(DownloadTest, AfterMidnightOnMondayTheTvDaysWeekIsFetchedAndShown)
{
    // At 00:05 on Monday 16.2 the TV day is still Sunday 15.2: its week (07) and the next are
    // fetched, and the refresh stays on that Sunday rather than jumping to the one a week ahead.
    StartServer();
    ClockSet(app_test::At(2026, 2, 16, 0, 5));
    StartProgram();
    PressF7();
    ASSERT_EQ(server->RequestLines(), FullRoad);
    EXPECT_EQ(server->Requests()[2].body, "files=01-07,01-08,10-07");
    EXPECT_EQ(Status(), "Tiedot haettu.");
    EXPECT_EQ(MainForm->CurrentDate, "15.2.2026");
    EXPECT_EQ(MainForm->Caption(), "QEX 2000 - TV1, Sunnuntai 15. Helmikuuta 2026");
    EXPECT_TRUE(MainForm->MM_D[7]->Checked());
    EXPECT_GT(MainForm->Ohjelmat->Count(), 10);
}

TEST_F(DownloadTest, ARunningProgramJudgesWhatIsMissingAtTheMomentOfF7)
{
    // Started on Sunday 15.2 at 23:59 and left running: at 00:14 the TV day is still Sunday, so
    // F7 asks for its week and the next, as a fresh start at that moment would.
    StartServer();
    ClockSet(app_test::At(2026, 2, 15, 23, 59));
    StartProgram();
    MainForm->AlarmsTimer->SetEnabled(false);
    ClockSet(app_test::At(2026, 2, 16, 0, 14));
    PressF7();
    ASSERT_EQ(server->RequestLines().size(), 3u);
    EXPECT_EQ(server->Requests()[2].body, "files=01-07,01-08,10-07");

    // On Monday morning the new week is this week: only what it lacks is asked for, though the
    // alarm clock has not ticked since, and the view shows Monday of that week.
    ClockSet(app_test::At(2026, 2, 16, 7, 30));
    PressF7();
    ASSERT_EQ(server->RequestLines().size(), 5u);
    EXPECT_EQ(server->Requests()[4].body, "files=01-09,10-08");
    EXPECT_EQ(Status(), "Tiedot haettu.");
    EXPECT_EQ(MainForm->Caption(), "QEX 2000 - TV1, Maanantai 16. Helmikuuta 2026");
    EXPECT_EQ(MainForm->ViikotTabs->Tabs()->Get(1), "Viikko 9  (23.2 - 1.3)");
}

// Whatever moves the day while the package is on its way, a click on a day tab or the 05:00 turn,
// and however the download ends, the day tab, the caption, the list and an alarm added from the
// list name one day.
struct DayDuringDownload : app_test::NamedCase {
    TDateTime start;          // the channel view shows the TV day of this moment
    void (*duringRequest)();  // run as the listing request goes out
    int dayTab;
    const char* caption;
    const char* rowTitle;     // the 20:00 row
    const char* alarmCaption;
};

class DownloadDayTest : public DownloadTest, public ::testing::WithParamInterface<DayDuringDownload> {};

TEST_P(DownloadDayTest, TheDayShownIsTheDayAddedWhenTheDownloadFails)
{
    const DayDuringDownload& c = GetParam();
    StartServer();
    ClockSet(c.start);
    WriteDayNamedWeek("TV1", "08", app_test::At(2026, 2, 16, 0, 0));
    StartProgram();
    MainForm->AlarmsTimer->SetEnabled(false);
    bool moved = false;
    MainForm->Http->OnRequestHeaderBegin = [&](TObject*) {
        if (MainForm->Downloading && !std::exchange(moved, true))
            c.duringRequest();
    };
    ASSERT_TRUE(server->Control("/control/fault?mode=500&on=qex&count=1"));
    PressF7();
    ASSERT_TRUE(moved);
    EXPECT_EQ(TakeErrors().size(), 1u);
    EXPECT_FALSE(MainForm->Downloading);

    EXPECT_EQ(MainForm->ViikonPaivatTabs->TabIndex(), c.dayTab);
    EXPECT_EQ(MainForm->Caption(), c.caption);
    // Ins on the 20:00 row of the list.
    ASSERT_TRUE(SelectRowAt("20:00"));
    EXPECT_EQ(RowText(MainForm->Ohjelmat->Items()->Get(MainForm->Ohjelmat->ItemIndex()), RowLayout::Channel),
              AnsiString("20:00 ") + c.rowTitle);
    ASSERT_TRUE(MainForm->Ohjelmat_PopupMenu->IsShortCut(VK_INSERT));
    EXPECT_TRUE(app_test::OneAlarm(c.alarmCaption, "20:00", c.rowTitle));
}

INSTANTIATE_TEST_SUITE_P(
    Moves, DownloadDayTest,
    ::testing::Values(
        DayDuringDownload{"DayTab", app_test::At(2026, 2, 17, 12, 0),
                          [] {
                              MainForm->ViikonPaivatTabs->SetTabIndex(2);
                              MainForm->ViikonPaivatTabs->OnChange(MainForm->ViikonPaivatTabs);
                          },
                          2, "QEX 2000 - TV1, Keskiviikko 18. Helmikuuta 2026", "TV1 Ke18.2 20:00", "18.2.2026 (KE)"},
        DayDuringDownload{"FiveOClockTurn", app_test::At(2026, 2, 17, 4, 59, 30),
                          [] {
                              ClockSet(app_test::At(2026, 2, 17, 5, 0));
                              MainForm->AlarmsTimerTimer(nullptr);
                          },
                          1, "QEX 2000 - TV1, Tiistai 17. Helmikuuta 2026", "TV1 Ti17.2 20:00", "17.2.2026 (TI)"}),
    app_test::CaseName());

} // namespace
