#pragma once
// Stretched skin pictures kept on disk between starts: reading one back is several times faster
// than decoding and stretching its JPEG again, and the menu background is needed before the first
// frame of every start.
#include <windows.h>

#include <string>

#include "win32/handles.h"

namespace tessaly {

// Where JPEG resource id stretched to size is kept: a file in the user's temporary folder (a
// cache, which anyone may delete); empty when there is no such folder.
std::wstring SkinPictureCachePath(int id, SIZE size);

// A new 32-bit top-down DIB section of size with the pixels kept in path, when that file holds
// JPEG resource id of module stretched to that size (the JPEG's bytes, the size and the length
// all match); null otherwise, or when there is no memory.
win32::Bitmap LoadCachedSkinPicture(int id, SIZE size, const std::wstring& path, HMODULE module = nullptr);

// Keeps dib, a 32-bit top-down DIB section holding JPEG resource id stretched, in path (its rows as
// they lie: a section does not tell which way up it was made). Written beside it first and then
// moved over it, so a reader never finds half a file. False when dib is not a 32-bit DIB section
// or the file cannot be written.
bool SaveCachedSkinPicture(HBITMAP dib, int id, const std::wstring& path, HMODULE module = nullptr);

}  // namespace tessaly
