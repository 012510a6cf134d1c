#include "launcher/skin/jpeg_decode.h"

#include <algorithm>
#include <array>
#include <memory>
#include <new>

// SSE2 is part of every 64-bit x86 processor; a 32-bit build may not assume it.
#if defined(__SSE2__) || defined(_M_X64)
#define TESSALY_SSE2 1
#include <emmintrin.h>
#endif

namespace tessaly {
namespace {

// Position in an 8x8 block of the k-th coefficient in the file's zig-zag order.
constexpr std::array<uint8_t, 64> kZigzag = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

constexpr int kFastBits = 9;

struct Huffman {
    bool defined = false;
    std::array<uint8_t, 1 << kFastBits> fastLength{};  // 0: the code is longer than kFastBits
    std::array<uint8_t, 1 << kFastBits> fastSymbol{};
    std::array<int, 17> maxCode{};  // per length, -1 when no code has that length
    std::array<int, 17> minCode{};
    std::array<int, 17> firstIndex{};
    std::array<uint8_t, 256> symbols{};

    bool Build(const uint8_t counts[16], const uint8_t* values, int total) {
        std::copy(values, values + total, symbols.begin());
        fastLength.fill(0);
        int code = 0;
        int index = 0;
        for (int length = 1; length <= 16; ++length) {
            const int n = counts[length - 1];
            if (code + n > 1 << length) return false;  // more codes than the length can hold
            firstIndex[length] = index;
            minCode[length] = code;
            maxCode[length] = n ? code + n - 1 : -1;
            for (int i = 0; i < n && length <= kFastBits; ++i) {
                const int first = (code + i) << (kFastBits - length);
                for (int j = 0; j < 1 << (kFastBits - length); ++j) {
                    fastLength[first + j] = static_cast<uint8_t>(length);
                    fastSymbol[first + j] = symbols[index + i];
                }
            }
            code += n;
            index += n;
            code <<= 1;
        }
        defined = true;
        return true;
    }
};

struct Component {
    int id = 0;
    int h = 1;
    int v = 1;
    int table = 0;  // quantisation
    int dcTable = 0;
    int acTable = 0;
    int predictor = 0;
    int stride = 0;  // plane width: whole blocks
    int rows = 0;    // plane height: whole blocks
    int width = 0;   // samples that belong to the picture
    int height = 0;
    std::vector<uint8_t> plane;
};

// Entropy-coded bits. At a marker or the end of the data it feeds zeros; `Short` tells whether any
// of them were used.
class BitReader {
public:
    BitReader(const uint8_t* p, const uint8_t* end) : p_(p), end_(end) {}

    void Fill() {
        while (bits_ <= 24) {
            uint32_t byte = 0;
            if (!atMarker_ && p_ < end_ && (*p_ != 0xFF || (end_ - p_ > 1 && p_[1] == 0))) {
                byte = *p_;
                p_ += byte == 0xFF ? 2 : 1;  // a stuffed 0xFF is followed by a zero
            } else {
                atMarker_ = true;
                zerosFed_ += 8;
            }
            buffer_ |= byte << (24 - bits_);
            bits_ += 8;
        }
    }
    uint32_t Peek(int n) const { return buffer_ >> (32 - n); }
    void Skip(int n) {
        buffer_ <<= n;
        bits_ -= n;
    }
    bool Short() const { return zerosFed_ > bits_; }

    // At a restart marker: the next interval starts after it, with an empty buffer.
    bool Restart() {
        if (Short()) return false;
        buffer_ = 0;
        bits_ = 0;
        zerosFed_ = 0;
        while (end_ - p_ > 2 && p_[0] == 0xFF && p_[1] == 0xFF) ++p_;  // fill bytes
        if (end_ - p_ < 2 || p_[0] != 0xFF || p_[1] < 0xD0 || p_[1] > 0xD7) return false;
        p_ += 2;
        atMarker_ = false;
        return true;
    }

    int Decode(const Huffman& table) {
        Fill();
        const uint32_t fast = Peek(kFastBits);
        if (table.fastLength[fast]) {
            Skip(table.fastLength[fast]);
            return table.fastSymbol[fast];
        }
        for (int length = kFastBits + 1; length <= 16; ++length) {
            const int code = static_cast<int>(Peek(length));
            if (code <= table.maxCode[length]) {
                Skip(length);
                return table.symbols[table.firstIndex[length] + code - table.minCode[length]];
            }
        }
        return -1;
    }

    // The next n bits (1..16) as a signed value of magnitude category n.
    int Receive(int n) {
        Fill();
        const int value = static_cast<int>(Peek(n));
        Skip(n);
        return value < (1 << (n - 1)) ? value - (1 << n) + 1 : value;
    }

private:
    const uint8_t* p_;
    const uint8_t* end_;
    uint32_t buffer_ = 0;
    int bits_ = 0;
    int zerosFed_ = 0;
    bool atMarker_ = false;
};

uint8_t Clamp(int64_t v) { return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); }

// A coefficient times its quantiser, bounded: damaged data cannot overflow the transform.
int32_t Dequantise(int value, int quantiser) {
    return static_cast<int32_t>(std::clamp<int64_t>(int64_t{value} * quantiser, -(1 << 20), 1 << 20));
}

constexpr int64_t Fix(double x) { return static_cast<int64_t>(x * 4096 + 0.5); }
constexpr int64_t c0541 = Fix(0.5411961), c1847 = -Fix(1.847759065), c0765 = Fix(0.765366865),
                  c1175 = Fix(1.175875602), c0298 = Fix(0.298631336), c2053 = Fix(2.053119869),
                  c3072 = Fix(3.072711026), c1501 = Fix(1.501321110), c0899 = -Fix(0.899976223),
                  c2562 = -Fix(2.562915447), c1961 = -Fix(1.961570560), c0390 = -Fix(0.390180644);

// Inverse DCT of one block into 8x8 samples (the common integer method, 12-bit fixed point);
// 64-bit, so no bounded coefficient can overflow it.
void InverseDct(const int32_t in[64], uint8_t* out, int stride) {
    int64_t work[64];
    auto pass = [&](const auto& s, auto&& put, int64_t bias) {
        int64_t p2 = s(2), p3 = s(6);
        int64_t p1 = (p2 + p3) * c0541;
        int64_t t2 = p1 + p3 * c1847;
        int64_t t3 = p1 + p2 * c0765;
        p2 = s(0);
        p3 = s(4);
        int64_t t0 = (p2 + p3) * 4096;
        int64_t t1 = (p2 - p3) * 4096;
        const int64_t x0 = t0 + t3 + bias, x3 = t0 - t3 + bias, x1 = t1 + t2 + bias, x2 = t1 - t2 + bias;
        t0 = s(7);
        t1 = s(5);
        t2 = s(3);
        t3 = s(1);
        p3 = t0 + t2;
        int64_t p4 = t1 + t3;
        p1 = t0 + t3;
        p2 = t1 + t2;
        const int64_t p5 = (p3 + p4) * c1175;
        t0 *= c0298;
        t1 *= c2053;
        t2 *= c3072;
        t3 *= c1501;
        p1 = p5 + p1 * c0899;
        p2 = p5 + p2 * c2562;
        p3 *= c1961;
        p4 *= c0390;
        t3 += p1 + p4;
        t2 += p2 + p3;
        t1 += p2 + p4;
        t0 += p1 + p3;
        put(0, x0 + t3);
        put(7, x0 - t3);
        put(1, x1 + t2);
        put(6, x1 - t2);
        put(2, x2 + t1);
        put(5, x2 - t1);
        put(3, x3 + t0);
        put(4, x3 - t0);
    };
    for (int col = 0; col < 8; ++col) {
        const int32_t* c = in + col;
        if (!c[8] && !c[16] && !c[24] && !c[32] && !c[40] && !c[48] && !c[56]) {
            for (int row = 0; row < 8; ++row) work[row * 8 + col] = int64_t{c[0]} * 4;
            continue;
        }
        pass([&](int i) { return int64_t{c[i * 8]}; },
             [&](int i, int64_t v) { work[i * 8 + col] = v >> 10; }, 512);
    }
    constexpr int64_t kRowBias = 65536 + (int64_t{128} << 17);
    for (int row = 0; row < 8; ++row) {
        const int64_t* r = work + row * 8;
        uint8_t* o = out + row * stride;
        if (!r[1] && !r[2] && !r[3] && !r[4] && !r[5] && !r[6] && !r[7]) {
            std::fill(o, o + 8, Clamp((r[0] * 4096 + kRowBias) >> 17));  // what the pass gives
            continue;
        }
        // The level shift of 128 and the rounding go into the bias.
        pass([&](int i) { return r[i]; }, [&](int i, int64_t v) { o[i] = Clamp(v >> 17); }, kRowBias);
    }
}

// One row of YCbCr samples to pixels: R = Y + 1.402 Cr, G = Y - 0.344136 Cb - 0.714136 Cr,
// B = Y + 1.772 Cb (Cb and Cr centred on 128).
void ConvertRow(const uint8_t* luma, const uint8_t* cb, const uint8_t* cr, int width, uint32_t* out) {
    int x = 0;
#if defined(TESSALY_SSE2)
    // Eight pixels at a time in 16-bit lanes. Each fraction f of a sample v is round(f v): the high
    // half of (v << 3) times f in 1/16384ths is 2 f v, which is halved with rounding.
    const __m128i zero = _mm_setzero_si128(), half = _mm_set1_epi16(128), one = _mm_set1_epi16(1);
    const __m128i opaque = _mm_set1_epi8(static_cast<char>(0xFF));
    auto part = [&](__m128i v, short f) {
        return _mm_srai_epi16(_mm_add_epi16(_mm_mulhi_epi16(_mm_slli_epi16(v, 3), _mm_set1_epi16(f)), one), 1);
    };
    auto load = [&](const uint8_t* p) {
        return _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)), zero);
    };
    for (; x + 8 <= width; x += 8) {
        const __m128i l = load(luma + x), b = _mm_sub_epi16(load(cb + x), half), r = _mm_sub_epi16(load(cr + x), half);
        // 1.402 = 1 + 0.402; 1.772 = 2 - 0.228; 0.714136 = 1 - 0.285864.
        const __m128i red = _mm_add_epi16(_mm_add_epi16(l, r), part(r, 6586));
        const __m128i blue = _mm_sub_epi16(_mm_add_epi16(l, _mm_add_epi16(b, b)), part(b, 3736));
        const __m128i green = _mm_add_epi16(_mm_sub_epi16(_mm_sub_epi16(l, part(b, 5638)), r), part(r, 4684));
        const __m128i blueGreen = _mm_unpacklo_epi8(_mm_packus_epi16(blue, zero), _mm_packus_epi16(green, zero));
        const __m128i redAlpha = _mm_unpacklo_epi8(_mm_packus_epi16(red, zero), opaque);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), _mm_unpacklo_epi16(blueGreen, redAlpha));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x + 4), _mm_unpackhi_epi16(blueGreen, redAlpha));
    }
#endif
    for (; x < width; ++x) {
        // 16-bit fixed point.
        const int l = luma[x] << 16, b = cb[x] - 128, r = cr[x] - 128;
        const uint32_t red = static_cast<uint32_t>(std::clamp((l + 91881 * r + 32768) >> 16, 0, 255));
        const uint32_t green = static_cast<uint32_t>(std::clamp((l - 22554 * b - 46802 * r + 32768) >> 16, 0, 255));
        const uint32_t blue = static_cast<uint32_t>(std::clamp((l + 116130 * b + 32768) >> 16, 0, 255));
        out[x] = 0xFF000000u | red << 16 | green << 8 | blue;
    }
}

class Decoder {
public:
    Decoder(const uint8_t* data, size_t size, int maxSide) : p_(data), end_(data + size), maxSide_(maxSide) {}

    bool Run(DecodedJpeg& out) {
        if (Byte() != 0xFF || Byte() != 0xD8) return false;
        for (;;) {
            int marker = NextMarker();
            if (marker < 0 || marker == 0xD9) return false;  // no scan
            const uint8_t* segment = p_;
            int length = Word();
            if (length < 2 || end_ - segment < length) return false;
            p_ = segment + 2;
            const uint8_t* next = segment + length;
            bool ok = true;
            switch (marker) {
                case 0xDB: ok = ReadQuantisation(next); break;
                case 0xC4: ok = ReadHuffman(next); break;
                case 0xDD: ok = length == 4 && (restartInterval_ = Word(), true); break;
                case 0xC0:
                case 0xC1: ok = ReadFrame(next); break;
                case 0xDA:
                    if (!ReadScan(next)) return false;
                    return DecodeScan() && Convert(out);
                default:
                    // Progressive, lossless, hierarchical and arithmetic-coded frames are left to
                    // the system; application data and comments are skipped.
                    if ((marker >= 0xC2 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8) || marker == 0xDC) {
                        return false;
                    }
            }
            if (!ok) return false;
            p_ = next;
        }
    }

private:
    int Byte() { return p_ < end_ ? *p_++ : -1; }
    int Word() {
        int hi = Byte(), lo = Byte();
        return hi < 0 || lo < 0 ? -1 : hi << 8 | lo;
    }
    int NextMarker() {
        int b = Byte();
        if (b != 0xFF) return -1;
        while (b == 0xFF) b = Byte();  // fill bytes
        return b;
    }

    bool ReadQuantisation(const uint8_t* next) {
        while (p_ < next) {
            const int pq = *p_ >> 4, tq = *p_ & 15;
            ++p_;
            if (pq > 1 || tq > 3 || next - p_ < 64 * (pq + 1)) return false;
            for (int k = 0; k < 64; ++k) {
                quant_[tq][k] = pq ? Word() : Byte();
            }
        }
        return true;
    }

    bool ReadHuffman(const uint8_t* next) {
        while (p_ < next) {
            const int tc = *p_ >> 4, th = *p_ & 15;
            ++p_;
            if (tc > 1 || th > 3 || next - p_ < 16) return false;
            const uint8_t* counts = p_;
            int total = 0;
            for (int i = 0; i < 16; ++i) total += counts[i];
            p_ += 16;
            if (total > 256 || next - p_ < total) return false;
            if (!huffman_[tc][th].Build(counts, p_, total)) return false;
            p_ += total;
        }
        return true;
    }

    bool ReadFrame(const uint8_t* next) {
        if (next - p_ < 6 || components_.size()) return false;
        const int precision = Byte();
        height_ = Word();
        width_ = Word();
        const int count = Byte();
        // A height of 0 (given later in the scan) is not supported.
        if (precision != 8 || width_ <= 0 || height_ <= 0 || width_ > maxSide_ || height_ > maxSide_) return false;
        if ((count != 1 && count != 3) || next - p_ < 3 * count) return false;
        components_.resize(count);
        for (Component& c : components_) {
            c.id = Byte();
            const int sampling = Byte();
            c.h = sampling >> 4;
            c.v = sampling & 15;
            c.table = Byte();
            if (c.h < 1 || c.h > 2 || c.v < 1 || c.v > 2 || c.table > 3) return false;
            hMax_ = std::max(hMax_, c.h);
            vMax_ = std::max(vMax_, c.v);
        }
        if (count == 1) components_[0].h = components_[0].v = hMax_ = vMax_ = 1;  // a grey scan has no MCU
        mcusX_ = (width_ + 8 * hMax_ - 1) / (8 * hMax_);
        mcusY_ = (height_ + 8 * vMax_ - 1) / (8 * vMax_);
        try {
            for (Component& c : components_) {
                c.stride = mcusX_ * c.h * 8;
                c.rows = mcusY_ * c.v * 8;
                c.width = (width_ * c.h + hMax_ - 1) / hMax_;
                c.height = (height_ * c.v + vMax_ - 1) / vMax_;
                c.plane.assign(static_cast<size_t>(c.stride) * c.rows, 0);
            }
        } catch (const std::bad_alloc&) {
            return false;
        }
        return true;
    }

    bool ReadScan(const uint8_t* next) {
        if (components_.empty() || next - p_ < 1) return false;
        const int count = Byte();
        // One scan with every component: baseline pictures as encoders write them.
        if (count != static_cast<int>(components_.size()) || next - p_ != 2 * count + 3) return false;
        for (int i = 0; i < count; ++i) {
            const int id = Byte(), tables = Byte();
            auto c = std::find_if(components_.begin(), components_.end(), [&](const Component& x) { return x.id == id; });
            if (c == components_.end()) return false;
            c->dcTable = tables >> 4;
            c->acTable = tables & 15;
            if (c->dcTable > 3 || c->acTable > 3 || !huffman_[0][c->dcTable].defined || !huffman_[1][c->acTable].defined) {
                return false;
            }
            scan_.push_back(&*c);
        }
        const int start = Byte(), end = Byte(), approximation = Byte();
        return start == 0 && end == 63 && approximation == 0;
    }

    bool DecodeBlock(BitReader& bits, Component& c, uint8_t* out) {
        int32_t block[64] = {};
        const int* q = quant_[c.table];
        const int category = bits.Decode(huffman_[0][c.dcTable]);
        if (category < 0 || category > 11) return false;
        c.predictor += category ? bits.Receive(category) : 0;
        // Damaged data cannot push the predictor anywhere a sample could come from.
        c.predictor = std::clamp(c.predictor, -(1 << 16), 1 << 16);
        block[0] = Dequantise(c.predictor, q[0]);
        bool ac = false;
        for (int k = 1; k < 64;) {
            const int rs = bits.Decode(huffman_[1][c.acTable]);
            if (rs < 0) return false;
            const int run = rs >> 4, size = rs & 15;
            if (size == 0) {
                if (run != 15) break;  // end of block
                k += 16;
                continue;
            }
            k += run;
            if (k > 63) return false;
            block[kZigzag[k]] = Dequantise(bits.Receive(size), q[k]);
            ac = true;
            ++k;
        }
        if (!ac) {
            // Flat blocks are most of a drawn picture: what the transform gives, without it.
            const uint8_t v = Clamp((int64_t{block[0]} * 16384 + 65536 + (int64_t{128} << 17)) >> 17);
            for (int row = 0; row < 8; ++row) std::fill(out + row * c.stride, out + row * c.stride + 8, v);
            return true;
        }
        InverseDct(block, out, c.stride);
        return true;
    }

    bool DecodeScan() {
        BitReader bits(p_, end_);
        const int total = mcusX_ * mcusY_;
        for (int mcu = 0; mcu < total; ++mcu) {
            if (restartInterval_ && mcu && mcu % restartInterval_ == 0) {
                if (!bits.Restart()) return false;
                for (Component* c : scan_) c->predictor = 0;
            }
            const int mx = mcu % mcusX_, my = mcu / mcusX_;
            for (Component* c : scan_) {
                for (int by = 0; by < c->v; ++by) {
                    for (int bx = 0; bx < c->h; ++bx) {
                        const size_t row = static_cast<size_t>(my * c->v + by) * 8;
                        uint8_t* out = c->plane.data() + row * c->stride + (mx * c->h + bx) * 8;
                        if (!DecodeBlock(bits, *c, out)) return false;
                    }
                }
            }
            if (bits.Short()) return false;  // the data ended inside the picture
        }
        return true;
    }

    // Row y of component c at the picture's resolution: the plane's own row where it has that
    // resolution, else made in `row`, smoothed between samples (a triangle filter, as most
    // decoders do). `sums` holds c.width values, `row` 2 x c.width samples.
    const uint8_t* Upsample(const Component& c, int y, int* sums, uint8_t* row) const {
        const int w = c.width;
        const uint8_t* here = c.plane.data() + static_cast<size_t>(c.v == vMax_ ? y : std::min(y / 2, c.height - 1)) * c.stride;
        if (c.h == hMax_ && c.v == vMax_) return here;
        if (c.v == vMax_) {
            for (int x = 0; x < w; ++x) sums[x] = here[x] * 4;
        } else {
            const int other = std::clamp(y % 2 ? y / 2 + 1 : y / 2 - 1, 0, c.height - 1);
            const uint8_t* there = c.plane.data() + static_cast<size_t>(other) * c.stride;
            for (int x = 0; x < w; ++x) sums[x] = here[x] * 3 + there[x];
        }
        if (c.h == hMax_) {
            for (int x = 0; x < w; ++x) row[x] = static_cast<uint8_t>((sums[x] + 2) >> 2);
            return row;
        }
        // Each sample makes two: three parts itself and one part its neighbour on that side.
        row[0] = static_cast<uint8_t>((sums[0] * 4 + 8) >> 4);
        for (int i = 0; i + 1 < w; ++i) {
            row[2 * i + 1] = static_cast<uint8_t>((sums[i] * 3 + sums[i + 1] + 7) >> 4);
            row[2 * i + 2] = static_cast<uint8_t>((sums[i + 1] * 3 + sums[i] + 8) >> 4);
        }
        row[2 * w - 1] = static_cast<uint8_t>((sums[w - 1] * 4 + 7) >> 4);
        return row;
    }

    bool Convert(DecodedJpeg& out) {
        std::vector<uint32_t> pixels;
        std::vector<int> sums;
        std::vector<uint8_t> rows;
        try {
            pixels.resize(static_cast<size_t>(width_) * height_);
            sums.resize(static_cast<size_t>(width_) + 1);
            rows.resize((static_cast<size_t>(width_) + 1) * 2 * 3);
        } catch (const std::bad_alloc&) {
            return false;
        }
        const size_t part = static_cast<size_t>(width_ + 1) * 2;
        for (int y = 0; y < height_; ++y) {
            uint32_t* o = pixels.data() + static_cast<size_t>(y) * width_;
            const uint8_t* luma = Upsample(components_[0], y, sums.data(), rows.data());
            if (components_.size() == 1) {
                for (int x = 0; x < width_; ++x) o[x] = 0xFF000000u | luma[x] * 0x010101u;
                continue;
            }
            const uint8_t* cb = Upsample(components_[1], y, sums.data(), rows.data() + part);
            const uint8_t* cr = Upsample(components_[2], y, sums.data(), rows.data() + 2 * part);
            ConvertRow(luma, cb, cr, width_, o);
        }
        out.width = width_;
        out.height = height_;
        out.pixels = std::move(pixels);
        return true;
    }

    const uint8_t* p_;
    const uint8_t* end_;
    int maxSide_;
    int quant_[4][64] = {};
    Huffman huffman_[2][4];
    std::vector<Component> components_;
    std::vector<Component*> scan_;
    int width_ = 0, height_ = 0, hMax_ = 1, vMax_ = 1, mcusX_ = 0, mcusY_ = 0;
    int restartInterval_ = 0;
};

}  // namespace

bool DecodeBaselineJpeg(const uint8_t* data, size_t size, int maxSide, DecodedJpeg& out) {
    if (!data || size < 4) return false;
    try {
        auto decoder = std::make_unique<Decoder>(data, size, maxSide);
        return decoder->Run(out);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace tessaly
