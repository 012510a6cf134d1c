#include "launcher/model/entry_map.h"

#include <algorithm>

namespace tessaly {

EntryMap::EntryMap(std::size_t bucketCount) : buckets_(std::max<std::size_t>(bucketCount, 1)) {}

std::uint32_t EntryMap::Hash(std::wstring_view key) {
    std::uint32_t h = 0;
    for (wchar_t c : key) h = h * 33u + static_cast<std::uint16_t>(c);
    return h;
}

void EntryMap::Set(std::wstring_view name, std::wstring_view target) {
    std::vector<LaunchEntry>& chain = buckets_[BucketOf(name)];
    for (LaunchEntry& entry : chain) {
        if (entry.name == name) {
            entry.target.assign(target);
            return;
        }
    }
    chain.insert(chain.begin(), LaunchEntry{std::wstring(name), std::wstring(target)});
    ++size_;
}

const std::wstring* EntryMap::Find(std::wstring_view name) const {
    for (const LaunchEntry& entry : buckets_[BucketOf(name)]) {
        if (entry.name == name) return &entry.target;
    }
    return nullptr;
}

void EntryMap::Clear() {
    for (auto& chain : buckets_) chain.clear();
    size_ = 0;
}

}  // namespace tessaly
