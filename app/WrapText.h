// The class library's word wrap: breaks a text into lines of at most `maxCol` columns after one
// of `breakChars`, inserting `breakStr`. A break already in the text starts a new count; text
// between single or double quotes is never broken; a word longer than the limit stays whole.
#pragma once
#include "platform/core/AnsiString.h"

AnsiString WrapText(const AnsiString& line, const AnsiString& breakStr, const AnsiString& breakChars, int maxCol);
