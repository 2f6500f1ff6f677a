#include "listings/TablePage.h"
#include "listings/HtmlText.h"
#include "listings/TextRoutines.h"
#include "platform/core/Colors.h"
#include "platform/core/SysUtils.h"

AnsiString StartTag(const char* name, std::initializer_list<HtmlAttribute> attributes)
{
    AnsiString tag = "<";
    tag += name;
    for (const HtmlAttribute& attribute : attributes) {
        tag += ' ';
        tag += attribute.name;
        tag += "=\"" + attribute.value + "\"";
    }
    return tag + ">";
}

AnsiString SmallFontTag()
{
    return StartTag("FONT", {{"SIZE", "-2"}, {"FACE", "Verdana"}});
}

void AddPageHead(TStrings& page)
{
    page.Add("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">");
    page.Add("<HTML>");
    page.Add("<HEAD>");
    page.Add("  <TITLE>Taulukko</TITLE>");
    page.Add("  " + StartTag("STYLE", {{"TYPE", "TEXT/CSS"}}));
    page.Add("    :link { color:black; text-decoration: none }");
    page.Add("    :visited { color:black; text-decoration: none }");
    page.Add("    :active { color:black; text-decoration: none }");
    page.Add("    :hover { text-decoration: none }");
    page.Add("  </STYLE>");
    page.Add("</HEAD>");
    page.Add("");
    page.Add(StartTag("BODY", {{"BGCOLOR", ColorToHtml(clBtnFace)}}));
    page.Add(StartTag("TABLE", {{"BGCOLOR", "BLACK"}, {"CELLSPACING", "0"}, {"CELLPADDING", "0"}, {"BORDER", "1"}}));
}

void AddPageEnd(TStrings& page)
{
    page.Add("</TABLE>");
    page.Add("</BODY>");
    page.Add("</HTML>");
}

AnsiString ChannelHeaderCell(const AnsiString& channel, const AnsiString& width)
{
    return "    " + StartTag("TD", {{"ALIGN", "CENTER"}, {"BGCOLOR", "NAVY"}, {"WIDTH", width + "%"}}) +
           StartTag("FONT", {{"SIZE", "-1"}, {"FACE", "Verdana"}, {"COLOR", "WHITE"}}) + "<B>" + HtmlEscape(channel) +
           "</B></FONT></TD>";
}

AnsiString ChannelColumnWidth(int channels)
{
    return IntToStr(Round(90.0 / channels));
}
