#include "platform/core/Strings.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Files.h"
#include "platform/core/SysUtils.h"
#include <algorithm>
#include <numeric>

namespace {

// Control characters and blanks; 0 is the end of the text, not a blank.
bool IsBlank(unsigned char c) { return c >= 1 && c <= ' '; }

// Reads a '"' quoted element at `i` (pointing at the opening quote); a doubled quote stands
// for one, and a missing closing quote takes the rest of the text.
AnsiString ExtractQuoted(const AnsiString& text, std::size_t& i)
{
    AnsiString out;
    ++i;
    while (i < text.size()) {
        if (text[i] == '"') {
            if (i + 1 < text.size() && text[i + 1] == '"') {
                out += '"';
                i += 2;
                continue;
            }
            ++i;
            break;
        }
        out += text[i++];
    }
    return out;
}

bool NeedsQuotes(const AnsiString& s)
{
    for (char c : s)
        if (static_cast<unsigned char>(c) <= ' ' || c == '"' || c == ',')
            return true;
    return false;
}

AnsiString Quoted(const AnsiString& s)
{
    AnsiString out = "\"";
    for (char c : s) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + '"';
}

} // namespace

// The next CR and the next LF are each looked for only once passed, so a text of long lines or of
// one kind of break costs one scan for each kind.
std::vector<AnsiString> SplitLines(std::string_view text)
{
    std::vector<AnsiString> lines;
    std::size_t nextCr = text.find('\r'), nextLf = text.find('\n');
    std::size_t i = 0;
    while (i < text.size()) {
        if (nextCr < i)
            nextCr = text.find('\r', i);
        if (nextLf < i)
            nextLf = text.find('\n', i);
        const std::size_t end = std::min({nextCr, nextLf, text.size()});
        lines.emplace_back(text.substr(i, end - i));
        i = end;
        if (i < text.size() && text[i] == '\r')
            ++i;
        if (i < text.size() && text[i] == '\n')
            ++i;
    }
    return lines;
}

// --- TStrings ---

void TStrings::Put(int index, const AnsiString& s)
{
    TObject* object = GetObject(index);
    Delete(index);
    InsertObject(index, s, object);
}

TObject* TStrings::GetObject(int index) const
{
    (void)index;
    return nullptr;
}

void TStrings::PutObject(int index, TObject* object)
{
    (void)index;
    (void)object;
}

int TStrings::Add(const AnsiString& s)
{
    int index = Count();
    Insert(index, s);
    return index;
}

int TStrings::AddObject(const AnsiString& s, TObject* object)
{
    int index = Add(s);
    PutObject(index, object);
    return index;
}

void TStrings::InsertObject(int index, const AnsiString& s, TObject* object)
{
    Insert(index, s);
    PutObject(index, object);
}

void TStrings::AddStrings(const TStrings& other)
{
    BeginUpdate();
    // Counted first, so that adding a list to itself doubles it once.
    int count = other.Count();
    for (int i = 0; i < count; ++i)
        AddObject(other.Get(i), other.GetObject(i));
    EndUpdate();
}

void TStrings::Assign(const TStrings& other)
{
    if (&other == this)
        return;
    BeginUpdate();
    Clear();
    AddStrings(other);
    EndUpdate();
}

void TStrings::Exchange(int a, int b)
{
    AnsiString textA = Get(a);
    TObject* objectA = GetObject(a);
    Put(a, Get(b));
    PutObject(a, GetObject(b));
    Put(b, textA);
    PutObject(b, objectA);
}

void TStrings::Move(int from, int to)
{
    if (from == to)
        return;
    BeginUpdate();
    AnsiString text = Get(from);
    TObject* object = GetObject(from);
    Delete(from);
    InsertObject(to, text, object);
    EndUpdate();
}

int TStrings::IndexOf(const AnsiString& s) const
{
    int count = Count();
    for (int i = 0; i < count; ++i)
        if (SameText(Get(i), s))
            return i;
    return -1;
}

int TStrings::IndexOfObject(TObject* object) const
{
    int count = Count();
    for (int i = 0; i < count; ++i)
        if (GetObject(i) == object)
            return i;
    return -1;
}

AnsiString TStrings::Text() const
{
    AnsiString out;
    int count = Count();
    for (int i = 0; i < count; ++i) {
        out += Get(i);
        out += "\r\n";
    }
    return out;
}

void TStrings::SetText(const AnsiString& text)
{
    BeginUpdate();
    Clear();
    // The text ends at a NUL byte, as a C string would.
    AddLines(SplitLines(std::string_view(text).substr(0, text.find('\0'))));
    EndUpdate();
}

void TStrings::SetLines(const std::vector<AnsiString>& lines)
{
    BeginUpdate();
    Clear();
    for (const AnsiString& line : lines)
        Add(line);
    EndUpdate();
}

void TStrings::AddLines(std::vector<AnsiString>&& lines)
{
    for (const AnsiString& line : lines)
        Add(line);
}

AnsiString TStrings::CommaText() const
{
    int count = Count();
    if (count == 1 && Get(0).empty())
        return "\"\"";
    AnsiString out;
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            out += ',';
        AnsiString s = Get(i);
        out += NeedsQuotes(s) ? Quoted(s) : s;
    }
    return out;
}

void TStrings::SetCommaText(const AnsiString& text)
{
    BeginUpdate();
    Clear();
    const AnsiString body = text.substr(0, text.find('\0'));
    auto at = [&](std::size_t i) { return static_cast<unsigned char>(i < body.size() ? body[i] : 0); };
    std::size_t i = 0;
    while (IsBlank(at(i)))
        ++i;
    while (i < body.size()) {
        if (body[i] == '"') {
            Add(ExtractQuoted(body, i));
        } else {
            std::size_t start = i;
            while (at(i) > ' ' && at(i) != ',')
                ++i;
            Add(body.substr(start, i - start));
        }
        while (IsBlank(at(i)))
            ++i;
        if (at(i) == ',') {
            do
                ++i;
            while (IsBlank(at(i)));
        }
    }
    EndUpdate();
}

void TStrings::BeginUpdate()
{
    if (FUpdateCount++ == 0)
        SetUpdateState(true);
}

void TStrings::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        SetUpdateState(false);
}

void TStrings::LoadFromFile(const AnsiString& path)
{
    SetText(ReadWholeFile(path));
}

void TStrings::SaveToFile(const AnsiString& path) const
{
    AtomicWriteFile(path, Text());
}

// --- TStringList ---

TStringList::TStringList(const TStringList& other)
    : TStrings(), Duplicates(other.Duplicates), FItems(other.FItems), FSorted(other.FSorted)
{
}

TStringList& TStringList::operator=(const TStringList& other)
{
    if (&other != this) {
        Changing();
        FItems = other.FItems;
        FSorted = other.FSorted;
        Duplicates = other.Duplicates;
        Changed();
    }
    return *this;
}

void TStringList::CheckIndex(int index, int limit) const
{
    if (index < 0 || index >= limit)
        throw EStringListError("List index out of bounds (" + IntToStr(index) + ")");
}

AnsiString TStringList::Get(int index) const
{
    CheckIndex(index, Count());
    return FItems[static_cast<std::size_t>(index)].text;
}

void TStringList::Put(int index, const AnsiString& s)
{
    if (FSorted)
        throw EStringListError("Operation not allowed on sorted string list");
    CheckIndex(index, Count());
    Changing();
    FItems[static_cast<std::size_t>(index)].text = s;
    Changed();
}

TObject* TStringList::GetObject(int index) const
{
    CheckIndex(index, Count());
    return FItems[static_cast<std::size_t>(index)].object;
}

void TStringList::PutObject(int index, TObject* object)
{
    CheckIndex(index, Count());
    Changing();
    FItems[static_cast<std::size_t>(index)].object = object;
    Changed();
}

void TStringList::Insert(int index, const AnsiString& s)
{
    if (FSorted)
        throw EStringListError("Operation not allowed on sorted string list");
    CheckIndex(index, Count() + 1);
    Changing();
    FItems.insert(FItems.begin() + index, Item {s, nullptr});
    Changed();
}

int TStringList::Add(const AnsiString& s)
{
    int index = Count();
    if (FSorted && Find(s, index)) {
        if (Duplicates == TDuplicates::dupIgnore)
            return index;
        if (Duplicates == TDuplicates::dupError)
            throw EStringListError("String list does not allow duplicates");
    }
    Changing();
    FItems.insert(FItems.begin() + index, Item {s, nullptr});
    Changed();
    return index;
}

void TStringList::AddLines(std::vector<AnsiString>&& lines)
{
    if (FSorted) {
        TStrings::AddLines(std::move(lines));
        return;
    }
    Changing();
    FItems.reserve(FItems.size() + lines.size());
    for (AnsiString& line : lines)
        FItems.push_back(Item {std::move(line), nullptr});
    Changed();
}

void TStringList::SetLines(const std::vector<AnsiString>& lines)
{
    if (FSorted) {
        TStrings::SetLines(lines);
        return;
    }
    BeginUpdate();
    FItems.resize(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        FItems[i].text.assign(lines[i]);
        FItems[i].object = nullptr;
    }
    EndUpdate();
}

void TStringList::Delete(int index)
{
    CheckIndex(index, Count());
    Changing();
    FItems.erase(FItems.begin() + index);
    Changed();
}

void TStringList::Clear()
{
    if (FItems.empty())
        return;
    Changing();
    FItems.clear();
    Changed();
}

int TStringList::IndexOf(const AnsiString& s) const
{
    if (!FSorted)
        return TStrings::IndexOf(s);
    int index = -1;
    return Find(s, index) ? index : -1;
}

void TStringList::Sort()
{
    CustomSort([](TStringList& list, int a, int b) {
        return CompareText(list.FItems[static_cast<std::size_t>(a)].text,
                           list.FItems[static_cast<std::size_t>(b)].text);
    });
}

void TStringList::CustomSort(int (*compare)(TStringList& list, int a, int b))
{
    if (FSorted || FItems.size() < 2)
        return;
    Changing();
    // The comparison looks items up by index, so the order is worked out on a permutation and
    // applied once at the end.
    std::vector<int> order(FItems.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return compare(*this, a, b) < 0; });
    std::vector<Item> sorted;
    sorted.reserve(FItems.size());
    for (int index : order)
        sorted.push_back(std::move(FItems[static_cast<std::size_t>(index)]));
    FItems = std::move(sorted);
    Changed();
}

void TStringList::SetSorted(bool sorted)
{
    if (sorted == FSorted)
        return;
    if (sorted)
        Sort();
    FSorted = sorted;
}

bool TStringList::Find(const AnsiString& s, int& index) const
{
    bool found = false;
    int low = 0;
    int high = Count() - 1;
    while (low <= high) {
        int middle = (low + high) / 2;
        int c = CompareText(FItems[static_cast<std::size_t>(middle)].text, s);
        if (c < 0) {
            low = middle + 1;
        } else {
            high = middle - 1;
            if (c == 0) {
                found = true;
                // Without accepted duplicates the first equal string is the one.
                if (Duplicates != TDuplicates::dupAccept)
                    low = middle;
            }
        }
    }
    index = low;
    return found;
}

void TStringList::SetUpdateState(bool updating)
{
    if (updating)
        Changing();
    else
        Changed();
}

void TStringList::Changing()
{
    if (UpdateCount() == 0 && OnChanging)
        OnChanging(this);
}

void TStringList::Changed()
{
    if (UpdateCount() == 0 && OnChange)
        OnChange(this);
}
