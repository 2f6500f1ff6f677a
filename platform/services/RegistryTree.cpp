#include "platform/services/RegistryTree.h"
#include "platform/core/SysUtils.h"

AnsiString FoldRegName(const AnsiString& name)
{
    return AnsiUpperCase(name);
}

RegKey* FindRegKey(RegKey& root, const std::vector<AnsiString>& path)
{
    RegKey* node = &root;
    for (const auto& part : path) {
        auto it = node->subKeys.find(FoldRegName(part));
        if (it == node->subKeys.end())
            return nullptr;
        node = it->second.get();
    }
    return node;
}

RegKey* MakeRegKey(RegKey& root, const std::vector<AnsiString>& path)
{
    if (path.size() > kMaxKeyDepth)
        return nullptr;
    RegKey* node = &root;
    for (const auto& part : path) {
        auto& slot = node->subKeys[FoldRegName(part)];
        if (!slot) {
            slot = std::make_unique<RegKey>();
            slot->name = part;
        }
        node = slot.get();
    }
    return node;
}
