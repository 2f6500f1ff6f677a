// When alarms are due. An alarm is due at its programme's full start moment less the lead time,
// counted in whole seconds, so a lead that reaches back past midnight lands on the day before.
// The alarm clock looks at every second once: DueSeconds hands out the seconds not looked at yet.
#pragma once
#include "alarms/AlarmFile.h"
#include <cstdint>
#include <optional>
#include <vector>

// The lead time in minutes kept within 0..59.
int ClampLeadMinutes(int minutes);

// Whole seconds since the date origin; milliseconds are dropped, as the clock's "hh:nn:ss" does.
std::int64_t WholeSecond(TDateTime moment);
TDateTime MomentOfSecond(std::int64_t second);

// The second the row is due in; empty when its date or time can't be read.
std::optional<std::int64_t> AlarmDueSecond(const AlarmRow& row, int leadMinutes);

struct SecondRange {
    std::int64_t first = 0;
    std::int64_t last = -1;
    bool Empty() const { return last < first; }
    bool Holds(std::int64_t second) const { return second >= first && second <= last; }
};

class DueSeconds {
public:
    // How far back a late tick still looks: seconds skipped by a long modal box or busy loop
    // are caught up, but never more than the last minute.
    static constexpr std::int64_t CatchUpSeconds = 60;

    // The seconds after the last one handed out, up to `now`, at most the last CatchUpSeconds;
    // the first call (and one after the clock went back) gives `now` alone. Each second is
    // handed out once.
    SecondRange Take(std::int64_t now);

private:
    std::optional<std::int64_t> FLast;
};

// Indexes of the rows due within `range`, in firing order: by due second, and rows due in the
// same second in list order.
std::vector<std::size_t> RowsDueIn(const std::vector<AlarmRow>& rows, int leadMinutes, SecondRange range);
