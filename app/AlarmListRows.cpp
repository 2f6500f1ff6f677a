#include "app/AlarmListRows.h"
#include "platform/forms/ListView.h"

AlarmRow AlarmRowOf(const TListItem* item)
{
    AlarmRow row;
    row.Caption = item->Caption();
    const TStrings* subItems = item->SubItems();
    for (int k = 0; k < static_cast<int>(row.SubItems.size()) && k < subItems->Count(); ++k)
        row.SubItems[static_cast<std::size_t>(k)] = subItems->Get(k);
    return row;
}
