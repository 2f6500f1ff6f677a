#include "kit/FileRoutines.h"
#include "platform/core/Files.h"

bool ContainsAnyChar(const AnsiString& text, const AnsiString& chars)
{
    return !chars.empty() && text.find_first_of(chars) != AnsiString::npos;
}

bool IsValidFileName(const AnsiString& fileName)
{
    return !fileName.empty() && !ContainsAnyChar(fileName, "<>\"[]|");
}

bool DirectoryPresent(const AnsiString& path)
{
    return !path.empty() && DirectoryExists(path);
}

AnsiString ExpandToLongFileName(const AnsiString& fileName)
{
    AnsiString name = ExtractFileName(fileName);
    if (name.empty())
        return AnsiString();
    if (!ContainsAnyChar(name, "*?"))
        return FileExists(fileName) || DirectoryExists(fileName) ? name : AnsiString();
    AnsiString folder = ExtractFilePath(fileName);
    std::vector<AnsiString> found = FindFiles(folder.empty() ? AnsiString("./") : folder, name);
    return found.empty() ? AnsiString() : found.front();
}

AnsiString ReduceToShortFileName(const AnsiString& fileName)
{
    return ExpandToLongFileName(fileName);
}
