#pragma once
// PictureViewer: one picture of the browsed folder full screen on black, its path in green
// across the top, stepping through the folder's pictures with a page-turn.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "launcher/ui/newest_worker.h"
#include "launcher/ui/page_turn.h"
#include "launcher/ui/picture_file.h"
#include "launcher/model/viewer_cursor.h"
#include "win32/window.h"

namespace tessaly {

// Decodes a picture file for the viewer, rendered at the size the screen gives it. Null for a
// missing, empty, corrupt or oversized file. The file is read into memory first, so it is not
// held open while the viewer shows it.
std::unique_ptr<TurnPicture> LoadViewerPicture(const std::wstring& path, SIZE screen);

class PictureViewer : public win32::Dialog {
public:
    PictureViewer();
    ~PictureViewer() override;

    // Called by the browser before running the viewer modally: the folder shown (ending with
    // "\"), its entries (".." and the folders first, then the files), the number of folders and
    // the entry opened.
    void Prepare(const std::wstring& folderPath, const std::vector<std::wstring>& items,
                 int folderCount, int index);

    const std::wstring& picturePath() const { return picturePath_; }
    int index() const { return cursor_.index(); }
    bool atLast() const { return cursor_.atLast(); }
    // Frames drawn by the last turn (fewer when a key cut it short); 0 when the last paint was a
    // still one.
    int lastTurnFrames() const { return lastTurnFrames_; }
    void setTurnOptions(const TurnOptions& options) { turnOptions_ = options; }
    // The picture stepped to is still being decoded.
    bool decoding() { return decoder_.busy(); }

    bool PreTranslateMessage(MSG& msg) override;

protected:
    BOOL OnInitDialog() override;
    std::optional<LRESULT> OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnDestroyed() override;

private:
    void Step(ViewerStep step);
    void ShowCurrent();
    void ShowDecoded();
    bool KeyWaiting() const;
    void Paint();
    void RestoreCursor();

    std::wstring folderPath_;
    std::wstring picturePath_;
    std::vector<std::wstring> names_;
    ViewerCursor cursor_{0, 0, 0};
    SIZE screen_{};
    // Decodes off the main thread; a step that comes meanwhile replaces what it decodes next.
    NewestWorker<TurnPicture> decoder_;
    std::unique_ptr<TurnPicture> oldImage_;
    std::unique_ptr<TurnPicture> newImage_;
    bool cursorHidden_ = false;
    int lastTurnFrames_ = 0;
    TurnOptions turnOptions_;
};

// The browser's picture hand-off (BrowserHooks::showPicture): runs a viewer over the folder's
// entries modally, owned by owner, and returns when it is closed. Its copies share one viewer
// kept between runs, so a decode still under way when the viewer closes is dropped rather than
// waited for; its thread is joined when the browser holding the hand-off goes.
class PictureHandOff {
public:
    PictureHandOff() : viewer_(std::make_shared<PictureViewer>()) {}
    void operator()(HWND owner, const std::wstring& folderPath, const std::vector<std::wstring>& items,
                    int folderCount, int index) const;

private:
    std::shared_ptr<PictureViewer> viewer_;
};

}  // namespace tessaly
