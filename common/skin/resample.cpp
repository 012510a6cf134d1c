#include "common/skin/resample.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <new>
#include <vector>

namespace tessaly {
namespace {

// Eight bits of weight: sums of bytes fit 16 bits, which the row loops add eight or sixteen at a
// time; the rounding costs about one level of a channel, which nobody sees in a picture.
constexpr int kWeightBits = 8;
constexpr int kOne = 1 << kWeightBits;

// For each destination index, the source indices [first, first + count) and their weights,
// which add up to kOne exactly so that a flat colour stays exactly that colour.
struct Taps {
    std::vector<int> first;
    std::vector<int> count;
    std::vector<int> weights;  // count[i] entries for index i, one after another
};

Taps MakeTaps(int from, int to) {
    Taps taps;
    const double scale = static_cast<double>(from) / to;
    const double reach = std::max(scale, 1.0);  // the triangle's half-width in source pixels
    taps.first.resize(to);
    taps.count.resize(to);
    std::vector<double> w;
    for (int i = 0; i < to; ++i) {
        const double center = (i + 0.5) * scale;
        const int lo = std::max(0, static_cast<int>(std::floor(center - reach)));
        const int hi = std::min(from, static_cast<int>(std::ceil(center + reach)));
        w.clear();
        double sum = 0;
        for (int j = lo; j < hi; ++j) {
            const double v = std::max(0.0, 1.0 - std::fabs((j + 0.5 - center) / reach));
            w.push_back(v);
            sum += v;
        }
        // Trim the zero weights at both ends (an exact hit on a pixel centre leaves one tap).
        int a = 0, b = static_cast<int>(w.size());
        while (a < b && w[a] == 0) ++a;
        while (b > a && w[b - 1] == 0) --b;
        if (a == b) {  // cannot happen for a positive scale; keep the nearest pixel all the same
            a = 0;
            b = 1;
            w.assign(1, 1.0);
            sum = 1.0;
        }
        taps.first[i] = lo + a;
        taps.count[i] = b - a;
        int total = 0, largest = 0;
        const size_t start = taps.weights.size();
        for (int k = a; k < b; ++k) {
            const int v = static_cast<int>(std::lround(w[k] / sum * kOne));
            taps.weights.push_back(v);
            total += v;
            if (v > taps.weights[start + largest]) largest = static_cast<int>(taps.weights.size() - 1 - start);
        }
        taps.weights[start + largest] += kOne - total;  // rounding goes to the strongest tap
    }
    return taps;
}

uint8_t Channel(uint32_t sum) { return static_cast<uint8_t>((sum + kOne / 2) >> kWeightBits); }

// The pixels are handled as bytes, four to a pixel, so that the loops are plain sums over arrays;
// weights add up to kOne, so a sum never exceeds 255 * kOne: it needs no clamping and fits 16 bits.

// Rows of w pixels, each resized along its length to `to` pixels.
void ResizeRows(const uint8_t* src, int w, int rows, const Taps& taps, int to, uint8_t* out) {
    for (int y = 0; y < rows; ++y) {
        const uint8_t* row = src + static_cast<size_t>(y) * w * 4;
        uint8_t* dst = out + static_cast<size_t>(y) * to * 4;
        const int* weight = taps.weights.data();
        for (int x = 0; x < to; ++x, dst += 4) {
            uint32_t sum[4] = {0, 0, 0, 0};
            const uint8_t* p = row + static_cast<size_t>(taps.first[x]) * 4;
            for (int k = 0; k < taps.count[x]; ++k, ++weight, p += 4) {
                for (int c = 0; c < 4; ++c) sum[c] += static_cast<uint32_t>(*weight) * p[c];
            }
            for (int c = 0; c < 4; ++c) dst[c] = Channel(sum[c]);
        }
    }
}

// Columns: each destination row is a weighted sum of whole source rows of w pixels.
void ResizeColumns(const uint8_t* src, int w, const Taps& taps, int to, uint8_t* out) {
    const size_t bytes = static_cast<size_t>(w) * 4;
    std::vector<uint16_t> sums(bytes);
    const int* weight = taps.weights.data();
    for (int y = 0; y < to; ++y) {
        std::fill(sums.begin(), sums.end(), 0);
        for (int k = 0; k < taps.count[y]; ++k, ++weight) {
            const uint8_t* row = src + static_cast<size_t>(taps.first[y] + k) * bytes;
            const uint16_t v = static_cast<uint16_t>(*weight);
            uint16_t* s = sums.data();
            for (size_t i = 0; i < bytes; ++i) s[i] = static_cast<uint16_t>(s[i] + v * row[i]);
        }
        uint8_t* dst = out + static_cast<size_t>(y) * bytes;
        for (size_t i = 0; i < bytes; ++i) dst[i] = Channel(sums[i]);
    }
}

bool InRange(int side) { return side >= 1 && side <= kMaxResampleSide; }

}  // namespace

bool ResamplePixels(const PixelRect& from, const PixelRect& to) {
    for (const PixelRect* r : {&from, &to}) {
        if (!r->pixels || !InRange(r->width) || !InRange(r->height)) return false;
        if (r->count < static_cast<size_t>(r->width) * r->height) return false;
    }
    try {
        // Along the rows first, then down the columns; a side that keeps its length is copied
        // through, without the filter's rounding.
        std::vector<uint32_t> across;
        const uint32_t* rows = from.pixels;
        if (to.width != from.width) {
            across.resize(static_cast<size_t>(to.width) * from.height);
            ResizeRows(reinterpret_cast<const uint8_t*>(from.pixels), from.width, from.height,
                       MakeTaps(from.width, to.width), to.width, reinterpret_cast<uint8_t*>(across.data()));
            rows = across.data();
        }
        const size_t n = static_cast<size_t>(to.width) * to.height;
        if (to.height != from.height) {
            ResizeColumns(reinterpret_cast<const uint8_t*>(rows), to.width, MakeTaps(from.height, to.height),
                          to.height, reinterpret_cast<uint8_t*>(to.pixels));
            for (size_t i = 0; i < n; ++i) to.pixels[i] &= 0xFFFFFF;
        } else {
            for (size_t i = 0; i < n; ++i) to.pixels[i] = rows[i] & 0xFFFFFF;
        }
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void BoxReduce(const unsigned char* pixels, int width, int height, int stride, int bytesPerPixel,
               int fx, int fy, std::vector<unsigned>& out) {
    out.clear();
    if (!pixels || width <= 0 || height <= 0 || fx <= 0 || fy <= 0 ||
        (bytesPerPixel != 3 && bytesPerPixel != 4) || stride < width * bytesPerPixel) {
        return;
    }
    const int ow = width / fx;
    const int oh = height / fy;
    if (ow == 0 || oh == 0) return;
    out.resize(static_cast<size_t>(ow) * static_cast<size_t>(oh));
    const unsigned count = static_cast<unsigned>(fx * fy);
    std::vector<unsigned> sums(static_cast<size_t>(ow) * 3);
    for (int oy = 0; oy < oh; ++oy) {
        std::fill(sums.begin(), sums.end(), 0u);
        for (int y = oy * fy; y < (oy + 1) * fy; ++y) {
            const unsigned char* row = pixels + static_cast<ptrdiff_t>(y) * stride;
            for (int ox = 0; ox < ow; ++ox) {
                const unsigned char* p = row + static_cast<ptrdiff_t>(ox) * fx * bytesPerPixel;
                unsigned b = 0, g = 0, r = 0;
                for (int i = 0; i < fx; ++i, p += bytesPerPixel) {
                    b += p[0];
                    g += p[1];
                    r += p[2];
                }
                sums[ox * 3] += b;
                sums[ox * 3 + 1] += g;
                sums[ox * 3 + 2] += r;
            }
        }
        unsigned* dst = out.data() + static_cast<size_t>(oy) * ow;
        for (int ox = 0; ox < ow; ++ox) {
            dst[ox] = (sums[ox * 3] / count) | ((sums[ox * 3 + 1] / count) << 8) |
                      ((sums[ox * 3 + 2] / count) << 16);
        }
    }
}

}  // namespace tessaly
