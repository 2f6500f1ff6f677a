// Tags of the views menu's own items: the own views carry their entry's index, the alarm view and
// the what-is-on-now view these two.
#pragma once

constexpr int AlarmViewTag = 5000;
constexpr int NowOnAirViewTag = 5001;
