#include "launcher/model/media_kind.h"

#include <array>
#include <cwctype>

namespace tessaly {

namespace {

constexpr std::array<std::wstring_view, 15> kVideo = {
    L".rm", L".rmvb", L".avi", L".wmv", L".mp4", L".mov", L".m2ts", L".asf",
    L".dat", L".mpe", L".mpeg", L".mkv", L".mpg", L".ts", L".vob"};
// Music mode also lists the first eleven video containers.
constexpr std::array<std::wstring_view, 13> kMusic = {
    L".rm", L".rmvb", L".avi", L".wmv", L".mp4", L".mov", L".m2ts",
    L".asf", L".dat", L".mpe", L".mpeg", L".mp3", L".wav"};
constexpr std::array<std::wstring_view, 5> kPicture = {L".bmp", L".gif", L".png", L".jpeg",
                                                       L".jpg"};
constexpr std::array<std::wstring_view, 2> kProgram = {L".exe", L".com"};

}  // namespace

MediaKind MediaKindFromInt(int kind) {
    return kind >= 0 && kind <= 3 ? static_cast<MediaKind>(kind) : MediaKind::Video;
}

std::span<const std::wstring_view> ExtensionSet(MediaKind kind) {
    switch (kind) {
        case MediaKind::Music: return kMusic;
        case MediaKind::Picture: return kPicture;
        case MediaKind::Program: return kProgram;
        case MediaKind::Video: break;
    }
    return kVideo;
}

std::wstring_view DriveLabelWord(DriveKind kind) {
    switch (kind) {
        case DriveKind::Removable: return L"Removeable";  // the label's own spelling
        case DriveKind::Fixed: return L"Fixed";
        case DriveKind::Remote: return L"Remote";
        case DriveKind::CdRom: return L"CDROM";
        case DriveKind::RamDisk: return L"RAMDisk";
        case DriveKind::Unknown:
        case DriveKind::NoRootDir: break;
    }
    return {};
}

std::wstring_view DriveLabelWord(unsigned driveType) {
    return driveType <= static_cast<unsigned>(DriveKind::RamDisk)
               ? DriveLabelWord(static_cast<DriveKind>(driveType))
               : std::wstring_view{};
}

std::wstring DriveLabel(std::wstring_view root, unsigned driveType) {
    const std::wstring_view word = DriveLabelWord(driveType);
    if (word.empty()) return std::wstring(root);
    std::wstring label(word);
    label += L" (";
    label += root;
    label += L')';
    return label;
}

std::wstring ExtensionOf(std::wstring_view fileName) {
    const std::size_t dot = fileName.rfind(L'.');
    std::wstring ext(dot == std::wstring_view::npos ? fileName : fileName.substr(dot));
    for (wchar_t& c : ext) c = static_cast<wchar_t>(std::towlower(c));
    return ext;
}

}  // namespace tessaly
