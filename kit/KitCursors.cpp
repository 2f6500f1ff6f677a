#include "kit/KitCursors.h"

void RegisterKitCursors()
{
    Screen->SetCursors(crKitHand, Qt::PointingHandCursor);
    Screen->SetCursors(crKitDrag, Qt::DragMoveCursor);
}
