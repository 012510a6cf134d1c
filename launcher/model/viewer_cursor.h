#pragma once
// Which entry of the browser's folder list the picture viewer shows, and whether a key redraws;
// the size a picture file declares in its header.
#include <cstddef>

namespace tessaly {

enum class ViewerStep { kNone, kPrevious, kNext };

// Previous: Left, Up, previous track; next: Right, Down, next track.
ViewerStep ViewerStepForKey(unsigned virtualKey);

class ViewerCursor {
public:
    // count entries: ".." and firstFile folders first, then the files. An index outside the list
    // is pulled onto its last entry.
    ViewerCursor(int count, int firstFile, int index);

    // Each returns true when the picture is to be drawn again (with the turn).
    // Previous never leaves the files: refused, it shows the same picture again.
    bool Previous();
    // Next stops at the last entry: the first press there redraws it, later ones do nothing.
    bool Next();

    int index() const { return index_; }
    bool atLast() const { return atLast_; }
    bool empty() const { return count_ <= 0; }

private:
    int count_;
    int firstFile_;
    int index_;
    bool atLast_ = false;
};

// Width and height from the header of a JPEG, PNG, GIF, BMP or TIFF file, read without decoding
// it; false for anything else or a header cut short.
bool PictureHeaderSize(const unsigned char* data, size_t size, unsigned& width, unsigned& height);

// The most pixels a picture may declare before it is handed to a decoder (4 bytes each decoded).
constexpr unsigned long long kMaxPicturePixels = 64ULL * 1024 * 1024;

// Whether a decoder may be given these bytes: the header must name a size, not empty and not over
// kMaxPicturePixels, and an uncompressed BMP must hold the rows it declares. What cannot be sized
// from its header is refused: the decoder would allocate before anyone could check.
bool PictureWithinDecodeBound(const unsigned char* data, size_t size);

}  // namespace tessaly
