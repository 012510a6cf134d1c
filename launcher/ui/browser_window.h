#pragma once
// BrowserWindow: the remote-controlled media browser (template 108). Ten rows over the drives
// and folders, the shared player for video and music, hand-offs for pictures and programs.
#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "launcher/model/browser_model.h"
#include "launcher/ui/browser_row.h"
#include "launcher/ui/preview_worker.h"
#include "launcher/ui/tree_worker.h"
#include "launcher/model/player_queue.h"
#include "launcher/model/player_port.h"
#include "launcher/model/remote_input.h"
#include "launcher/system/scanner_source.h"
#include "common/skin/skin_image.h"
#include "win32/handles.h"
#include "win32/key_state.h"
#include "win32/window.h"

namespace tessaly {

// What the browser hands to the windows it opens on a file; either may be left empty.
struct BrowserHooks {
    // Mode 3: show the picture at `index` of the folder's entries (run modally, owner given).
    std::function<void(HWND owner, const std::wstring& folder, const std::vector<std::wstring>& items,
                       int folderCount, int index)>
        showPicture;
    // Mode 4: the program chosen (full path and entry name); runs the select dialog modally.
    std::function<void(HWND owner, const std::wstring& path, const std::wstring& name)> chooseProgram;
};

// The browser's screen geometry for a screen of cx x cy (client pixels).
struct BrowserLayout {
    int width = 0, height = 0;  // window
    RECT player{};
    std::array<RECT, kBrowserRows> rows{};
    RECT list{};
    RECT caption{};
    RECT preview{};  // in the client area, once the window has its size
    RECT busy{};  // "Reading the drive..." while a folder tree is listed
    int busyFontHeight = 0;
    int pitch = 0;
};
BrowserLayout LayoutBrowser(int cx, int cy);

class BrowserWindow : public win32::Dialog, private RowBackground {
public:
    // keys: the physical key state (left Ctrl and Shift for the chords, Enter for Alt+Enter);
    // source: the drives and folders (the real file system when null).
    explicit BrowserWindow(PlayerPort& player, BrowserHooks hooks = {},
                               const win32::ModifierPort* keys = nullptr,
                               std::unique_ptr<ScannerFolderSource> source = nullptr,
                               const SkinImage* folderIcon = nullptr);
    ~BrowserWindow() override;

    // kind 0..3: loads that kind's extension set; the mode is kind + 1.
    void SetMode(MediaKind kind);
    MediaKind mode() const { return mode_; }
    FolderScanner& scanner() { return source_->scanner(); }

    const BrowserModel& model() const { return model_; }
    const BrowserRow& row(int i) const { return rows_[static_cast<std::size_t>(i)]; }
    BrowserRow& row(int i) { return rows_[static_cast<std::size_t>(i)]; }
    bool altDown() const { return altDown_; }
    // The picture shown in the preview box, empty when none.
    const std::wstring& previewPath() const { return previewPath_; }
    // A preview asked for and not yet shown (or found unreadable).
    bool previewBusy() { return previewDeferred_ || preview_.busy(); }
    // Pictures decoded for the preview so far.
    int previewDecodes() { return preview_.decodes(); }
    // A folder tree is being listed for the player.
    bool listingTree() const { return listing_.Busy(); }

    bool PreTranslateMessage(MSG& msg) override;

protected:
    BOOL OnInitDialog() override;
    std::optional<LRESULT> OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void PaintRowBackground(HDC dc, HWND row) override;

    bool PreTranslateKey(MSG& msg);
    bool OnKeyDown(WPARAM vk);
    bool OnKeyUp(WPARAM vk);
    bool OnRemote(const RemoteInput& in);
    bool OnSysKeyDown(WPARAM vk);
    void EnterKey();
    void OpenItem(int index, bool wholeTree);
    void StartPlayback();
    void OnTreeFiles(unsigned ticket);
    // Gives up a tree listing under way (its files found so far keep playing unless stopped).
    void StopListing();
    void DrawBusySign(HDC dc);
    void Navigate(void (BrowserModel::*step)());
    void ShowRows();
    void UpdatePreview();
    void StartPreview();
    void ShowPreview();
    // The preview picture into dc, whose (0, 0) is the client point (originX, originY).
    void DrawPreview(HDC dc, int originX, int originY);
    void PaintTo(HDC target);
    void Teardown();
    bool Playing() const { return IsPlayingOrPaused(player_.State()); }

    PlayerPort& player_;
    BrowserHooks hooks_;
    const win32::ModifierPort& keys_;
    std::unique_ptr<ScannerFolderSource> source_;
    BrowserModel model_;
    MediaKind mode_ = MediaKind::Video;
    bool altDown_ = false;
    bool initialised_ = false;
    BrowserLayout layout_{};
    std::array<BrowserRow, kBrowserRows> rows_;

    const SkinImage* folderIcon_ = nullptr;
    std::unique_ptr<SkinImage> ownFolderIcon_;
    win32::Font captionFont_;
    // The background picture at the client's size, drawn once; the rows and the paint copy from it.
    win32::MemoryDc backgroundDc_;
    win32::Bitmap backgroundBitmap_;
    std::optional<win32::SelectedObject> backgroundSelected_;
    // The preview picture, already drawn at its place and size.
    std::wstring previewPath_;
    win32::Bitmap previewBitmap_;
    PreviewPlacement previewPlace_{};
    // The highlighted picture; its decode waits while more keys are queued behind this one.
    std::wstring previewWanted_;
    bool previewDeferred_ = false;
    PreviewWorker preview_;
    // Play/Pause on a folder: the listing of its tree, and the walk behind it.
    TreeListing listing_;
    TreeWorker tree_;
    win32::Font busyFont_;
};

}  // namespace tessaly
