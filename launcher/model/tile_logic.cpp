#include "launcher/model/tile_logic.h"

#include <algorithm>

namespace tessaly {

int TilePenWidth(int cx) { return cx < 1280 ? 3 : 6; }

FontSize MenuTileFontSize(int cx, int logPixels) {
    if (cx >= 1280) return {static_cast<int>(static_cast<long long>(cx) * 25 / 1280), 50};
    return {logPixels > 96 ? 20 : 16, 30};
}

FontSize EntryFontSize(int cx, int cy) {
    int width = static_cast<int>(static_cast<long long>(std::min(cx, 1360)) * 15 / 1360);
    int height = static_cast<int>(static_cast<long long>(cy) * 40 / 1024);
    return {width, height};
}

OutlinePath TileOutline(const RECT& client, int penWidth) {
    const int p = penWidth / 2;
    OutlinePath path{};
    path.points[0] = {client.left + p, client.top + p};
    path.points[1] = {client.right - p, client.top + p};
    path.points[2] = {client.right - p, client.bottom - p};
    path.points[3] = {client.left + p, client.bottom - p};
    path.points[4] = {client.left + p, client.top + p};
    return path;
}

std::wstring CountdownCaption(int count) {
    return L"Any Key To Continue:" + std::to_wstring(count);
}

Countdown::Tick Countdown::Next() {
    Tick t;
    if (!running()) return t;
    t.counted = true;
    t.caption = CountdownCaption(count_);
    --count_;
    t.close = count_ < 0;
    return t;
}

}  // namespace tessaly
