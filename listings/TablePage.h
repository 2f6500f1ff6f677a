// The parts that the "Taulukko" and "Taulukko 2" pages share: HTML 4.01 Transitional written line
// by line, elements in upper case with their attributes in a fixed order.
#pragma once
#include "platform/core/AnsiString.h"
#include "platform/core/Strings.h"
#include <initializer_list>

struct HtmlAttribute {
    const char* name;
    AnsiString value;
};
// "<NAME A="v" B="w">".
AnsiString StartTag(const char* name, std::initializer_list<HtmlAttribute> attributes);

// "<FONT SIZE="-2" FACE="Verdana">", the font of times and programmes.
AnsiString SmallFontTag();

// The document type, the head with its link styles, BODY and the outer TABLE start.
void AddPageHead(TStrings& page);
// "</TABLE>", "</BODY>", "</HTML>".
void AddPageEnd(TStrings& page);
// The navy header cell of one channel (indent 4); the name is written as text.
AnsiString ChannelHeaderCell(const AnsiString& channel, const AnsiString& width);
// The width of a channel column in percent: 90 / channels, halves to the even neighbour.
// Only asked when there are channels.
AnsiString ChannelColumnWidth(int channels);
