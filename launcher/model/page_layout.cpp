#include "launcher/model/page_layout.h"

#include <cstdio>

#include "win32/scale.h"

namespace tessaly {

using win32::ScaleX;
using win32::ScaleY;

std::size_t GroupEntriesToRead(std::size_t builtinCount) {
    const std::size_t room = kPageUsableSlots - 1;  // the Return tile always has its slot
    return builtinCount >= room ? 0 : room - builtinCount;
}

std::vector<LaunchEntry> PageEntries(const std::vector<std::wstring>& builtinOrder,
                                     const EntryMap& builtinTargets, const EntryMap& groupEntries) {
    const std::size_t room = kPageUsableSlots - 1;
    std::vector<LaunchEntry> entries;
    for (const std::wstring& name : builtinOrder) {
        if (entries.size() == room) break;
        const std::wstring* target = builtinTargets.Find(name);
        entries.push_back({name, target ? *target : std::wstring()});
    }
    for (const LaunchEntry& e : groupEntries) {
        if (entries.size() == room) break;
        entries.push_back(e);
    }
    entries.push_back({kReturnLabel, kReturnTarget});
    return entries;
}

TileFlow::TileFlow(int screenW, int screenH, int clientHeight)
    : w_(screenW), h_(screenH), clientHeight_(clientHeight), x_(ScaleX(screenW, 100)),
      y_(ScaleY(screenH, 200)) {}

RECT TileFlow::Next() {
    if (y_ > clientHeight_ - ScaleY(h_, 200)) {
        x_ += ScaleX(w_, 450);
        y_ = ScaleY(h_, 200);
    }
    RECT r{x_, y_, x_ + ScaleX(w_, 400), y_ + ScaleY(h_, 70)};
    y_ += ScaleY(h_, 70) + ScaleY(h_, 20);
    return r;
}

std::vector<int> ClosedGapPositions(const std::vector<bool>& available) {
    std::vector<int> positions(available.size(), 0);
    int next = 1;
    for (std::size_t slot = 1; slot < available.size(); ++slot) {
        if (available[slot]) positions[slot] = next++;
    }
    return positions;
}

std::vector<LaunchEntry> SelectChoices(const EntryMap& choices) {
    std::vector<LaunchEntry> out;
    if (choices.Empty()) {
        out.push_back({kGameMenuChoice, L""});
        out.push_back({kOtherProgramChoice, L""});
        return out;
    }
    for (const LaunchEntry& e : choices) {
        if (out.size() == kChoiceSlots) break;
        out.push_back(e);
    }
    return out;
}

int ClampChoice(int current, int count) { return current >= 0 && current < count ? current : 0; }

int ChoiceUp(int current, int count) {
    if (count < 1) return 0;
    current = ClampChoice(current, count);
    return (current > 0 ? current : count) - 1;
}

int ChoiceDown(int current, int count) {
    if (count < 1) return 0;
    current = ClampChoice(current, count);
    return current < count - 1 ? current + 1 : 0;
}

RECT SelectDialogRect(int screenW, int screenH) {
    const int h = ScaleY(screenH, 560);
    const int left = screenW / 2 - 200;
    const int top = screenH / 2 - h / 2;
    return RECT{left, top, left + 400, top + h};
}

RECT ChoiceRect(int slot, int screenH) {
    const int height = ScaleY(screenH, 70);
    const int top = 20 + slot * (height + 20);
    return RECT{20, top, 370, top + height};
}

std::vector<LaunchEntry> RemovableDiskChoices(std::wstring_view removableDrives) {
    std::vector<LaunchEntry> out;
    while (removableDrives.size() >= 4) {
        std::wstring item(removableDrives.substr(0, 4));
        out.push_back({L"Play From " + item + L" Disk", item});
        removableDrives.remove_prefix(4);
    }
    return out;
}

}  // namespace tessaly
