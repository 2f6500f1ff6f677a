#include "listings/HtmlMarks.h"
#include "listings/HtmlText.h"
#include "listings/ProgrammeLine.h"
#include "listings/Settings.h"
#include "listings/TextRoutines.h"
#include "platform/core/Colors.h"
#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"

namespace {

AnsiString FontStart(const AnsiString& colourHtml)
{
    return "<FONT COLOR=\"" + colourHtml + "\">";
}

// The first six characters (time and blank), then the rest of the line in the colour.
AnsiString ColourMarkup(const AnsiString& line, const AnsiString& colourHtml)
{
    return line.substr(0, 6) + FontStart(colourHtml) + CharactersFrom(line, 7) + "</FONT>";
}

// Keywords are typed as text, so they are looked for in the text the page shows: never in the
// markup an earlier colouring wrapped the line in ("ON" of "FONT"), nor inside a written
// reference ("amp" in "&amp;"), and "&" finds an ampersand. Listing text is escaped in the
// lines, so every tag there is the program's own.
bool LineMatches(const TStrings& programmes, const TStrings& descriptions, int i, const AnsiString& keyword)
{
    if (keyword.empty())
        return false;
    AnsiString description = i < descriptions.Count() ? descriptions[i] : AnsiString();
    return (HtmlUnescape(StripTags(programmes[i])) + " " + HtmlUnescape(description)).find(keyword) !=
           AnsiString::npos;
}

// Colour by colour and keyword by keyword, `rewrite` turns each matching line into its coloured
// form. A colouring whose colour name is no colour is passed over.
template <typename Rewrite>
void ColourMatchingLines(TStrings& programmes, const TStrings& descriptions,
                         const std::vector<ColouringEntry>& colourings, Rewrite rewrite)
{
    for (const ColouringEntry& colouring : colourings) {
        std::optional<AnsiString> colour = HtmlColourOf(colouring.ColourName());
        if (!colour)
            continue;
        for (const AnsiString& keyword : colouring.keywords)
            for (int i = 0; i < programmes.Count(); ++i)
                if (LineMatches(programmes, descriptions, i, keyword))
                    programmes.Put(i, rewrite(programmes[i], *colour));
    }
}

} // namespace

std::optional<AnsiString> HtmlColourOf(const AnsiString& colourName)
{
    try {
        return ColorToHtml(StringToColor(colourName));
    } catch (const EConvertError&) {
        return std::nullopt;
    }
}

AnsiString AlarmColourHtml()
{
    return HtmlColourOf(AlarmColourName()).value_or(ColorToHtml(clRed));
}

void ApplyColouringsHtml(TStrings& programmes, const TStrings& descriptions)
{
    if (IniReadString("Väritys"_a, "Käytössä"_a, "0") == "0")
        return;
    ApplyColouringsHtml(programmes, descriptions, ReadColouringEntries());
}

void ApplyColouringsHtml(TStrings& programmes, const TStrings& descriptions,
                         const std::vector<ColouringEntry>& colourings)
{
    ColourMatchingLines(programmes, descriptions, colourings, [](const AnsiString& line, const AnsiString& colour) {
        return ColourMarkup(StripTags(line), colour);
    });
}

void ApplyColouringsHtml2(TStrings& programmes, const TStrings& descriptions,
                          const std::vector<ColouringEntry>& colourings)
{
    ColourMatchingLines(programmes, descriptions, colourings, ColourMarkup);
}

void HighlightAlarmsHtml(TStrings& programmes, const std::vector<AlarmKey>& alarms, const AnsiString& currentDate)
{
    HighlightAlarmsHtml(programmes, AlarmMatcher(alarms, currentDate), AlarmColourHtml());
}

void HighlightAlarmsHtml(TStrings& programmes, const AlarmMatcher& alarms, const AnsiString& alarmColourHtml)
{
    for (int i = 0; i < programmes.Count(); ++i) {
        const AnsiString plain = StripTags(programmes[i]);
        const AnsiString time = plain.substr(0, 5);
        const AnsiString title = CharactersFrom(plain, 7);
        if (alarms.Matches(HtmlUnescape(UnshiftHour(time) + " " + title)))
            programmes.Put(i, time + " " + FontStart(alarmColourHtml) + title + "</FONT>");
    }
}

void MarkTableDays(std::vector<ChannelDay>& days, const std::vector<AlarmKey>& alarms, const AnsiString& currentDate,
                   bool nested)
{
    if (!ColouringsEnabled())
        return;
    const std::vector<ColouringEntry> colourings = ReadColouringEntries();
    for (ChannelDay& day : days) {
        if (nested)
            ApplyColouringsHtml2(day.programmes, day.descriptions, colourings);
        else
            ApplyColouringsHtml(day.programmes, day.descriptions, colourings);
    }
    const AlarmMatcher matcher(alarms, currentDate);
    const AnsiString alarmColour = AlarmColourHtml();
    for (ChannelDay& day : days)
        HighlightAlarmsHtml(day.programmes, matcher, alarmColour);
}
