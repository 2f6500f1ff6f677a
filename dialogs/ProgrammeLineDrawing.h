// Drawing of one programme line in an owner-drawn list: the leading marks "<b>" and
// "<c:colour>" become bold text and a colour (a selected line is drawn in the window colour over
// the highlight), and the column mark of the list's layout lays the line out in columns:
// "<w:channel>" (time-line: time, channel, title), "<w2:channel>" (search results: date and
// time, channel, title) and " <t>" (what is on now: channel, then time and title). The marks are
// read only where the program writes them (listings/ProgrammeRow.h), so a title is drawn whole
// whatever it holds. The main window's programme list and the TV-today window draw their lines
// with it.
#pragma once
#include "listings/ProgrammeRow.h"
#include "platform/forms/ListBox.h"

void DrawProgrammeLine(TListBox& list, int index, const TRect& rect, TOwnerDrawState state, RowLayout layout);

// The start of drawing a row: fills its rectangle and makes the canvas font what the marks in
// front of it ask for (bold on air, its colours in order), a selected row in the window colour.
void PrepareRowCanvas(TListBox& list, const TRect& rect, TOwnerDrawState state, const ProgrammeRow& marks);
