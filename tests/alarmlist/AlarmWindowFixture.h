// The real main window on Monday 7.12.2026 with alarms written into "QEX.ALS" before it starts,
// the alarm clock ticked by hand at chosen moments, documents "opened" into a list instead of on
// the desktop, and notice windows found by their captions.
#pragma once
#include "app/MainWindowFixture.h"
#include "alarms/AlarmFile.h"
#include "platform/forms/ListView.h"
#include "platform/messages/Timer.h"
#include "platform/services/ShellExecute.h"
#include <QApplication>
#include <QPointer>

namespace alarm_test {

using app_test::At;

class AlarmWindowTest : public app_test::MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ClockSet(At(2026, 12, 7, 19, 0));
        SetDesktopOpener([this](const AnsiString& target) {
            opened.push_back(target);
            return true;
        });
    }

    void TearDown() override
    {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible() && window != MainForm->Widget())
                window->close();
        Flush();
        SetDesktopOpener(nullptr);
        MainWindowTest::TearDown();
    }

    void Settings(const std::vector<std::string>& extra, const std::string& channels = "TV1;MTV3;TV1000;")
    {
        std::vector<std::string> lines = {"[Kanavat]", "Käytössä=" + channels, "[Muut]", "OletusNäkymä=Normaali"};
        lines.insert(lines.end(), extra.begin(), extra.end());
        WriteSettings(lines);
    }

    static AlarmRow Row(const AnsiString& caption, const AnsiString& time, const AnsiString& actions,
                        const AnsiString& title = "Uutiset", const AnsiString& channel = "TV1")
    {
        AlarmRow row;
        row.Caption = caption;
        row.SubItems = {channel, time, title, "", "Päivän uutiset."_a, actions};
        return row;
    }

    // An action string that opens a document of the program folder: each firing shows in `opened`.
    AnsiString Opens(const std::string& name)
    {
        fixture::WriteBytes(folder.Path() + name, "x");
        return "#NRM #SHD:0 #EX:\"" + folder.Path() + name + "\" ";
    }

    // Starts the window with the rows as the alarm file; the timer is ticked by hand.
    void Start(const std::vector<AlarmRow>& rows)
    {
        if (!rows.empty())
            fixture::WriteBytes(folder.Path() + "QEX.ALS", AlarmFileText(rows));
        StartWindow();
        MainForm->AlarmsTimer->SetEnabled(false);
        ASSERT_EQ(MainForm->Alarmlist->Items()->Count(), static_cast<int>(rows.size()));
    }

    // The programmes of one channel in the week of `monday` (file week `weekText`); days[i] is
    // Monday + i.
    void Listing(const char* channel, const std::string& weekText, TDateTime monday,
                 const std::vector<std::vector<app_test::Programme>>& days)
    {
        std::vector<std::vector<app_test::Programme>> week(7);
        for (std::size_t d = 0; d < days.size() && d < 7; ++d)
            for (const app_test::Programme& p : days[d])
                week[d].push_back({p.time, cp1252::FromUtf8(p.title), cp1252::FromUtf8(p.description)});
        int year = 0, month = 0, day = 0;
        DecodeDate(monday, year, month, day);
        fixture::WriteWeek(folder.Path() + "Tiedot/", std::atoi(ChannelCode(channel).c_str()), weekText, year, month,
                           day, week);
    }

    // Selects exactly these lines of the programme list.
    static void SelectProgrammes(const std::vector<int>& lines)
    {
        for (int i = 0; i < MainForm->Ohjelmat->Count(); ++i)
            MainForm->Ohjelmat->SetSelected(i, false);
        for (int line : lines)
            MainForm->Ohjelmat->SetSelected(line, true);
        if (!lines.empty())
            MainForm->Ohjelmat->SetItemIndex(lines.front());
    }

    static void TickAt(TDateTime moment)
    {
        ClockSet(moment);
        MainForm->AlarmsTimerTimer(nullptr);
    }

    std::string AlarmFileBytes() const
    {
        return FileExists(AlarmFilePath()) ? ReadWholeFile(AlarmFilePath()) : std::string("<none>");
    }

    // The visible top-level window with this caption (Windows-1252), or null.
    static QWidget* WindowCaptioned(const AnsiString& caption)
    {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible() && window->windowTitle() == QString::fromStdString(cp1252::ToUtf8(caption)))
                return window;
        return nullptr;
    }

    static int VisibleWindows()
    {
        int count = 0;
        for (QWidget* window : QApplication::topLevelWidgets())
            count += window->isVisible() ? 1 : 0;
        return count;
    }

    void SelectRows(const std::vector<int>& rows)
    {
        MainForm->Alarmlist->ClearSelection();
        for (int row : rows)
            MainForm->Alarmlist->Items()->Item(row)->SetSelected(true);
    }

    std::vector<AnsiString> opened;
};

} // namespace alarm_test
