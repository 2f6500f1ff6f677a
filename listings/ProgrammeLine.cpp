#include "listings/ProgrammeLine.h"

AnsiString CharactersFrom(const AnsiString& text, int position)
{
    std::size_t start = position < 1 ? 0 : static_cast<std::size_t>(position - 1);
    return start < text.size() ? text.substr(start) : AnsiString();
}

AnsiString UnshiftHour(const AnsiString& text)
{
    if (text.empty() || text[0] != '3')
        return text;
    return "0" + text.substr(1);
}

bool IsViewProgrammeLine(const AnsiString& line)
{
    if (line.size() <= 7)
        return false;
    return line[0] == '0' || line[0] == '1' || line[0] == '2' || line[5] == ' ';
}
