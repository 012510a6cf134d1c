#pragma once
// File kinds the browser lists and the drive kinds it labels.
#include <span>
#include <string>
#include <string_view>

namespace tessaly {

// The browser's mode number is the kind plus one.
enum class MediaKind : int { Video = 0, Music = 1, Picture = 2, Program = 3 };

// The platform's drive type codes (GetDriveTypeW).
enum class DriveKind : int {
    Unknown = 0,
    NoRootDir = 1,
    Removable = 2,
    Fixed = 3,
    Remote = 4,
    CdRom = 5,
    RamDisk = 6,
};

// A kind outside 0..3 falls back to Video.
MediaKind MediaKindFromInt(int kind);

// The extensions of a kind, lower-case with their leading dot, in their fixed order.
std::span<const std::wstring_view> ExtensionSet(MediaKind kind);

// The word the drive list shows for a drive kind; empty for Unknown, NoRootDir and codes
// the platform may add later.
std::wstring_view DriveLabelWord(DriveKind kind);
std::wstring_view DriveLabelWord(unsigned driveType);

// "Fixed (C:\)" style label, or the bare root when the kind has no word.
std::wstring DriveLabel(std::wstring_view root, unsigned driveType);

// From the last dot (inclusive) to the end, lower-cased; the whole name when it has no dot.
std::wstring ExtensionOf(std::wstring_view fileName);

}  // namespace tessaly
