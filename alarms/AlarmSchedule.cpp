#include "alarms/AlarmSchedule.h"
#include <algorithm>

int ClampLeadMinutes(int minutes)
{
    return std::clamp(minutes, 0, 59);
}

std::optional<AlarmMoments> AlarmMomentsOf(const AlarmRow& row, int leadMinutes)
{
    TDateTime start = 0;
    if (!row.StartMoment(start))
        return std::nullopt;
    AlarmMoments moments;
    moments.start = DateTimeToUnix(start);
    moments.due = moments.start - static_cast<std::int64_t>(ClampLeadMinutes(leadMinutes)) * 60;
    return moments;
}

AlarmLook AlarmSchedule::Look(const std::vector<AlarmRow>& rows, int leadMinutes, std::int64_t now)
{
    struct Due {
        std::int64_t due;
        std::size_t index;
        bool begun;
    };
    std::vector<Due> due;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::optional<AlarmMoments> moments = AlarmMomentsOf(rows[i], leadMinutes);
        if (moments && moments->due <= now)
            // A lead time of 0 fires in the programme's first second, which still counts as ahead.
            due.push_back({moments->due, i, moments->start < now});
    }
    std::stable_sort(due.begin(), due.end(), [](const Due& a, const Due& b) { return a.due < b.due; });

    AlarmLook look;
    for (const Due& row : due) {
        if (!row.begun)
            look.fire.push_back(row.index);
        else if (!FLastLook || row.due > *FLastLook)
            look.missed.push_back(row.index);
    }
    FLastLook = now;
    return look;
}

AnsiString MissedAlarmsNotice(const std::vector<AlarmRow>& missed)
{
    std::vector<AnsiString> summaries;
    for (const AlarmRow& row : missed)
        summaries.push_back(AlarmRowSummary(row));
    return "Seuraavat hälytykset poistettiin hälyttämättä, koska ohjelma oli jo alkanut:"_a + "\r\r" +
           ListedAlarms(summaries);
}
