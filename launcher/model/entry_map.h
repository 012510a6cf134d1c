#pragma once
// Launchable items of a program group and the name-to-target map that orders their tiles.
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly {

struct LaunchEntry {
    std::wstring name;    // tile text and registry value name
    std::wstring target;  // program path, web address, "return" or a marker
};

// A hash map with a fixed bucket count whose iteration order is part of the product: tiles
// are created in it. Buckets are visited in ascending order; within a bucket the most
// recently inserted name comes first. Replacing a target keeps the name's place.
class EntryMap {
public:
    static constexpr std::size_t kPageBuckets = 51;
    static constexpr std::size_t kChoiceBuckets = 8;

    explicit EntryMap(std::size_t bucketCount = kPageBuckets);

    // h = h * 33 + unit over the UTF-16 units, in unsigned 32-bit arithmetic.
    static std::uint32_t Hash(std::wstring_view key);
    std::size_t BucketOf(std::wstring_view key) const { return Hash(key) % buckets_.size(); }
    std::size_t BucketCount() const { return buckets_.size(); }

    void Set(std::wstring_view name, std::wstring_view target);
    // The target stored for `name`, or null.
    const std::wstring* Find(std::wstring_view name) const;
    bool Contains(std::wstring_view name) const { return Find(name) != nullptr; }
    void Clear();
    std::size_t Size() const { return size_; }
    bool Empty() const { return size_ == 0; }

    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = LaunchEntry;
        using difference_type = std::ptrdiff_t;
        using pointer = const LaunchEntry*;
        using reference = const LaunchEntry&;

        const_iterator() = default;
        reference operator*() const { return (*buckets_)[bucket_][pos_]; }
        pointer operator->() const { return &**this; }
        const_iterator& operator++() {
            ++pos_;
            SkipEmpty();
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator old = *this;
            ++*this;
            return old;
        }
        bool operator==(const const_iterator& o) const {
            return bucket_ == o.bucket_ && pos_ == o.pos_;
        }

    private:
        friend class EntryMap;
        using Buckets = std::vector<std::vector<LaunchEntry>>;
        const_iterator(const Buckets* buckets, std::size_t bucket)
            : buckets_(buckets), bucket_(bucket) {
            SkipEmpty();
        }
        void SkipEmpty() {
            while (bucket_ < buckets_->size() && pos_ >= (*buckets_)[bucket_].size()) {
                ++bucket_;
                pos_ = 0;
            }
        }
        const Buckets* buckets_ = nullptr;
        std::size_t bucket_ = 0;
        std::size_t pos_ = 0;
    };

    const_iterator begin() const { return const_iterator(&buckets_, 0); }
    const_iterator end() const { return const_iterator(&buckets_, buckets_.size()); }

private:
    // Each chain is stored head first.
    std::vector<std::vector<LaunchEntry>> buckets_;
    std::size_t size_ = 0;
};

}  // namespace tessaly
