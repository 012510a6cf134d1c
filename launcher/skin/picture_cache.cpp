#include "launcher/skin/picture_cache.h"

#include <cstdint>
#include <cstring>

#include "launcher/skin/resample.h"
#include "win32/resource.h"

namespace tessaly {
namespace {

struct Header {
    char magic[8];
    uint32_t width;
    uint32_t height;
    uint64_t sourceHash;  // FNV-1a of the JPEG's bytes
    uint64_t sourceSize;
};
constexpr char kMagic[8] = {'T', 'S', 'L', 'Y', 'P', 'I', 'C', '1'};

Header HeaderFor(int id, SIZE size, HMODULE module) {
    Header header{};
    std::memcpy(header.magic, kMagic, sizeof(kMagic));
    header.width = static_cast<uint32_t>(size.cx);
    header.height = static_cast<uint32_t>(size.cy);
    auto bytes = win32::ResourceBytes(module ? module : ::GetModuleHandleW(nullptr), id, L"JPEG");
    uint64_t hash = 14695981039346656037ull;
    for (std::byte b : bytes) hash = (hash ^ static_cast<uint8_t>(b)) * 1099511628211ull;
    header.sourceHash = hash;
    header.sourceSize = bytes.size();
    return header;
}

bool InRange(SIZE size) {
    return size.cx > 0 && size.cy > 0 && size.cx <= kMaxResampleSide && size.cy <= kMaxResampleSide;
}

DWORD PixelBytes(SIZE size) { return static_cast<DWORD>(size.cx) * static_cast<DWORD>(size.cy) * 4; }

bool WriteAll(HANDLE file, const void* data, DWORD bytes) {
    DWORD written = 0;
    return ::WriteFile(file, data, bytes, &written, nullptr) && written == bytes;
}

}  // namespace

std::wstring SkinPictureCachePath(int id, SIZE size) {
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD n = ::GetTempPathW(MAX_PATH + 1, folder);
    if (n == 0 || n > MAX_PATH) return {};
    return std::wstring(folder, n) + L"Tessaly-" + std::to_wstring(id) + L"-" + std::to_wstring(size.cx) + L"x" +
           std::to_wstring(size.cy) + L".pixels";
}

win32::Bitmap LoadCachedSkinPicture(int id, SIZE size, const std::wstring& path, HMODULE module) {
    if (path.empty() || !InRange(size)) return {};
    win32::Handle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    LARGE_INTEGER length{};
    if (!file || !::GetFileSizeEx(file.get(), &length)) return {};
    const DWORD pixels = PixelBytes(size);
    if (length.QuadPart != static_cast<LONGLONG>(sizeof(Header)) + pixels) return {};
    Header found{};
    DWORD read = 0;
    if (!::ReadFile(file.get(), &found, sizeof(found), &read, nullptr) || read != sizeof(found)) return {};
    const Header wanted = HeaderFor(id, size, module);
    if (std::memcmp(&found, &wanted, sizeof(Header)) != 0) return {};
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    win32::Bitmap dib(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib || !bits) return {};
    if (!::ReadFile(file.get(), bits, pixels, &read, nullptr) || read != pixels) return {};
    return dib;
}

bool SaveCachedSkinPicture(HBITMAP dib, int id, const std::wstring& path, HMODULE module) {
    DIBSECTION section{};
    if (path.empty() || !dib || ::GetObjectW(dib, sizeof(section), &section) != static_cast<int>(sizeof(section))) {
        return false;
    }
    const SIZE size{section.dsBm.bmWidth, section.dsBm.bmHeight};
    // A section does not tell which way up it was made: its rows are kept as they lie.
    if (!section.dsBm.bmBits || section.dsBm.bmBitsPixel != 32 || !InRange(size)) return false;
    ::GdiFlush();
    const Header header = HeaderFor(id, size, module);
    const std::wstring fresh = path + L".new";
    {
        win32::Handle file(::CreateFileW(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return false;
        if (!WriteAll(file.get(), &header, sizeof(header)) ||
            !WriteAll(file.get(), section.dsBm.bmBits, PixelBytes(size))) {
            file.reset();
            ::DeleteFileW(fresh.c_str());
            return false;
        }
    }
    if (::MoveFileExW(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
    ::DeleteFileW(fresh.c_str());
    return false;
}

}  // namespace tessaly
