#include "launcher/ui/select_dialog.h"

#include "launcher/system/group_store.h"
#include "launcher/resources/resource.h"
#include "launcher/ui/remote_keys.h"
#include "launcher/ui/skin_font.h"
#include "launcher/ui/tiles.h"
#include "win32/scale.h"

namespace tessaly {

SelectDialog::SelectDialog(ShellServices& shell) : win32::Dialog(IDD_SELECT_DIALOG), shell_(shell) {}

SelectDialog::~SelectDialog() {
    Destroy();
    FreeChoices();
}

const EntryTile* SelectDialog::choice(int slot) const {
    return slot >= 0 && slot < choiceCount_ ? choiceTiles_[static_cast<std::size_t>(slot)].get() : nullptr;
}

void SelectDialog::FreeChoices() {
    for (auto& tile : choiceTiles_) tile.reset();
    choiceCount_ = 0;
}

BOOL SelectDialog::OnInitDialog() {
    shell_.selectDialog().Opened(hwnd());
    FreeChoices();
    notice_.clear();

    const win32::ScreenSize screen = win32::PrimaryScreen();
    const RECT r = SelectDialogRect(screen.cx, screen.cy);
    ::SetWindowPos(hwnd(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                   SWP_NOACTIVATE | SWP_NOZORDER);
    LoadSkinPicture(picture_, IDJ_BROWSER_BACKGROUND);

    for (const LaunchEntry& e : SelectChoices(choices_)) AddChoice(e);
    highlighted_ = ClampChoice(current_, choiceCount_);
    ::SetFocus(hwnd());
    return FALSE;
}

void SelectDialog::AddChoice(const LaunchEntry& entry) {
    if (choiceCount_ >= static_cast<int>(kChoiceSlots)) return;
    const int cy = win32::PrimaryScreen().cy;
    auto tile = std::make_unique<EntryTile>(static_cast<EntryTileOwner&>(*this));
    tile->label = entry.name;
    tile->target = entry.target;
    tile->kind = EntryTile::kSelectDialogEntry;
    tile->index = choiceCount_;
    tile->Create(L"", kChoiceEntryStyle, ChoiceRect(choiceCount_, cy), hwnd(), IDC_PAGE_TILE);
    ::ShowWindow(tile->hwnd(), SW_SHOW);
    choiceTiles_[static_cast<std::size_t>(choiceCount_)] = std::move(tile);
    ++choiceCount_;
}

void SelectDialog::Move(bool down) {
    for (int i = 0; i < choiceCount_; ++i) {
        if (choiceTiles_[i]->available) choiceTiles_[i]->Unpress();
    }
    current_ = down ? ChoiceDown(current_, choiceCount_) : ChoiceUp(current_, choiceCount_);
    if (EntryTile* t = choiceTiles_[static_cast<std::size_t>(current_)].get()) t->Select();
}

bool SelectDialog::PreTranslateMessage(MSG& msg) {
    if (ReadRemoteKey(msg).action == RemoteAction::Home && hwnd()) {
        PassHomeOn(hwnd());
        OnCancel();
        return true;
    }
    if (msg.message != WM_KEYDOWN || !hwnd()) return win32::Dialog::PreTranslateMessage(msg);
    switch (msg.wParam) {
        case VK_RETURN:
            if (choiceCount_ > 0) {
                current_ = ClampChoice(current_, choiceCount_);
                choiceTiles_[static_cast<std::size_t>(current_)]->Activate();
            }
            return true;
        case VK_ESCAPE:
            OnCancel();
            return true;
        case VK_UP:
        case VK_DOWN:
            if (choiceCount_ > 0) Move(msg.wParam == VK_DOWN);
            return true;
        default:
            return win32::Dialog::PreTranslateMessage(msg);
    }
}

bool SelectDialog::IsHighlighted(const EntryTile& entry) const { return entry.index == highlighted_; }

void SelectDialog::OnEntryHovered(EntryTile& entry) {
    current_ = entry.index;
    for (int i = 0; i < choiceCount_; ++i) choiceTiles_[i]->Unpress();
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
}

void SelectDialog::OnEntrySelected(EntryTile& entry) { highlighted_ = entry.index; }

void SelectDialog::OnEntryPressed(EntryTile&) {}

// The hand-over: an empty target adds the picked program to group index + 1; a folder becomes
// the start folder of the open-file dialog. Either way the choice is made and the dialog ends,
// by key or by mouse alike.
void SelectDialog::OnEntryActivated(EntryTile& entry) {
    if (entry.target.empty() && shell_.pickedProgramPath().size() > GroupStore::kMaxTargetUnits) {
        // The page could never keep it: say so here, where the user looks, and add nothing.
        notice_ = kPathTooLongNotice;
        ::InvalidateRect(hwnd(), nullptr, FALSE);
        return;
    }
    if (entry.target.empty()) {
        shell_.AddPickedProgram(entry.index + 1);
    } else {
        shell_.OpenFileFrom(entry.target);
    }
    Finish();
}

void SelectDialog::Finish() {
    shell_.selectDialog().Finished();
    if (IsModal()) {
        EndDialog(IDOK);
    } else {
        Destroy();
    }
}

void SelectDialog::OnOK() { Finish(); }

// A cancelled modeless chooser is destroyed rather than hidden, so the next showing builds it
// again and takes the keyboard again.
void SelectDialog::OnCancel() {
    shell_.selectDialog().Finished();
    if (IsModal()) {
        EndDialog(IDCANCEL);
    } else {
        Destroy();
    }
}

void SelectDialog::OnClose() { OnCancel(); }

void SelectDialog::OnDestroyed() { shell_.selectDialog().Destroyed(); }

std::optional<LRESULT> SelectDialog::OnMessage(UINT msg, WPARAM, LPARAM lp) {
    switch (msg) {
        case WM_APPCOMMAND:
            return PlayAppCommand(hwnd(), lp);
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            Paint();
            return 0;
        default:
            return std::nullopt;
    }
}

void SelectDialog::Paint() {
    win32::PaintDc paint(hwnd());
    if (!picture_) return;
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    DrawSkinPictureOnce(paint.get(), picture_, client);
    if (notice_.empty()) return;
    const int cy = win32::PrimaryScreen().cy;
    if (!noticeFont_) noticeFont_ = CreateSkinFont({0, win32::ScaleY(cy, 30)});
    RECT box{20, ChoiceRect(kNoticeSlot, cy).top, client.right - 20, client.bottom - 20};
    win32::SelectedObject font(paint.get(), noticeFont_.get());
    ::SetTextColor(paint.get(), RGB(255, 255, 255));
    ::SetBkMode(paint.get(), TRANSPARENT);
    ::DrawTextW(paint.get(), notice_.c_str(), static_cast<int>(notice_.size()), &box,
                DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
}

}  // namespace tessaly
