#include "listings/HtmlText.h"
#include <array>
#include <string_view>

namespace {

struct Reference {
    char character;
    std::string_view written;
};
constexpr std::array<Reference, 4> kReferences = {
    {{'&', "&amp;"}, {'<', "&lt;"}, {'>', "&gt;"}, {'"', "&quot;"}}};

} // namespace

AnsiString HtmlEscape(const AnsiString& text)
{
    if (text.find_first_of("&<>\"") == AnsiString::npos)
        return text;
    AnsiString html;
    html.reserve(text.size() + text.size() / 4);
    for (char c : text) {
        std::string_view written;
        for (const Reference& reference : kReferences)
            if (reference.character == c)
                written = reference.written;
        if (written.empty())
            html += c;
        else
            html += written;
    }
    return html;
}

AnsiString HtmlUnescape(const AnsiString& html)
{
    if (html.find('&') == AnsiString::npos)
        return html;
    AnsiString text;
    text.reserve(html.size());
    const std::string_view rest(html);
    for (std::size_t i = 0; i < rest.size();) {
        char decoded = rest[i];
        std::size_t length = 1;
        if (rest[i] == '&')
            for (const Reference& reference : kReferences)
                if (rest.substr(i, reference.written.size()) == reference.written) {
                    decoded = reference.character;
                    length = reference.written.size();
                }
        text += decoded;
        i += length;
    }
    return text;
}
