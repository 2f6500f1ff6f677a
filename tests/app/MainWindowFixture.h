// The real main window in-process: a program folder in a temporary folder with a settings file,
// listing files and an alarm file written as bytes, a fixed clock, and a modal handler that
// answers the boxes the test expects and fails on any other.
#pragma once
#include "app/Main.h"
#include "app/ProgramMain.h"
#include "alarms/AlarmFile.h"
#include "listings/ChannelTable.h"
#include "platform/core/Clock.h"
#include "platform/core/DateTime.h"
#include "platform/core/Files.h"
#include "platform/core/SysUtils.h"
#include "platform/forms/Modal.h"
#include "platform/forms/Panel.h"
#include "platform/forms/RichEdit.h"
#include <QWidget>
#include "platform/messages/Application.h"
#include "services/RecordingKeyGrabber.h"
#include "shell/GlobalHotKey.h"
#include "support/ListingFixture.h"
#include <QCoreApplication>
#include <concepts>
#include <cstdlib>
#include <deque>
#include <functional>
#include <ostream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace app_test {

using fixture::Programme;

inline TDateTime At(int year, int month, int day, int hour, int minute, int second = 0)
{
    return EncodeDate(year, month, day) + EncodeTime(hour, minute, second, 0);
}

// Wednesday's programmes of the usual test day: the day runs from 06:00 past midnight.
inline std::vector<Programme> WednesdayProgrammes()
{
    return {{"06:00", "Aamu-tv", "Uutisia ja säätä."},
            {"09:00", "Uutiset", "Päivän uutiset."},
            {"09:55", "Ryhmä H", "Ensimmäinen esitys."},
            {"10:25", "Jääkiekon MM", ""},
            {"12:00", "Puoli seitsemän", "Makasiini."},
            {"18:00", "Iltauutiset", "Uutiset."},
            {"21:00", "Elokuva: Tuntematon sotilas", "Sotaelokuva."},
            {"00:30", "Yöelokuva", "Elokuva yöhön."},
            {"01:45", "Lopetus", ""}};
}

struct Box {
    TModalKind kind;
    AnsiString caption;
    AnsiString text;
    std::vector<AnsiString> buttons;
};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetExeFolder(folder.Path());
        ASSERT_TRUE(ForceDirectories(folder.Path() + "Tiedot"));
        MainInitialization();
        ClockSet(At(2026, 2, 11, 10, 0));
        SetUnansweredModalReporter([](const AnsiString& description) { ADD_FAILURE() << description; });
        SetModalHandler([this](ModalBox& box) {
            boxes.push_back({box.Kind(), box.Caption(), box.Text(), box.Buttons()});
            if (answers.empty()) {
                ADD_FAILURE() << "unexpected box \"" << box.Caption() << "\": " << box.Text();
                box.Close(mrCancel);
                return;
            }
            auto answer = std::move(answers.front());
            answers.pop_front();
            answer(box);
        });
        app.OnException = [this](TObject*, const std::exception& error) { errors.push_back(error.what()); };
    }

    void TearDown() override
    {
        delete MainForm;
        SetModalHandler(nullptr);
        SetUnansweredModalReporter(nullptr);
        EXPECT_TRUE(answers.empty()) << answers.size() << " prepared answers were not used";
        EXPECT_TRUE(errors.empty()) << "first error: " << (errors.empty() ? "" : errors.front());
        FormatSettings() = savedFormats;
        ClockUseSystem();
        SetFileFault(nullptr);
        SetExeFolder("");
    }

    // Settings lines in UTF-8 source text, stored as Windows-1252 with CR LF.
    void WriteSettings(const std::vector<std::string>& lines)
    {
        std::string text;
        for (const std::string& line : lines)
            text += cp1252::FromUtf8(line) + "\r\n";
        fixture::WriteBytes(folder.Path() + "QEX.INI", text);
    }

    // The usual settings: two channels, the channel view by default.
    void WriteUsualSettings()
    {
        WriteSettings({"[Kanavat]", "Käytössä=TV1;Canal+;", "[Muut]", "OletusNäkymä=Normaali"});
    }

    // One channel's week 7 (9.2.-15.2.2026) with the given programmes on Wednesday.
    void WriteWeek7(const char* channel, const std::vector<Programme>& wednesday, int dayIndex = 3)
    {
        std::vector<std::vector<Programme>> week(7);
        for (const Programme& p : wednesday)
            week[static_cast<std::size_t>(dayIndex - 1)].push_back(
                {p.time, cp1252::FromUtf8(p.title), cp1252::FromUtf8(p.description)});
        fixture::WriteWeek(folder.Path() + "Tiedot/", std::atoi(ChannelCode(channel).c_str()), "07", 2026, 2, 9,
                           week);
    }

    // One channel's week of `monday` (file week `weekText`) whose titles name the channel, the day
    // and the time ("TV1 Ti17.2 20:00"), so a row, a box and a saved alarm each tell their day.
    void WriteDayNamedWeek(const char* channel, const std::string& weekText, TDateTime monday)
    {
        static const char* const days[] = {"Ma", "Ti", "Ke", "To", "Pe", "La", "Su"};
        std::vector<std::vector<Programme>> week(7);
        for (int d = 0; d < 7; ++d) {
            const AnsiString day = days[d] + FormatDateTime("d.m", monday + d);
            for (const char* time : {"06:00", "19:30", "20:00"})
                week[static_cast<std::size_t>(d)].push_back({time, channel + (" " + day + " " + time), ""});
        }
        int year = 0, month = 0, day = 0;
        DecodeDate(monday, year, month, day);
        fixture::WriteWeek(folder.Path() + "Tiedot/", std::atoi(ChannelCode(channel).c_str()), weekText, year, month,
                           day, week);
    }

    // Selects the one row of the programme list that starts at `time`; false when none does.
    static bool SelectRowAt(const AnsiString& time)
    {
        TListBox* list = MainForm->Ohjelmat;
        for (int i = 0; i < list->Count(); ++i)
            list->SetSelected(i, false);
        for (int i = 0; i < list->Count(); ++i)
            if (RowText(list->Items()->Get(i), MainForm->ProgrammeLayout).rfind(time, 0) == 0) {
                list->SetSelected(i, true);
                list->SetItemIndex(i);
                return true;
            }
        return false;
    }

    void ExpectBox(std::function<void(ModalBox&)> answer) { answers.push_back(std::move(answer)); }
    void ExpectOk() { ExpectBox([](ModalBox& box) { EXPECT_TRUE(box.Press("OK")); }); }

    // Creates the main window as the program's entry does (its create handler runs) and shows it.
    void StartWindow(bool show = true)
    {
        app.SetTitle("QEX 2000");
        app.CreateForm(MainForm);
        SetProgramPicture();
        if (show) {
            MainForm->Show();
            Flush();
        }
        MainForm->TVTanaanHotkey->SetEnabled(true);
    }

    static void Flush() { QCoreApplication::processEvents(); }

    std::vector<AnsiString> Items(TListBox* list) const
    {
        std::vector<AnsiString> items;
        for (int i = 0; i < list->Count(); ++i)
            items.push_back(list->Items()->Get(i));
        return items;
    }

    // The titles of the alarm list's rows, top to bottom.
    static std::vector<AnsiString> Titles()
    {
        std::vector<AnsiString> titles;
        for (const AlarmRow& row : MainForm->AlarmRows())
            titles.push_back(row.SubItems[afTitle]);
        return titles;
    }

    // The lines the information pane shows.
    static std::vector<AnsiString> Pane()
    {
        std::vector<AnsiString> lines;
        for (int i = 0; i < MainForm->TiedotText->Lines()->Count(); ++i)
            lines.push_back(MainForm->TiedotText->Lines()->Get(i));
        return lines;
    }

    std::vector<int> SelectedRows(TListBox* list) const
    {
        std::vector<int> rows;
        for (int i = 0; i < list->Count(); ++i)
            if (list->Selected(i))
                rows.push_back(i);
        return rows;
    }

    AnsiString Cp(const char* utf8) const { return cp1252::FromUtf8(utf8); }

    fixture::TempFolder folder;
    TFormatSettings savedFormats = FormatSettings();
    TApplication app;
    // Tests run side by side on one display: a real grab of the hot key would find it taken by
    // another test's window.
    RecordingKeyGrabber grabber;
    std::deque<std::function<void(ModalBox&)>> answers;
    std::vector<Box> boxes;
    std::vector<std::string> errors;
};

// Whether the alarm list holds one row alone, of this caption, time and title; the rows it holds
// when not.
inline ::testing::AssertionResult OneAlarm(const AnsiString& caption, const AnsiString& time, const AnsiString& title)
{
    const std::vector<AlarmRow> rows = MainForm->AlarmRows();
    if (rows.size() == 1 && rows[0].Caption == caption && rows[0].SubItems[afTime] == time &&
        rows[0].SubItems[afTitle] == title)
        return ::testing::AssertionSuccess();
    ::testing::AssertionResult failure = ::testing::AssertionFailure() << rows.size() << " alarm rows:";
    for (const AlarmRow& row : rows)
        failure << "\n  " << row.Caption << " " << row.SubItems[afTime] << " " << row.SubItems[afTitle];
    return failure;
}

// A case of a parameterised test: the test's instances are called by its name (CaseName) and
// messages print it.
struct NamedCase {
    const char* name;
};

template <std::derived_from<NamedCase> Case>
void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.name;
}

struct CaseName {
    template <typename Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& info) const
    {
        return info.param.name;
    }
};

} // namespace app_test
