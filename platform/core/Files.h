// Files and folders. The program keeps everything beside its executable; tests move that folder.
#pragma once
#include "platform/core/AnsiString.h"
#include <cstdint>
#include <functional>
#include <vector>

// Paths are Windows-1252 text like every other string; the file system takes UTF-8 names, so
// every system call converts at this boundary. Names that Windows-1252 cannot spell are out of
// reach, as they were for the program's ANSI calls.
std::string ToSystemPath(const AnsiString& path);
AnsiString FromSystemPath(const std::string& path);

// The executable's folder with a trailing '/'; tests point it elsewhere with SetExeFolder.
AnsiString ExeFolder();
void SetExeFolder(const AnsiString& folder);

bool FileExists(const AnsiString& path);      // a regular file (or a link to one)
bool DirectoryExists(const AnsiString& path);
bool ForceDirectories(const AnsiString& path); // creates every missing level
bool DeleteFile(const AnsiString& path);
bool RenameFile(const AnsiString& from, const AnsiString& to);
bool CreateDir(const AnsiString& path);
bool RemoveDir(const AnsiString& path);
// Removes a file, a link or a folder with everything in it, never following a link: a link is
// removed as itself, wherever it points, also when path ends in '/'. True when nothing is left.
bool RemoveTree(const AnsiString& path);
std::int64_t FileSize(const AnsiString& path); // -1 when it can't be read

AnsiString ExtractFilePath(const AnsiString& path);  // through the last '/'
AnsiString ExtractFileName(const AnsiString& path);
AnsiString ExtractFileExt(const AnsiString& path);   // with the dot
AnsiString ChangeFileExt(const AnsiString& path, const AnsiString& ext);
AnsiString IncludeTrailingPathDelimiter(const AnsiString& path);

// True when name matches the mask ('*' and '?'), ignoring A-Z case.
bool MatchesMask(const AnsiString& name, const AnsiString& mask);
// Names (not paths) of the regular files in folder that match mask, sorted, case ignored in the match.
std::vector<AnsiString> FindFiles(const AnsiString& folder, const AnsiString& mask);
// The path of `name` in folder: the exact name when it exists, else the first case-insensitive
// match, else folder + name.
AnsiString ResolveIgnoringCase(const AnsiString& folder, const AnsiString& name);

// Tests stand in for a full or failing disk: while a fault is set, every file the platform opens
// or writes asks it first, and an answer other than 0 is the error number that the open or the
// write fails with, as the system call would have. `writing` is false for opening to read.
using TFileFault = std::function<int(const AnsiString& path, bool writing)>;
void SetFileFault(TFileFault fault);
int FileFault(const AnsiString& path, bool writing);

// Writes bytes to a temporary file in the same folder, flushes it and renames it over path, so a
// crash or a full disk never leaves a half-written file. Raises EFCreateError / EWriteError.
void AtomicWriteFile(const AnsiString& path, const std::string& bytes);
// Whole file as bytes; raises EFOpenError / EReadError.
std::string ReadWholeFile(const AnsiString& path);

// Modification time as a TDateTime (local), or -1.
double FileAgeDateTime(const AnsiString& path);
bool FileSetDateTime(const AnsiString& path, double dateTime);
