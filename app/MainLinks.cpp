// What the main window answers the browser of the table views: a programme link never
// navigates but shows the programme in a box that can add its alarm, and the browser's own
// context menu is never shown.
#include "alarms/AlarmEntry.h"
#include "app/AlarmRoutines.h"
#include "app/Main.h"
#include "app/ProgrammeLink.h"
#include "platform/core/DateTime.h"
#include "platform/forms/Dialogs.h"
#include "shell/BrowserHost.h"

namespace {

// Adds the programme's alarm on the page's day `pageDate` unless the same alarm is listed already,
// which is reported.
void AddLinkedAlarm(TMainForm& form, const LinkedProgramme& programme, const AnsiString& pageDate)
{
    TDateTime start = 0;
    if (!ProgrammeStart(StrToDate(pageDate), programme.Time, start))
        return;
    if (AnyHoldsProgramme(form.AlarmRows(), FormatDateTime("d.m.yyyy", start), programme.Channel, programme.Time,
                          programme.Title)) {
        ShowAlreadyInAlarms(programme.Programme);
        return;
    }
    AddAlarmEntry(AlarmCaption(start), programme.Channel, programme.Time, programme.Title, programme.Description);
    // Kept at once, as the programme list's add command does: an alarm must not wait for a
    // clean shutdown to survive.
    form.SaveAlarmList();
}

} // namespace

void TMainForm::WWWBeforeNavigate2(TObject*, void*, const AnsiString& URL, int, const AnsiString&, const AnsiString&,
                                   const AnsiString&, bool& Cancel)
{
    if (!IsProgrammeLink(URL))
        return;
    // A programme link points into ListingGrid, not at a page: it never navigates, whatever
    // follows.
    Cancel = true;
    const GridCell cell = ParseProgrammeLink(URL);
    LinkedProgramme programme;
    if (!ListingGrid || !ReadLinkedProgramme(*ListingGrid, cell, programme))
        return;
    // The day is the page's as the box opens: the day turn or a jump while the box is up draws
    // the page of another day underneath, and the box adds what it shows.
    const AnsiString pageDate = FListingGridDate;
    if (MessageDlg(ProgrammeInfoText(programme, pageDate), mtInformation, {mbOK, mbAll}) == mrAll)
        AddLinkedAlarm(*this, programme, pageDate);
}

HRESULT TMainForm::WWWShowContextMenu(DWORD, TPoint*, void*, void*)
{
    return S_OK; // handled: no menu
}
