// The decode-and-stretch path of the compiled-in pictures (DecodeJpegPixels, then ResamplePixels)
// fed with damaged copies of our own pictures: random cuts, flipped bytes and forged headers.
// Built for the host with AddressSanitizer and UndefinedBehaviorSanitizer by decode_fuzz.sh; each
// input sits in a block of exactly its length, so reading past its end is reported.
// usage: decode_fuzz SECONDS SEED RUNS PICTURE.jpg...  (RUNS 0: as many as SECONDS allow)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "common/skin/jpeg_pixels.h"
#include "common/skin/resample.h"

using namespace tessaly;

namespace {

using Bytes = std::vector<uint8_t>;

[[noreturn]] void Fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "decode_fuzz: %s (%s)\n", what, detail.c_str());
    std::abort();
}

// Offsets of the segments that follow each marker of kind `marker` (just after FF xx).
std::vector<size_t> Segments(const Bytes& data, uint8_t marker) {
    std::vector<size_t> at;
    for (size_t i = 0; i + 1 < data.size(); ++i) {
        if (data[i] == 0xFF && data[i + 1] == marker) at.push_back(i + 2);
    }
    return at;
}

class Mutator {
public:
    explicit Mutator(uint32_t seed) : rng_(seed) {}

    size_t Below(size_t n) { return n ? std::uniform_int_distribution<size_t>(0, n - 1)(rng_) : 0; }
    template <class T>
    T Pick(std::initializer_list<T> options) { return options.begin()[Below(options.size())]; }

    Bytes Mutate(Bytes data, std::string& how) {
        const int steps = 1 + static_cast<int>(Below(3));
        for (int s = 0; s < steps && !data.empty(); ++s) {
            switch (Below(5)) {
                case 0: {  // cut
                    const size_t n = Below(data.size());
                    data.resize(n);
                    how += " cut@" + std::to_string(n);
                    break;
                }
                case 1: {  // flipped bits, mostly in the headers where they matter most
                    const int count = 1 + static_cast<int>(Below(8));
                    const size_t span = Below(2) ? std::min<size_t>(data.size(), 1024) : data.size();
                    for (int i = 0; i < count; ++i) data[Below(span)] ^= static_cast<uint8_t>(1u << Below(8));
                    how += " flip" + std::to_string(count);
                    break;
                }
                case 2: {  // forged frame size (height, width) or component layout
                    for (uint8_t sof : {uint8_t{0xC0}, uint8_t{0xC2}}) {
                        for (size_t at : Segments(data, sof)) {
                            if (at + 9 >= data.size()) continue;
                            const uint16_t v = Pick<uint16_t>({0, 1, 2, 7, 8, 9, 15, 16, 17, 255, 256, 399, 400,
                                                               500, 1023, 1024, 1080, 1920, 2048, 16383, 16384,
                                                               16385, 65535});
                            const size_t field = at + 3 + 2 * Below(2);
                            data[field] = static_cast<uint8_t>(v >> 8);
                            data[field + 1] = static_cast<uint8_t>(v);
                            if (Below(3) == 0) data[at + 7] = static_cast<uint8_t>(Below(6));  // components
                            if (Below(3) == 0 && at + 12 < data.size()) data[at + 11] = data[at + 8];  // same id
                            if (Below(3) == 0) data[at + 9] = static_cast<uint8_t>(Below(256));  // sampling
                            how += " sof=" + std::to_string(v);
                        }
                    }
                    break;
                }
                case 3: {  // a segment's length, a table's class or a scan's layout
                    const uint8_t marker = Pick<uint8_t>({0xC4, 0xDB, 0xDA, 0xDD, 0xE0, 0xEE});
                    auto at = Segments(data, marker);
                    if (at.empty()) break;
                    const size_t i = at[Below(at.size())] + Below(6);
                    if (i < data.size()) data[i] = Pick<uint8_t>({0x00, 0x01, 0x0F, 0x10, 0x3F, 0x40, 0x7F, 0xFF,
                                                                  static_cast<uint8_t>(Below(256))});
                    how += " seg" + std::to_string(marker);
                    break;
                }
                case 4: {  // a marker planted in the scan data: restart, end of image, another frame
                    const size_t i = Below(data.size() - 1);
                    data[i] = 0xFF;
                    data[i + 1] = Pick<uint8_t>({0xD0, 0xD3, 0xD7, 0xD9, 0xC0, 0xDA, 0xDD, 0x00});
                    how += " mark@" + std::to_string(i);
                    break;
                }
            }
        }
        return data;
    }

private:
    std::mt19937 rng_;
};

// Decodes one input and, when it is a picture, stretches it: nothing may be out of bounds.
bool Check(Mutator& m, const Bytes& input, const std::string& how) {
    // Exactly the input's length, so ASan sees a read past its end.
    std::unique_ptr<uint8_t[]> exact(new uint8_t[input.size() ? input.size() : 1]);
    std::copy(input.begin(), input.end(), exact.get());
    const int maxSide = m.Pick<int>({64, 512, 2048, kMaxResampleSide});
    DecodedPixels out;
    if (!DecodeJpegPixels(exact.get(), input.size(), maxSide, out)) {
        if (out.pixels) Fail("a refusal changed its output", how);
        return false;
    }
    if (out.width < 1 || out.height < 1 || out.width > maxSide || out.height > maxSide || !out.pixels) {
        Fail("a picture out of its bounds", how);
    }
    for (size_t i = 0; i < out.count(); ++i) {
        if (out.pixels[i] >> 24 != 0xFF) Fail("a pixel without its fourth byte", how);
    }
    const PixelRect from{out.pixels.get(), out.count(), out.width, out.height};
    for (int k = 0; k < 2; ++k) {
        const int w = 1 + static_cast<int>(m.Below(k ? 1920 : 64)), h = 1 + static_cast<int>(m.Below(k ? 1080 : 64));
        std::vector<uint32_t> to(static_cast<size_t>(w) * h);
        if (!ResamplePixels(from, PixelRect{to.data(), to.size(), w, h})) Fail("a picture was not stretched", how);
    }
    // Bounds of the stretch: a count short by one is refused.
    std::vector<uint32_t> small(15);
    if (ResamplePixels(from, PixelRect{small.data(), small.size(), 4, 4})) Fail("a short target was filled", how);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: decode_fuzz SECONDS SEED RUNS PICTURE.jpg...\n");
        return 2;
    }
    const double seconds = std::atof(argv[1]);
    const uint32_t seed = static_cast<uint32_t>(std::strtoul(argv[2], nullptr, 10));
    const long limit = std::atol(argv[3]);
    constexpr int kFirstPicture = 4;
    std::vector<Bytes> pictures;
    for (int i = kFirstPicture; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        pictures.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        DecodedPixels whole;
        if (!DecodeJpegPixels(pictures.back().data(), pictures.back().size(), kMaxResampleSide, whole)) {
            Fail("one of our pictures does not decode", argv[i]);
        }
    }
    Mutator m(seed);
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    long runs = 0, decoded = 0;
    while (std::chrono::steady_clock::now() < end && (limit <= 0 || runs < limit)) {
        const size_t which = m.Below(pictures.size());
        std::string how = std::string(argv[kFirstPicture + which]) + " seed " + std::to_string(seed) + " run " + std::to_string(runs);
        Bytes input = m.Mutate(pictures[which], how);
        decoded += Check(m, input, how);
        ++runs;
    }
    std::printf("decode_fuzz: %ld damaged inputs (%ld still decoded), seed %u, nothing reported\n", runs, decoded,
                seed);
    return 0;
}
