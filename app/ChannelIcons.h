// The small pictures beside the channel names, drawn by the program itself (ahead, on a thread of
// their own): the channel's short name on a coloured badge, one per icon index of the channel
// table, then the alarm view's and the what-is-on-now view's.
#pragma once

#include <QImage>

class TImageList;

// Fills the list (16 x 16) in icon-index order: 0 to 22 the channels (the radio channels share
// 22), 23 the alarm view, 24 the what-is-on-now view.
void DrawChannelIcons(TImageList& icons);

// The program's own 32 x 32 picture ("Q" on a badge), for the notification area.
QImage ProgramIconImage();
