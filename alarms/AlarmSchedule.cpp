#include "alarms/AlarmSchedule.h"
#include <algorithm>
#include <cmath>

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
constexpr double kMillisecondsPerDay = 86400000.0;

} // namespace

int ClampLeadMinutes(int minutes)
{
    return std::clamp(minutes, 0, 59);
}

std::int64_t WholeSecond(TDateTime moment)
{
    // Through milliseconds first, so that 19:55:00.000 stored as 19:54:59.99999... stays 19:55:00.
    const auto milliseconds = static_cast<std::int64_t>(std::llround(moment * kMillisecondsPerDay));
    const std::int64_t second = milliseconds / 1000;
    return milliseconds % 1000 < 0 ? second - 1 : second;
}

TDateTime MomentOfSecond(std::int64_t second)
{
    return static_cast<double>(second) / static_cast<double>(kSecondsPerDay);
}

std::optional<std::int64_t> AlarmDueSecond(const AlarmRow& row, int leadMinutes)
{
    TDateTime start = 0;
    if (!row.StartMoment(start))
        return std::nullopt;
    return WholeSecond(start) - static_cast<std::int64_t>(ClampLeadMinutes(leadMinutes)) * 60;
}

SecondRange DueSeconds::Take(std::int64_t now)
{
    SecondRange range{now, now};
    if (FLast && *FLast < now)
        range.first = std::max(*FLast + 1, now - CatchUpSeconds + 1);
    else if (FLast && *FLast == now)
        range = SecondRange{};
    FLast = now;
    return range;
}

std::vector<std::size_t> RowsDueIn(const std::vector<AlarmRow>& rows, int leadMinutes, SecondRange range)
{
    std::vector<std::pair<std::int64_t, std::size_t>> due;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        std::optional<std::int64_t> second = AlarmDueSecond(rows[i], leadMinutes);
        if (second && range.Holds(*second))
            due.emplace_back(*second, i);
    }
    std::stable_sort(due.begin(), due.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::size_t> order;
    for (const auto& entry : due)
        order.push_back(entry.second);
    return order;
}
