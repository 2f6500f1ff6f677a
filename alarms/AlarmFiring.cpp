#include "alarms/AlarmFiring.h"
#include "alarms/AlarmAction.h"

namespace {

bool Contains(const AnsiString& text, const AnsiString& part)
{
    return text.find(part) != AnsiString::npos;
}

std::optional<int> BeepCount(const AnsiString& actions)
{
    const AnsiString token = "#PCS";
    const std::size_t at = actions.find(token);
    if (at == AnsiString::npos || at + token.size() >= actions.size())
        return std::nullopt;
    const char digit = actions[at + token.size()];
    if (digit < '0' || digit > '9')
        return std::nullopt;
    return digit - '0';
}

std::optional<AnsiString> QuotedPath(const AnsiString& actions, const AnsiString& token)
{
    if (!Contains(actions, token))
        return std::nullopt;
    return AlarmActionPath(actions, token);
}

} // namespace

FiringPlan ReadFiringPlan(const AnsiString& actions)
{
    FiringPlan plan;
    plan.NormalNotice = Contains(actions, "#SHD:" + AlarmNoticeTypes[niNormal]);
    plan.FullScreenNotice = Contains(actions, "#SHD:" + AlarmNoticeTypes[niFullScreen]);
    plan.ExtrasOnly = Contains(actions, "#SHD:" + AlarmNoticeTypes[niExtrasOnly]);
    plan.Beeps = BeepCount(actions);
    plan.SoundFile = QuotedPath(actions, "#WV:");
    plan.Program = QuotedPath(actions, "#EX:");
    return plan;
}

AnsiString MissingSoundWarning(const AnsiString& soundFile)
{
    return "Äänitiedostoa ei löydy tai ei ole valittu."_a + "\r\n(" + soundFile + ")";
}

AnsiString ProgramFailedWarning(const AnsiString& program)
{
    return "Ohjelmaa ei löydy,ei ole valittu tai virhe ilmeni sen suorittamisen aikana."_a + "\r\n(" + program + ")";
}
