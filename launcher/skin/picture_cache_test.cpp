#include "launcher/skin/picture_cache.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "launcher/skin/skin_image.h"

namespace tessaly {
namespace {

std::vector<uint32_t> Pixels(HBITMAP dib) {
    DIBSECTION s{};
    if (::GetObjectW(dib, sizeof(s), &s) != static_cast<int>(sizeof(s))) return {};
    const auto* p = static_cast<const uint32_t*>(s.dsBm.bmBits);
    return {p, p + static_cast<size_t>(s.dsBm.bmWidth) * s.dsBm.bmHeight};
}

class PictureCache : public ::testing::Test {
protected:
    void SetUp() override { path = SkinPictureCachePath(218, size); }
    void TearDown() override { ::DeleteFileW(path.c_str()); }
    win32::ComInit com;
    const SIZE size{97, 61};
    std::wstring path;
};

// A kept picture comes back pixel for pixel, and only for the same picture at the same size; a
// damaged, cut or foreign file is never shown.
TEST_F(PictureCache, KeepsAStretchedPictureForThatPictureAndSizeOnly) {
    ASSERT_FALSE(path.empty());
    EXPECT_NE(path, SkinPictureCachePath(218, SIZE{98, 61}));
    EXPECT_NE(path, SkinPictureCachePath(216, size));
    ::DeleteFileW(path.c_str());
    EXPECT_FALSE(LoadCachedSkinPicture(218, size, path));  // nothing kept yet

    win32::Bitmap made = StretchedSkinPicture(218, size);
    ASSERT_TRUE(made);
    ASSERT_TRUE(SaveCachedSkinPicture(made.get(), 218, path));
    win32::Bitmap kept = LoadCachedSkinPicture(218, size, path);
    ASSERT_TRUE(kept);
    EXPECT_EQ(Pixels(kept.get()), Pixels(made.get()));
    EXPECT_EQ(::GetFileAttributesW((path + L".new").c_str()), INVALID_FILE_ATTRIBUTES);

    EXPECT_FALSE(LoadCachedSkinPicture(216, size, path));  // another picture's bytes
    EXPECT_FALSE(LoadCachedSkinPicture(218, SIZE{61, 97}, path));  // same pixel count, other shape
    EXPECT_FALSE(LoadCachedSkinPicture(218, SIZE{0, 61}, path));
    EXPECT_FALSE(LoadCachedSkinPicture(218, size, L""));

    // Cut short, one byte too long, or a header that is not ours.
    std::string bytes;
    {
        std::ifstream in(std::filesystem::path(path), std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    for (const std::string& damaged : {bytes.substr(0, bytes.size() - 1), bytes + '\0', "X" + bytes.substr(1)}) {
        std::ofstream(std::filesystem::path(path), std::ios::binary | std::ios::trunc) << damaged;
        EXPECT_FALSE(LoadCachedSkinPicture(218, size, path));
    }

    // Only 32-bit top-down sections are kept; a folder that does not exist takes nothing.
    win32::Bitmap device(::CreateBitmap(4, 4, 1, 32, nullptr));
    EXPECT_FALSE(SaveCachedSkinPicture(device.get(), 218, path));
    EXPECT_FALSE(SaveCachedSkinPicture(made.get(), 218, L"Z:\\no\\such\\folder\\picture"));
}

}  // namespace
}  // namespace tessaly
