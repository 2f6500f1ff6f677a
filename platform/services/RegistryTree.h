// The registry's keys and values as a tree in memory, shared by the store and its file.
#pragma once
#include "platform/core/AnsiString.h"
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

using HKEY = std::uintptr_t;

enum class TRegDataType { rdUnknown, rdString, rdInteger };

struct RegValue {
    AnsiString name;
    TRegDataType type = TRegDataType::rdUnknown;
    AnsiString text;
    int number = 0;
};

struct RegKey {
    AnsiString name;
    std::map<AnsiString, RegValue> values;                   // by folded name
    std::map<AnsiString, std::unique_ptr<RegKey>> subKeys;   // by folded name
};

using RegRoots = std::map<HKEY, RegKey>;

// Keys deeper than this are neither made nor read, as the platform refuses them: it also keeps
// the walks over the tree (and its destruction) from running out of stack.
constexpr std::size_t kMaxKeyDepth = 512;

// Names compare ignoring case.
AnsiString FoldRegName(const AnsiString& name);
RegKey* FindRegKey(RegKey& root, const std::vector<AnsiString>& path);
// Null when the path is deeper than kMaxKeyDepth.
RegKey* MakeRegKey(RegKey& root, const std::vector<AnsiString>& path);
