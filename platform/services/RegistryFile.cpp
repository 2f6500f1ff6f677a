#include "platform/services/RegistryFile.h"
#include "platform/core/Strings.h"
#include "platform/core/SysUtils.h"
#include "platform/services/Registry.h"
#include <cstdint>
#include <cstdlib>

namespace {

struct RootName {
    HKEY root;
    const char* name;
};

constexpr RootName kRootNames[] = {
    {HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT"}, {HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
    {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"}, {HKEY_USERS, "HKEY_USERS"},
    {HKEY_CURRENT_CONFIG, "HKEY_CURRENT_CONFIG"}, {HKEY_DYN_DATA, "HKEY_DYN_DATA"},
};

const char* NameOfRoot(HKEY root)
{
    for (const auto& entry : kRootNames)
        if (entry.root == root)
            return entry.name;
    return nullptr;
}

bool RootOfName(const AnsiString& name, HKEY& root)
{
    for (const auto& entry : kRootNames)
        if (name == entry.name) {
            root = entry.root;
            return true;
        }
    return false;
}

bool NeedsEscape(unsigned char c)
{
    return c < 0x20 || c == 0x7F || c == '%' || c == '"' || c == '[' || c == ']' || c == '\\';
}

AnsiString Escape(const AnsiString& text)
{
    static const char kHex[] = "0123456789ABCDEF";
    AnsiString out;
    out.reserve(text.size());
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if (NeedsEscape(byte)) {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// A '%' without two hex digits after it stands for itself.
AnsiString Unescape(const AnsiString& text)
{
    AnsiString out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        int high = i + 2 < text.size() && text[i] == '%' ? HexDigit(text[i + 1]) : -1;
        int low = high >= 0 ? HexDigit(text[i + 2]) : -1;
        if (low >= 0) {
            out += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// "[ROOT\a\b]": the root and the key's path, or false.
bool ParseHeader(const AnsiString& line, HKEY& root, std::vector<AnsiString>& path)
{
    if (line.size() < 2 || line.front() != '[' || line.back() != ']')
        return false;
    AnsiString inside = line.substr(1, line.size() - 2);
    std::size_t cut = inside.find('\\');
    if (!RootOfName(inside.substr(0, cut), root))
        return false;
    path.clear();
    while (cut != AnsiString::npos) {
        std::size_t next = inside.find('\\', cut + 1);
        AnsiString part = Unescape(inside.substr(cut + 1, next == AnsiString::npos ? AnsiString::npos : next - cut - 1));
        if (part.find('\\') != AnsiString::npos)
            return false;
        if (!part.empty())
            path.push_back(std::move(part));
        if (path.size() > kMaxKeyDepth)
            return false;
        cut = next;
    }
    return true;
}

// A quoted field starting at pos; pos moves past its closing quote.
bool ParseQuoted(const AnsiString& line, std::size_t& pos, AnsiString& text)
{
    if (pos >= line.size() || line[pos] != '"')
        return false;
    std::size_t close = line.find('"', pos + 1);
    if (close == AnsiString::npos)
        return false;
    text = Unescape(line.substr(pos + 1, close - pos - 1));
    pos = close + 1;
    return true;
}

bool ParseNumber(const AnsiString& digits, int& number)
{
    if (digits.empty() || digits.size() > 8)
        return false;
    std::uint32_t bits = 0;
    for (char c : digits) {
        int digit = HexDigit(c);
        if (digit < 0)
            return false;
        bits = bits * 16 + static_cast<std::uint32_t>(digit);
    }
    number = static_cast<int>(bits);
    return true;
}

bool ParseValue(const AnsiString& line, RegValue& value)
{
    std::size_t pos = 0;
    if (!ParseQuoted(line, pos, value.name) || pos >= line.size() || line[pos] != '=')
        return false;
    ++pos;
    static const AnsiString kDword = "dword:";
    if (line.compare(pos, kDword.size(), kDword) == 0) {
        value.type = TRegDataType::rdInteger;
        return ParseNumber(line.substr(pos + kDword.size()), value.number);
    }
    value.type = TRegDataType::rdString;
    return ParseQuoted(line, pos, value.text) && pos == line.size();
}

AnsiString FormatValue(const RegValue& value)
{
    AnsiString line = "\"" + Escape(value.name) + "\"=";
    if (value.type == TRegDataType::rdInteger)
        return line + "dword:" + IntToHex(static_cast<std::uint32_t>(value.number), 8) + "\n";
    return line + "\"" + Escape(value.text) + "\"\n";
}

void FormatKey(HKEY root, const RegKey& key, std::vector<AnsiString>& path, std::string& out)
{
    if (IsProcessOnlyKey(root, path))
        return;
    // A key without values of its own is written only where no deeper key implies it, so the file
    // grows with what it holds, not with the depth of its keys.
    if (!key.values.empty() || (!path.empty() && key.subKeys.empty())) {
        out += '[';
        out += NameOfRoot(root);
        for (const AnsiString& part : path)
            out += "\\" + Escape(part);
        out += "]\n";
        for (const auto& [folded, value] : key.values)
            out += FormatValue(value);
    }
    for (const auto& [folded, sub] : key.subKeys) {
        path.push_back(sub->name);
        FormatKey(root, *sub, path, out);
        path.pop_back();
    }
}

} // namespace

bool IsNamedRegRoot(HKEY root)
{
    return NameOfRoot(root) != nullptr;
}

const std::vector<AnsiString>& ProcessOnlySubtree()
{
    static const std::vector<AnsiString> subtree = {"SOFTWARE", "MICROSOFT"};
    return subtree;
}

bool IsProcessOnlyKey(HKEY root, const std::vector<AnsiString>& path)
{
    if (!IsNamedRegRoot(root))
        return true;
    const std::vector<AnsiString>& subtree = ProcessOnlySubtree();
    if (path.size() < subtree.size())
        return false;
    for (std::size_t i = 0; i < subtree.size(); ++i)
        if (FoldRegName(path[i]) != subtree[i])
            return false;
    return true;
}

RegRoots ParseRegistryFile(const std::string& bytes)
{
    RegRoots roots;
    RegKey* key = nullptr;
    for (const AnsiString& line : SplitLines(bytes)) {
        HKEY root = 0;
        std::vector<AnsiString> path;
        RegValue value;
        if (!line.empty() && line.front() == '[')
            key = ParseHeader(line, root, path) && !IsProcessOnlyKey(root, path) ? MakeRegKey(roots[root], path) : nullptr;
        else if (key && ParseValue(line, value))
            key->values[FoldRegName(value.name)] = std::move(value);
    }
    return roots;
}

std::string FormatRegistryFile(const RegRoots& roots)
{
    std::string out = "; Settings the program keeps between runs. Keys in [brackets], their values below.\n";
    for (const auto& [root, key] : roots) {
        std::vector<AnsiString> path;
        FormatKey(root, key, path, out);
    }
    return out;
}

std::string RegistryFilePath()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::string folder;
    if (config && config[0] == '/') {
        folder = config;
    } else if (const char* home = std::getenv("HOME"); home && home[0] == '/') {
        folder = std::string(home) + "/.config";
    } else {
        return std::string();
    }
    return folder + "/qex/registry";
}
