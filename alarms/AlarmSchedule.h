// When alarms are due, and what each look at the clock asks of the alarm list. An alarm is due at
// its programme's local start read as an absolute moment by the zone rules (DateTimeToUnix states
// how a time in an hour that a daylight-saving change repeats or skips is read), less the lead
// time. Everything is compared as absolute seconds, so midnight, New Year and the changes need no
// case of their own.
#pragma once
#include "alarms/AlarmFile.h"
#include <cstdint>
#include <optional>
#include <vector>

// The lead time in minutes kept within 0..59.
int ClampLeadMinutes(int minutes);

struct AlarmMoments {
    std::int64_t start = 0;  // the programme's start, Unix seconds
    std::int64_t due = 0;    // the start less the lead
};

// Empty when the row's date or time can't be read: such a row never falls due.
std::optional<AlarmMoments> AlarmMomentsOf(const AlarmRow& row, int leadMinutes);

// Indexes of the rows, by one look at the clock.
struct AlarmLook {
    std::vector<std::size_t> fire;    // due, programme still ahead: fire now
    std::vector<std::size_t> missed;  // fell due since the last look but the programme has begun
    bool Empty() const { return fire.empty() && missed.empty(); }
};

// The alarm clock's memory between looks. The caller takes every row it is given out of the list
// (fired or listed as missed), which is what makes each alarm fire once; whatever the clock did
// meanwhile (a busy loop, a box, sleep, a jump either way, a late start), nothing due is passed
// over.
class AlarmSchedule {
public:
    // The rows due by `now` (Unix seconds), each list by due moment and then in list order. A due
    // row whose programme has not begun (its first second counts as not begun) fires however long
    // ago it fell due, as it may have been added or edited late; one whose programme has begun is
    // missed if it fell due since the last look, and otherwise was made after its programme began
    // and is left to show as old.
    AlarmLook Look(const std::vector<AlarmRow>& rows, int leadMinutes, std::int64_t now);

private:
    std::optional<std::int64_t> FLastLook;
};

// "Seuraavat hälytykset poistettiin hälyttämättä, koska ohjelma oli jo alkanut:", two CRs, then
// the missed rows listed as the start-up notice lists expired ones (ten, then a count).
AnsiString MissedAlarmsNotice(const std::vector<AlarmRow>& missed);
