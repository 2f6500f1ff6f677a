#include "alarms/AlarmAction.h"

const std::array<AnsiString, 3> AlarmNoticeTypes = {
    "Normaali ilmoitus näytölle"_a, "Koko ruudun ilmoitus näytölle"_a, "Vain lisäasetukset"_a};

namespace {

const AnsiString kNoticeToken = "#SHD:";
const AnsiString kBeepToken = "#PCS";
const AnsiString kSoundToken = "#WV:";
const AnsiString kProgramToken = "#EX:";

// Paths that short can't name a file; the settings keep "0" for "none".
constexpr std::size_t kShortestPath = 4;

AnsiString QuotedToken(const AnsiString& token, const AnsiString& path)
{
    return token + '"' + path + "\" ";
}

int NoticeIndexOf(char letter)
{
    switch (letter) {
    case 'N': return niNormal;
    case 'K': return niFullScreen;
    case 'V': return niExtrasOnly;
    default: return -1;
    }
}

// The type runs to the next token; types hold blanks but never " #".
AnsiString NoticeTypeText(const AnsiString& afterToken)
{
    std::size_t next = afterToken.find(" #");
    if (next != AnsiString::npos)
        return afterToken.substr(0, next);
    if (!afterToken.empty() && afterToken.back() == ' ')
        return afterToken.substr(0, afterToken.size() - 1);
    return afterToken;
}

} // namespace

AnsiString AlarmActionString(const AlarmActions& actions)
{
    AnsiString text = "#NRM " + kNoticeToken + actions.NoticeType + " ";
    if (actions.Beeps)
        text += kBeepToken + actions.BeepCount + " ";
    if (actions.SoundFile.size() >= kShortestPath)
        text += QuotedToken(kSoundToken, actions.SoundFile);
    if (actions.Program.size() >= kShortestPath)
        text += QuotedToken(kProgramToken, actions.Program);
    return text;
}

AnsiString AlarmActionPath(const AnsiString& actions, const AnsiString& token, std::size_t from)
{
    std::size_t at = actions.find(token, from);
    if (at == AnsiString::npos)
        return "";
    std::size_t open = actions.find('"', at + token.size());
    if (open == AnsiString::npos)
        return "";
    std::size_t close = actions.find('"', open + 1);
    return actions.substr(open + 1, close == AnsiString::npos ? AnsiString::npos : close - open - 1);
}

AlarmActionFields ReadAlarmActionString(const AnsiString& actions)
{
    AlarmActionFields fields;
    std::size_t beeps = actions.find(kBeepToken);
    if (beeps != AnsiString::npos) {
        fields.Actions.Beeps = true;
        fields.Actions.BeepCount = actions.substr(beeps + kBeepToken.size(), 1);
    }
    std::size_t notice = actions.find(kNoticeToken);
    AnsiString rest = notice == AnsiString::npos ? actions : actions.substr(notice + kNoticeToken.size());
    if (notice != AnsiString::npos) {
        fields.Actions.NoticeType = NoticeTypeText(rest);
        fields.NoticeIndex = rest.empty() ? -1 : NoticeIndexOf(rest[0]);
    }
    // The program is looked for after the sound file, so a sound path can't pose as one.
    std::size_t programFrom = 0;
    std::size_t sound = rest.find(kSoundToken);
    if (sound != AnsiString::npos) {
        fields.Actions.SoundFile = AlarmActionPath(rest, kSoundToken, sound);
        std::size_t open = rest.find('"', sound);
        std::size_t close = open == AnsiString::npos ? AnsiString::npos : rest.find('"', open + 1);
        programFrom = close == AnsiString::npos ? rest.size() : close + 1;
    }
    fields.Actions.Program = AlarmActionPath(rest, kProgramToken, programFrom);
    return fields;
}
