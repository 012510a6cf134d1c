#pragma once
// A program group in the current user's registry: one REG_SZ value per entry, the value name
// being the tile text and the data the target in exactly 256 bytes (target, terminator, zeros).
#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "launcher/model/entry_map.h"

namespace tessaly {

class GroupStore {
public:
    static constexpr std::size_t kMaxValues = 50;        // values past index 49 are never read
    static constexpr std::size_t kValueBytes = 256;      // size of every stored target
    static constexpr std::size_t kMaxTargetUnits = kValueBytes / sizeof(wchar_t) - 1;

    // Tests point `root` and the key path at a key of their own.
    explicit GroupStore(HKEY root = HKEY_CURRENT_USER) : root_(root) {}

    // "Software\Tessaly\group5" for group 5.
    static std::wstring KeyPathFor(int group);

    void SetGroupKey(std::wstring keyPath) { keyPath_ = std::move(keyPath); }
    const std::wstring& GroupKey() const { return keyPath_; }

    // Empties `entries` and fills it from the first values of the key, by enumeration index
    // (at most kMaxValues, or fewer when asked). The unnamed value, values that are not
    // strings and values whose data does not fit 256 bytes are skipped.
    void ReadGroup(EntryMap& entries, std::size_t maxValues = kMaxValues) const;

    // Creates or replaces one entry. Refuses an empty name (that is the key's unnamed value)
    // and a target longer than kMaxTargetUnits, which would lose its terminator.
    bool WriteEntry(std::wstring_view name, std::wstring_view target) const;

    // Removes one entry; a name that is not stored is not an error.
    bool DeleteEntry(std::wstring_view name) const;

private:
    HKEY OpenKey() const;

    HKEY root_;
    std::wstring keyPath_;
};

}  // namespace tessaly
