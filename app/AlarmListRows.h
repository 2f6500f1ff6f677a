// One row of the main window's alarm list as an AlarmRow.
#pragma once
#include "alarms/AlarmFile.h"

class TListItem;

// Sub items the row lacks stay empty.
AlarmRow AlarmRowOf(const TListItem* item);
