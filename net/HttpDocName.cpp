#include "net/HttpDocName.h"
#include "platform/core/SysUtils.h"

namespace {

constexpr std::size_t kMaxDocNameLength = 255;
const char* const kDefaultDocName = "document.htm";

AnsiString CutAtQuery(const AnsiString& s)
{
    return s.substr(0, s.find('?'));
}

} // namespace

AnsiString DocumentName(const AnsiString& path)
{
    AnsiString name = CutAtQuery(path);
    if (name.empty() || name == "/")
        return kDefaultDocName;
    if (name.back() == '/')
        name.pop_back();
    auto slash = name.rfind('/');
    if (slash != AnsiString::npos)
        name = name.substr(slash + 1);
    name = CutAtQuery(name.substr(0, kMaxDocNameLength));
    return name.empty() ? AnsiString(kDefaultDocName) : name;
}

void ReplaceExt(AnsiString& name, const AnsiString& extension)
{
    auto dot = name.rfind('.');
    if (dot == AnsiString::npos)
        name += "." + extension;
    else
        name = name.substr(0, dot + 1) + extension;
}

AnsiString DocumentExtension(const AnsiString& name)
{
    auto dot = name.rfind('.');
    return dot == AnsiString::npos ? AnsiString() : LowerCase(name.substr(dot));
}
