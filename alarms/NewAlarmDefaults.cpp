#include "alarms/NewAlarmDefaults.h"
#include "alarms/AlarmAction.h"

const NewAlarmSettings& NewAlarmDefaults()
{
    // Made on first use: the notice types are another unit's global.
    static const NewAlarmSettings defaults{AlarmNoticeTypes[niNormal], true, 5, "", ""};
    return defaults;
}
