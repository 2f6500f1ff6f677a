// Every change of the alarm list reaches "QEX.ALS" as it happens, with one write per command:
// the add/edit dialog, the automatic alarms, the clock's firings and missed rows. A crash right
// after (the window freed without closing, so nothing is written on the way out) and a new start
// find the file as the list was.
#include "AlarmWindowFixture.h"
#include "alarms/AddAlarm.h"
#include "platform/forms/MaskEdit.h"
#include <QEvent>
#include <QWidget>
#include <algorithm>
#include <cerrno>
#include <optional>

namespace alarm_test {
namespace {

class AlarmFileWritesTest : public AlarmWindowTest {
protected:
    void SetUp() override
    {
        AlarmWindowTest::SetUp();
        SetFileFault([this](const AnsiString& path, bool writing) {
            if (writing && path == AlarmFilePath())
                ++writes;
            return 0;
        });
    }

    // The program ends without closing its window, as a kill does, and starts again on the folder.
    void CrashAndStart()
    {
        delete MainForm;
        MainForm = nullptr;
        StartWindow();
        MainForm->AlarmsTimer->SetEnabled(false);
    }

    // The file holds exactly the list.
    void ExpectFileHoldsTheList() const { EXPECT_EQ(AlarmFileBytes(), AlarmFileText(MainForm->AlarmRows())); }

    int writes = 0;
};

const std::vector<app_test::Programme> kMonday = {{"20:00", "Uutiset", "Päivän uutiset."},
                                                  {"21:00", "Elokuva", "Sotaelokuva."}};

TEST_F(AlarmFileWritesTest, AnAlarmAddedThroughTheDialogIsInTheFileWhenItClosesAndSurvivesACrash)
{
    Settings({});
    Listing("TV1", "50", EncodeDate(2026, 12, 7), {kMonday});
    Start({Row("8.12.2026 (TI)", "20:00", "#NRM ", "Huomenna")});
    MainForm->Ohjelmat->SetItemIndex(1);
    ExpectBox([](ModalBox& box) { EXPECT_TRUE(box.Press("OK")); });
    MainForm->Lishlytyksiinvalitutasetukset1Click(nullptr);
    ASSERT_EQ(MainForm->Alarmlist->Items()->Count(), 2);
    ExpectFileHoldsTheList();
    EXPECT_EQ(writes, 1);

    CrashAndStart();
    std::vector<AnsiString> titles = Titles();
    std::sort(titles.begin(), titles.end());
    EXPECT_EQ(titles, (std::vector<AnsiString>{"Elokuva", "Huomenna"}));
}

TEST_F(AlarmFileWritesTest, AnEditIsInTheFileWhenTheDialogClosesAndLeavingWritesNothing)
{
    Settings({});
    Start({Row("8.12.2026 (TI)", "20:00", "#NRM ", "A"), Row("9.12.2026 (KE)", "20:00", "#NRM ", "B")});
    SelectRows({0});
    ExpectBox([](ModalBox& box) { EXPECT_TRUE(box.Press("&Poistu")); });
    MainForm->PMenu_MuokkaahalytystClick(nullptr);
    EXPECT_EQ(writes, 0);

    SelectRows({0});
    ExpectBox([](ModalBox& box) {
        static_cast<TAddAlarmForm*>(box.Form())->MaskEdit1->SetText("21:30");
        EXPECT_TRUE(box.Press("OK"));
    });
    MainForm->PMenu_MuokkaahalytystClick(nullptr);
    ExpectFileHoldsTheList();
    EXPECT_EQ(writes, 1);
    CrashAndStart();
    for (const AlarmRow& row : MainForm->AlarmRows())
        EXPECT_EQ(row.SubItems[afTime], row.SubItems[afTitle] == "A" ? "21:30" : "20:00");
}

TEST_F(AlarmFileWritesTest, TheAutomaticAlarmsWriteWhatTheyAddedOnce)
{
    Settings({"[Hälytys]", "LisääAutomaattisesti=1", "LisääAutomaattisestiVarmista=0",
              "AutomaattisestiLisättävät=Uutiset;Elokuva;"});
    Listing("TV1", "50", EncodeDate(2026, 12, 7), {{}, kMonday});
    Start({});
    MainForm->fg1Click(nullptr);
    ASSERT_EQ(MainForm->Alarmlist->Items()->Count(), 2);
    ExpectFileHoldsTheList();
    EXPECT_EQ(writes, 1);

    // Nothing new found: nothing written.
    MainForm->fg1Click(nullptr);
    EXPECT_EQ(writes, 1);
}

TEST_F(AlarmFileWritesTest, FiredRowsLeaveTheFileAtTheirTickInOneWriteAndDoNotFireAgainAfterACrash)
{
    Settings({});
    Start({Row("7.12.2026 (MA)", "20:00", Opens("a.txt"), "A"), Row("7.12.2026 (MA)", "20:00", Opens("b.txt"), "B"),
           Row("8.12.2026 (TI)", "20:00", Opens("c.txt"), "C")});
    TickAt(At(2026, 12, 7, 19, 55));
    ASSERT_EQ(opened.size(), 2u);
    ExpectFileHoldsTheList();
    EXPECT_EQ(writes, 1);
    TickAt(At(2026, 12, 7, 19, 55, 1));
    EXPECT_EQ(writes, 1) << "a tick that changes nothing writes nothing";

    CrashAndStart();
    TickAt(At(2026, 12, 7, 19, 56));
    EXPECT_EQ(opened.size(), 2u);
    EXPECT_EQ(Titles(), std::vector<AnsiString>{"C"});
}

// Keeps the alarm file as it was when the first notice window showed.
class FirstNoticeWatch : public QObject {
public:
    explicit FirstNoticeWatch(std::function<std::string()> readFile) : FReadFile(std::move(readFile))
    {
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~FirstNoticeWatch() override { QCoreApplication::instance()->removeEventFilter(this); }

    std::optional<std::string> fileThen;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* window = qobject_cast<QWidget*>(watched);
        if (!fileThen && event->type() == QEvent::Show && window && window->isWindow() &&
            window->windowTitle().startsWith("TV1: "))
            fileThen = FReadFile();
        return false;
    }

private:
    std::function<std::string()> FReadFile;
};

TEST_F(AlarmFileWritesTest, AlarmsDueTogetherLeaveTheFileBeforeTheFirstNoticeAndNoneFiresAgainAfterACrash)
{
    Settings({});
    const AnsiString notice = "#NRM #SHD:Normaali ilmoitus näytölle "_a;
    const AlarmRow later = Row("8.12.2026 (TI)", "20:00", notice, "Later");
    Start({Row("7.12.2026 (MA)", "20:00", notice + Opens("a.txt").substr(12), "A"), later,
           Row("7.12.2026 (MA)", "20:00", notice + Opens("b.txt").substr(12), "B"),
           Row("7.12.2026 (MA)", "20:00", notice + Opens("c.txt").substr(12), "C")});
    {
        FirstNoticeWatch watch([this] { return AlarmFileBytes(); });
        TickAt(At(2026, 12, 7, 19, 55));
        ASSERT_TRUE(watch.fileThen) << "no notice showed";
        EXPECT_EQ(*watch.fileThen, AlarmFileText({later})) << "the file as the first notice showed";
        // Killed as that notice showed: the next start finds the file as it was then.
        fixture::WriteBytes(AlarmFilePath(), *watch.fileThen);
    }
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(writes, 1);

    CrashAndStart();
    TickAt(At(2026, 12, 7, 19, 55, 2));
    EXPECT_EQ(opened.size(), 3u) << "an alarm fired again";
    EXPECT_EQ(Titles(), std::vector<AnsiString>{"Later"});
    // A test firing keeps its row, in the list and in the file.
    SelectRows({0});
    MainForm->PMenu_TestaahalytystClick(nullptr);
    EXPECT_EQ(Titles(), std::vector<AnsiString>{"Later"});
    EXPECT_EQ(AlarmFileBytes(), AlarmFileText({later}));
    EXPECT_EQ(writes, 1);
}

TEST_F(AlarmFileWritesTest, RowsListedAsMissedLeaveTheFileBeforeTheirNotice)
{
    Settings({});
    Start({Row("7.12.2026 (MA)", "20:00", Opens("a.txt"), "A"), Row("8.12.2026 (TI)", "20:00", Opens("c.txt"), "C")});
    TickAt(At(2026, 12, 7, 19, 0));
    ExpectBox([this](ModalBox& box) {
        ExpectFileHoldsTheList();
        EXPECT_EQ(Titles(), std::vector<AnsiString>{"C"});
        EXPECT_TRUE(box.Press("OK"));
    });
    TickAt(At(2026, 12, 7, 20, 5));
    EXPECT_EQ(writes, 1);
}

TEST_F(AlarmFileWritesTest, AFiredRowIsOffTheFileWhileItsWarningBoxIsOpen)
{
    Settings({});
    Start({Row("7.12.2026 (MA)", "20:00", "#NRM #SHD:0 #WV:\"/nowhere/a.wav\" ", "A"),
           Row("8.12.2026 (TI)", "20:00", "#NRM ", "C")});
    ExpectBox([this](ModalBox& box) {
        EXPECT_EQ(AlarmFileBytes(), AlarmFileText({Row("8.12.2026 (TI)", "20:00", "#NRM ", "C")}));
        EXPECT_TRUE(box.Press("OK"));
    });
    TickAt(At(2026, 12, 7, 19, 55));
    EXPECT_EQ(writes, 1);
}

TEST_F(AlarmFileWritesTest, AFiringLeavesAFileStartUpCouldNotReadAsItIsWithoutABox)
{
    const std::string kept = AlarmFileText({Row("7.12.2026 (MA)", "20:00", "#NRM ", "Tallessa")});
    fixture::WriteBytes(folder.Path() + "QEX.ALS", kept);
    SetFileFault([](const AnsiString& path, bool writing) {
        return !writing && ExtractFileName(path) == "QEX.ALS" ? EIO : 0;
    });
    Settings({});
    StartWindow();
    SetFileFault(nullptr);
    MainForm->AlarmsTimer->SetEnabled(false);
    ASSERT_EQ(errors.size(), 1u) << "the read error itself";
    errors.clear();
    MainForm->AddAlarmRow(Row("7.12.2026 (MA)", "20:00", Opens("a.txt"), "A"));
    TickAt(At(2026, 12, 7, 19, 55));
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_EQ(AlarmFileBytes(), kept);
}

TEST_F(AlarmFileWritesTest, AFiringGoesOnWhenTheFileCannotBeWritten)
{
    Settings({});
    Start({Row("7.12.2026 (MA)", "20:00", Opens("a.txt"), "A"), Row("8.12.2026 (TI)", "20:00", "#NRM ", "C")});
    const std::string before = AlarmFileBytes();
    SetFileFault([](const AnsiString& path, bool writing) { return writing && path == AlarmFilePath() ? ENOSPC : 0; });
    TickAt(At(2026, 12, 7, 19, 55));
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_EQ(errors.size(), 1u) << "the failed write is told";
    errors.clear();
    EXPECT_EQ(AlarmFileBytes(), before);
}

} // namespace
} // namespace alarm_test
