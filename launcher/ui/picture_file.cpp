#include "launcher/ui/picture_file.h"

#include <objidl.h>
#include <gdiplus.h>

#include "launcher/model/viewer_cursor.h"
#include "win32/handles.h"

namespace tessaly {
namespace {

// The file's bytes in a movable memory block (what a stream on global memory needs).
win32::GlobalMemory ReadWholeFile(const std::wstring& path, DWORD& bytes) {
    win32::Handle file(::CreateFileW(path.c_str(), GENERIC_READ,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size)) return {};
    if (size.QuadPart <= 0 || size.QuadPart > kMaxPictureFileBytes) return {};
    bytes = static_cast<DWORD>(size.QuadPart);
    win32::GlobalMemory block(::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes));
    if (!block) return {};
    void* data = ::GlobalLock(block.get());
    if (!data) return {};
    DWORD read = 0;
    const BOOL ok = ::ReadFile(file.get(), data, bytes, &read, nullptr);
    ::GlobalUnlock(block.get());
    if (!ok || read != bytes) return {};
    return block;
}

bool WithinBound(HGLOBAL block, DWORD size) {
    const void* bytes = ::GlobalLock(block);
    if (!bytes) return false;
    const bool ok = PictureWithinDecodeBound(static_cast<const unsigned char*>(bytes), size);
    ::GlobalUnlock(block);
    return ok;
}

}  // namespace

std::unique_ptr<Gdiplus::Bitmap> DecodePictureFile(const std::wstring& path) {
    if (path.empty()) return nullptr;
    DWORD size = 0;
    win32::GlobalMemory block = ReadWholeFile(path, size);
    if (!block || !WithinBound(block.get(), size)) return nullptr;
    win32::ComPtr<IStream> stream;
    // The stream frees the block; the image keeps the stream as long as it decodes from it.
    if (FAILED(::CreateStreamOnHGlobal(block.get(), TRUE, stream.put()))) return nullptr;
    block.release();
    auto image = std::make_unique<Gdiplus::Bitmap>(stream.get());
    if (image->GetLastStatus() != Gdiplus::Ok) return nullptr;
    const UINT w = image->GetWidth();
    const UINT h = image->GetHeight();
    // The decoder's own idea of the size counts too: a header may lie about a later frame.
    if (w == 0 || h == 0 || static_cast<unsigned long long>(w) * h > kMaxPicturePixels) return nullptr;
    return image;
}

}  // namespace tessaly
