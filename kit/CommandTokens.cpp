#include "kit/CommandTokens.h"

namespace {

unsigned char At(std::string_view text, std::size_t pos)
{
    return pos < text.size() ? static_cast<unsigned char>(text[pos]) : 0;
}

} // namespace

AnsiString NextCommandToken(std::string_view text, std::size_t& pos)
{
    // An empty pair of quotes between tokens is no token at all.
    for (;;) {
        while (At(text, pos) >= 1 && At(text, pos) <= 32)
            ++pos;
        if (At(text, pos) == '"' && At(text, pos + 1) == '"')
            pos += 2;
        else
            break;
    }
    AnsiString token;
    while (At(text, pos) > 32) {
        if (At(text, pos) != '"') {
            token += text[pos++];
            continue;
        }
        ++pos;
        while (At(text, pos) != 0 && At(text, pos) != '"')
            token += text[pos++];
        if (At(text, pos) == '"')
            ++pos;
    }
    return token;
}

int CountCommandTokens(std::string_view text)
{
    std::size_t pos = 0;
    int count = 0;
    while (!NextCommandToken(text, pos).empty())
        ++count;
    return count;
}

AnsiString GetCommandToken(std::string_view text, int n)
{
    std::size_t pos = 0;
    for (int i = 0;; ++i) {
        AnsiString token = NextCommandToken(text, pos);
        if (token.empty() || i == n)
            return token;
    }
}

void SplitCommandLine(std::string_view commandLine, AnsiString& programName, AnsiString& parameters)
{
    programName.clear();
    parameters.clear();
    std::size_t pos = 0;
    programName = NextCommandToken(commandLine, pos);
    if (programName.empty())
        return;
    for (AnsiString token = NextCommandToken(commandLine, pos); !token.empty(); token = NextCommandToken(commandLine, pos)) {
        if (!parameters.empty())
            parameters += ' ';
        parameters += token.find(' ') != AnsiString::npos ? '"' + token + '"' : token;
    }
}
