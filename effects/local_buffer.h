#pragma once
// Zero-filled memory from the local heap with one owner. The handle's path record lives in
// such a block, and the driver search frees its temporary ones on every way out.
#include <windows.h>

#include <cstddef>
#include <cstring>
#include <utility>

namespace sonorel {

class LocalBuffer {
public:
    LocalBuffer() = default;
    explicit LocalBuffer(size_t size) {
        if (size == 0) return;
        data_ = static_cast<unsigned char*>(LocalAlloc(LPTR, size));
        size_ = data_ ? size : 0;
    }
    ~LocalBuffer() { Reset(); }

    LocalBuffer(LocalBuffer&& other) noexcept
        : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}
    LocalBuffer& operator=(LocalBuffer&& other) noexcept {
        if (this != &other) {
            Reset();
            data_ = std::exchange(other.data_, nullptr);
            size_ = std::exchange(other.size_, 0);
        }
        return *this;
    }
    LocalBuffer(const LocalBuffer&) = delete;
    LocalBuffer& operator=(const LocalBuffer&) = delete;

    static LocalBuffer CopyOf(const void* bytes, size_t size) {
        LocalBuffer copy(size);
        if (copy) std::memcpy(copy.data_, bytes, size);
        return copy;
    }

    unsigned char* get() const { return data_; }
    size_t size() const { return size_; }
    explicit operator bool() const { return data_ != nullptr; }

    // Hands the block to a new owner, who frees it with LocalFree.
    unsigned char* Release() {
        size_ = 0;
        return std::exchange(data_, nullptr);
    }
    void Reset() {
        if (data_) LocalFree(data_);
        data_ = nullptr;
        size_ = 0;
    }

private:
    unsigned char* data_ = nullptr;
    size_t size_ = 0;
};

}  // namespace sonorel
