// The programme links of the table pages: "##&" + column + "-" + row, pointing at a cell of the
// own views' listing grid. Row 0 of the grid holds the channel names, column 0 the start times;
// a programme's description lies ColCount - 1 columns to the right of its cell.
#pragma once
#include "platform/core/AnsiString.h"

class TStringGrid;

struct GridCell {
    int Col = 0;
    int Row = 0;
};

// Whether the address is a programme link; any other navigates as usual.
bool IsProgrammeLink(const AnsiString& url);
// The cell of a programme link: the column is the number before the first '-' after the mark,
// the row the number of at most five characters after that '-'. Numbers that can't be read
// raise EConvertError (the pages write only numbers).
GridCell ParseProgrammeLink(const AnsiString& url);

// What a link shows and what its alarm is made of.
struct LinkedProgramme {
    AnsiString Channel;
    AnsiString Programme;   // the cell without tags: "hh:nn Title", or the title alone
    AnsiString Description; // without tags
    AnsiString Time;        // "hh:nn" of the grid row, after midnight as 00:30
    AnsiString Title;       // without the time and surrounding blanks
};

// False when the cell lies outside the grid's programme cells or holds no programme (an empty
// cell, or the blank that stands for a channel without listings).
bool ReadLinkedProgramme(const TStringGrid& grid, GridCell cell, LinkedProgramme& programme);

// The information box's text: channel, weekday and date, the programme, and the description
// wrapped at 60 columns. `dateText` is the shown day "d.m.yyyy".
AnsiString ProgrammeInfoText(const LinkedProgramme& programme, const AnsiString& dateText);
