#include "listings/HtmlMarks.h"
#include "listings/HtmlText.h"
#include "listings/KeywordColourings.h"
#include "listings/ProgrammeLine.h"
#include "listings/TextRoutines.h"
#include "platform/core/Colors.h"
#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"

namespace {

AnsiString InColour(const AnsiString& text, const AnsiString& colourHtml)
{
    return "<FONT COLOR=\"" + colourHtml + "\">" + text + "</FONT>";
}

// The first six characters (time and blank), then the rest of the line in the colour.
AnsiString ColourMarkup(const AnsiString& line, const AnsiString& colourHtml)
{
    return line.substr(0, 6) + InColour(CharactersFrom(line, 7), colourHtml);
}

// Keywords are typed as text, so they are looked for in the text the page shows: never in the
// markup an earlier colouring wrapped the line in ("ON" of "FONT"), nor inside a written
// reference ("amp" in "&amp;"), and "&" finds an ampersand. Listing text is escaped in the
// lines, so every tag there is the program's own.
AnsiString MatchedText(const AnsiString& line, const AnsiString& description)
{
    return HtmlUnescape(StripTags(line)) + " " + HtmlUnescape(description);
}

// The page colour of each colouring, looked up the first time a line needs it.
class PageColours {
public:
    explicit PageColours(const std::vector<ColouringEntry>& entries) : FEntries(entries), FColours(entries.size()) {}
    const std::optional<AnsiString>& Of(int colouring)
    {
        std::optional<std::optional<AnsiString>>& colour = FColours[static_cast<std::size_t>(colouring)];
        if (!colour)
            colour = HtmlColourOf(FEntries[static_cast<std::size_t>(colouring)].ColourName());
        return *colour;
    }

private:
    const std::vector<ColouringEntry>& FEntries;
    std::vector<std::optional<std::optional<AnsiString>>> FColours;
};

// The matches after `done`, in their order.
std::vector<KeywordMatch> MatchesAfter(std::vector<KeywordMatch> matches, const KeywordMatch& done)
{
    std::erase_if(matches, [&done](const KeywordMatch& match) {
        return match.colouring < done.colouring || (match.colouring == done.colouring && match.keyword <= done.keyword);
    });
    return matches;
}

// Colour by colour and keyword by keyword, `rewrite` turns the line into its coloured form once
// for each keyword its text holds. A colouring whose colour name is no colour is passed over. A
// line whose first characters end inside a tag reads otherwise once wrapped: the keywords after
// the one that wrapped it look at what it reads then.
template <typename Rewrite>
AnsiString ColouredLine(AnsiString line, const AnsiString& description, const KeywordColourings& colourings,
                        PageColours& colours, Rewrite rewrite)
{
    AnsiString text = MatchedText(line, description);
    std::vector<KeywordMatch> matches = colourings.EveryMatch(text);
    for (std::size_t next = 0; next < matches.size();) {
        const KeywordMatch match = matches[next++];
        const std::optional<AnsiString>& colour = colours.Of(match.colouring);
        if (!colour)
            continue;
        line = rewrite(line, *colour);
        AnsiString now = MatchedText(line, description);
        if (now == text)
            continue;
        text = std::move(now);
        matches = MatchesAfter(colourings.EveryMatch(text), match);
        next = 0;
    }
    return line;
}

AnsiString FlatColourMarkup(const AnsiString& line, const AnsiString& colourHtml)
{
    return ColourMarkup(StripTags(line), colourHtml);
}

// Nested for "Taulukko 2", flat for "Taulukko".
void ColourLines(TStrings& programmes, const TStrings& descriptions, const KeywordColourings& colourings,
                 PageColours& colours, bool nested)
{
    for (int i = 0; i < programmes.Count(); ++i) {
        const AnsiString description = i < descriptions.Count() ? descriptions[i] : AnsiString();
        const AnsiString line = programmes[i];
        const AnsiString coloured = nested ? ColouredLine(line, description, colourings, colours, ColourMarkup)
                                           : ColouredLine(line, description, colourings, colours, FlatColourMarkup);
        if (coloured != line)
            programmes.Put(i, coloured);
    }
}

void ColourLines(TStrings& programmes, const TStrings& descriptions, const std::vector<ColouringEntry>& colourings,
                 bool nested)
{
    const KeywordColourings matcher(colourings);
    PageColours colours(matcher.Entries());
    ColourLines(programmes, descriptions, matcher, colours, nested);
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

void ApplyColouringsHtml(TStrings& programmes, const TStrings& descriptions,
                         const std::vector<ColouringEntry>& colourings)
{
    ColourLines(programmes, descriptions, colourings, false);
}

void ApplyColouringsHtml2(TStrings& programmes, const TStrings& descriptions,
                          const std::vector<ColouringEntry>& colourings)
{
    ColourLines(programmes, descriptions, colourings, true);
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
            programmes.Put(i, time + " " + InColour(title, alarmColourHtml));
    }
}

void MarkTableDays(std::vector<ChannelDay>& days, const std::vector<AlarmKey>& alarms, const AnsiString& currentDate,
                   bool nested)
{
    if (!ColouringsEnabled())
        return;
    const std::shared_ptr<const KeywordColourings> colourings = CurrentColourings();
    PageColours colours(colourings->Entries());
    for (ChannelDay& day : days)
        ColourLines(day.programmes, day.descriptions, *colourings, colours, nested);
    const AlarmMatcher matcher(alarms, currentDate);
    const AnsiString alarmColour = AlarmColourHtml();
    for (ChannelDay& day : days)
        HighlightAlarmsHtml(day.programmes, matcher, alarmColour);
}
