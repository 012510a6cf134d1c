#pragma once
// Picture files for the viewer and the browser's preview: read whole, sized from the header and
// only then decoded. Runs on any thread inside the GDI+ session.
#include <windows.h>

#include <memory>
#include <string>

namespace Gdiplus {
class Bitmap;
}

namespace tessaly {

constexpr long long kMaxPictureFileBytes = 256LL * 1024 * 1024;

// The decoded picture, or null for a missing, empty, unreadable or oversized file; oversized means
// a header that does not name a size within PictureWithinDecodeBound, whatever the file's name.
// The image owns its bytes, so the file is not held open.
std::unique_ptr<Gdiplus::Bitmap> DecodePictureFile(const std::wstring& path);

}  // namespace tessaly
