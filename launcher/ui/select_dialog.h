#pragma once
// A small centred panel of choices over a picture, driven by Up, Down, Enter and Esc: where to
// add a picked program ("Game Menu", "Other Program"), or from which removable disk to play.
#include <windows.h>

#include <array>
#include <memory>

#include "launcher/model/entry_map.h"
#include "launcher/model/page_layout.h"
#include "launcher/ui/shell_services.h"
#include "common/skin/skin_image.h"
#include "launcher/ui/tile_owner.h"
#include "win32/handles.h"
#include "win32/window.h"

namespace tessaly {

class EntryTile;

class SelectDialog : public win32::Dialog, private EntryTileOwner {
public:
    // Choices go to the shell.
    explicit SelectDialog(ShellServices& shell);
    ~SelectDialog() override;

    // Filled by the owner before opening; kept across openings.
    EntryMap& choices() { return choices_; }

    int choiceCount() const { return choiceCount_; }
    // The line shown under the choices, empty when there is none.
    const std::wstring& notice() const { return notice_; }
    static constexpr wchar_t kPathTooLongNotice[] =
        L"This program's path is too long to keep (127 characters at most). Esc closes.";
    int current() const { return current_; }
    const EntryTile* choice(int slot) const;

protected:
    BOOL OnInitDialog() override;
    bool PreTranslateMessage(MSG& msg) override;
    std::optional<LRESULT> OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnOK() override;
    void OnCancel() override;
    void OnClose() override;
    void OnDestroyed() override;

private:
    // EntryTileOwner
    bool SelectDialogActive() const override { return shell_.selectDialog().active(); }
    void FocusSelectDialog() override { shell_.selectDialog().Focus(); }
    bool IsHighlighted(const EntryTile& entry) const override;
    void OnEntryHovered(EntryTile& entry) override;
    void OnEntrySelected(EntryTile& entry) override;
    void OnEntryPressed(EntryTile& entry) override;
    void OnEntryActivated(EntryTile& entry) override;

    void AddChoice(const LaunchEntry& entry);
    void Move(bool down);
    void Paint();
    void Finish();
    void FreeChoices();

    ShellServices& shell_;
    SkinPicture picture_;
    EntryMap choices_{EntryMap::kChoiceBuckets};
    std::array<std::unique_ptr<EntryTile>, kChoiceSlots> choiceTiles_;
    int choiceCount_ = 0;
    int current_ = 0;
    int highlighted_ = 0;
    static constexpr int kNoticeSlot = 2;  // the notice starts where a third choice would
    std::wstring notice_;
    win32::Font noticeFont_;
};

}  // namespace tessaly
