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

// The start of drawing a row with marks in front: fills its rectangle, turns its leading marks
// into the canvas font (a selected row in the window colour) and gives back the text after them.
// False for an empty row or an index outside the list, which draw nothing.
bool PrepareMarkedRow(TListBox& list, int index, const TRect& rect, TOwnerDrawState state, AnsiString& text);
