// The automatic alarms: the search runs on the data side; here each programme found is checked
// against the alarm list, asked about and added.
#include "alarms/AlarmEntry.h"
#include "alarms/AutoAlarms.h"
#include "app/AlarmRoutines.h"
#include "app/Main.h"
#include "app/WrapText.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/StatusBar.h"
#include "platform/messages/Application.h"

namespace {

// The closing text replaces the searching one however the search ends.
class SearchStatus {
public:
    explicit SearchStatus(TStatusPanel* panel) : FPanel(panel)
    {
        FPanel->SetText(AutoAlarmsSearchingText());
        Application->ProcessMessages();
    }
    ~SearchStatus() { FPanel->SetText(AutoAlarmsDoneText(Added)); }
    SearchStatus(const SearchStatus&) = delete;
    SearchStatus& operator=(const SearchStatus&) = delete;

    int Added = 0;

private:
    TStatusPanel* FPanel;
};

constexpr int kQuestionColumns = 80;

AnsiString Question(const AutoAlarmCandidate& candidate)
{
    return candidate.Channel + " - " + candidate.Caption + "\r\n\r\n" + candidate.Line + "\r\n" +
           WrapText(candidate.Description, "\r\n", " ", kQuestionColumns) + "\r\n\r\n" +
           "Lisätäänkö hälytyksiin?"_a + AnsiString(11, ' ');
}

bool AlreadyAlarmed(const AutoAlarmCandidate& candidate)
{
    return AnyHoldsProgramme(MainForm->AlarmRows(), candidate.DateText, candidate.Channel, candidate.Time,
                             candidate.Title);
}

} // namespace

void AutoAddAlarms()
{
    if (!AutoAlarmsSwitchedOn())
        return;
    SearchStatus status(MainForm->StatusPanel->Panels()->Items(0));
    const bool ask = AutoAlarmsAskFirst();
    for (const AutoAlarmCandidate& candidate : FindAutoAlarmCandidates(Now(), AutoAlarmKeywords())) {
        if (AlreadyAlarmed(candidate))
            continue;
        if (ask && MessageDlg(Question(candidate), mtConfirmation, {mbYes, mbNo}) != mrYes)
            continue;
        AddAlarmEntry(candidate.Caption, candidate.Channel, candidate.Time, candidate.Title, candidate.Description);
        ++status.Added;
    }
    if (status.Added > 0)
        MainForm->SaveAlarmList();
}
