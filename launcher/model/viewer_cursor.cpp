#include "launcher/model/viewer_cursor.h"

#include <windows.h>

#include <algorithm>
#include <climits>

namespace tessaly {

ViewerStep ViewerStepForKey(unsigned virtualKey) {
    switch (virtualKey) {
        case VK_LEFT:
        case VK_UP:
        case VK_MEDIA_PREV_TRACK:
            return ViewerStep::kPrevious;
        case VK_RIGHT:
        case VK_DOWN:
        case VK_MEDIA_NEXT_TRACK:
            return ViewerStep::kNext;
        default:
            return ViewerStep::kNone;
    }
}

ViewerCursor::ViewerCursor(int count, int firstFile, int index)
    : count_(std::max(count, 0)),
      firstFile_(firstFile),
      index_(std::clamp(index, 0, std::max(count_ - 1, 0))) {}

bool ViewerCursor::Previous() {
    if (empty()) return false;
    if (index_ - 1 > firstFile_) --index_;
    return true;
}

bool ViewerCursor::Next() {
    if (empty()) return false;
    const int last = count_ - 1;
    if (index_ < last) {
        // A real step always shows its picture, even after the end was once reached.
        ++index_;
        if (index_ == last) atLast_ = true;
        return true;
    }
    if (atLast_) return false;
    atLast_ = true;
    return true;
}

namespace {

unsigned Be16(const unsigned char* p) {
    return (p[0] << 8) | p[1];
}
unsigned Be32(const unsigned char* p) {
    return (static_cast<unsigned>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}
unsigned Le16(const unsigned char* p) {
    return p[0] | (p[1] << 8);
}
int Le32(const unsigned char* p) {
    return static_cast<int>(p[0] | (p[1] << 8) | (p[2] << 16) |
                            (static_cast<unsigned>(p[3]) << 24));
}

bool JpegSize(const unsigned char* d, size_t size, unsigned& w, unsigned& h) {
    size_t i = 2;
    while (i + 4 <= size) {
        if (d[i] != 0xFF) return false;
        const unsigned char marker = d[i + 1];
        if (marker == 0xFF) {  // fill byte
            ++i;
            continue;
        }
        if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            i += 2;
            continue;
        }
        const unsigned length = Be16(d + i + 2);
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (i + 9 > size) return false;
            h = Be16(d + i + 5);
            w = Be16(d + i + 7);
            return true;
        }
        if (length < 2) return false;
        i += 2 + length;
    }
    return false;
}

// Baseline TIFF, either byte order: width and length from the first directory.
bool TiffSize(const unsigned char* d, size_t size, unsigned& w, unsigned& h) {
    if (size < 8) return false;
    const bool little = d[0] == 'I';
    auto u16 = [&](size_t at) { return little ? Le16(d + at) : Be16(d + at); };
    auto u32 = [&](size_t at) { return little ? static_cast<unsigned>(Le32(d + at)) : Be32(d + at); };
    if (u16(2) != 42) return false;  // 43 is the 64-bit variant: not sized here
    const size_t dir = u32(4);
    if (dir > size || size - dir < 2) return false;
    const unsigned entries = u16(dir);
    unsigned width = 0;
    unsigned height = 0;
    bool haveWidth = false;
    bool haveHeight = false;
    for (unsigned i = 0; i < entries && !(haveWidth && haveHeight); ++i) {
        const size_t e = dir + 2 + static_cast<size_t>(i) * 12;
        if (e > size || size - e < 12) return false;
        const unsigned tag = u16(e);
        const unsigned type = u16(e + 2);
        if (tag != 256 && tag != 257) continue;
        unsigned value = 0;
        if (type == 3) {
            value = u16(e + 8);  // a short sits first in the value field
        } else if (type == 4) {
            value = u32(e + 8);
        } else {
            return false;
        }
        if (tag == 256) {
            width = value;
            haveWidth = true;
        } else {
            height = value;
            haveHeight = true;
        }
    }
    if (!haveWidth || !haveHeight) return false;
    w = width;
    h = height;
    return true;
}

// An uncompressed BMP whose declared rows run past the end of the file: the decoder would
// allocate the whole picture for a few bytes.
bool BmpRowsMissing(const unsigned char* d, size_t size, unsigned w, unsigned h) {
    if (size < 30 || d[0] != 'B' || d[1] != 'M') return false;
    const unsigned headerSize = static_cast<unsigned>(Le32(d + 14));
    const unsigned bits = headerSize == 12 ? Le16(d + 24) : Le16(d + 28);
    const unsigned compression = headerSize == 12 || size < 34 ? 0 : static_cast<unsigned>(Le32(d + 30));
    if (compression != 0 && compression != 3) return false;  // run-length data: size unknown
    if (bits == 0) return true;
    const unsigned long long stride = ((static_cast<unsigned long long>(w) * bits + 31) / 32) * 4;
    const unsigned offset = static_cast<unsigned>(Le32(d + 10));
    return stride * h + offset > size;
}

}  // namespace

bool PictureWithinDecodeBound(const unsigned char* data, size_t size) {
    unsigned w = 0;
    unsigned h = 0;
    if (!PictureHeaderSize(data, size, w, h)) return false;
    if (w == 0 || h == 0 || static_cast<unsigned long long>(w) * h > kMaxPicturePixels) return false;
    return !BmpRowsMissing(data, size, w, h);
}

bool PictureHeaderSize(const unsigned char* d, size_t size, unsigned& w, unsigned& h) {
    if (!d) return false;
    static const unsigned char kPng[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (size >= 2 && d[0] == 0xFF && d[1] == 0xD8) return JpegSize(d, size, w, h);
    if (size >= 24 && std::equal(kPng, kPng + 8, d) && std::equal(d + 12, d + 16, "IHDR")) {
        w = Be32(d + 16);
        h = Be32(d + 20);
        return true;
    }
    if (size >= 10 && (std::equal(d, d + 6, "GIF87a") || std::equal(d, d + 6, "GIF89a"))) {
        w = Le16(d + 6);
        h = Le16(d + 8);
        return true;
    }
    if (size >= 26 && d[0] == 'B' && d[1] == 'M') {
        if (Le32(d + 14) == 12) {  // the old core header
            w = Le16(d + 18);
            h = Le16(d + 20);
            return true;
        }
        const int bw = Le32(d + 18);
        const int bh = Le32(d + 22);  // negative for rows top-down
        if (bw < 0 || bh == INT_MIN) return false;
        w = static_cast<unsigned>(bw);
        h = static_cast<unsigned>(bh < 0 ? -bh : bh);
        return true;
    }
    if (size >= 8 && ((d[0] == 'I' && d[1] == 'I') || (d[0] == 'M' && d[1] == 'M'))) {
        return TiffSize(d, size, w, h);
    }
    return false;
}

}  // namespace tessaly
