#pragma once
// The OSD box: a small top-most window near the top-right corner that shows the volume bar or a
// key's picture and hides itself two seconds after the last key.
#include <windows.h>
#include <olectl.h>

#include "osd/messages.h"
#include "osd/system_volume.h"
#include "win32/handles.h"
#include "win32/window.h"

namespace osd {

// The process-wide display state.
extern unsigned osdVolume;  // percent, a multiple of 5 after any volume key
extern int osdMuted;
extern BYTE osdBusy;  // a display is being prepared; the hook posts nothing meanwhile

constexpr UINT kHideAfterMs = 2000;
constexpr DWORD kMuteSettleMs = 300;
constexpr int kBoxWidth = 183;
constexpr int kBoxHeight = 52;
constexpr int kBoxRightOffset = 250;  // x = screen width - 250
constexpr int kBoxTop = 50;

class OsdBox : public win32::Dialog {
public:
    // Reads the system's volume state once, so the first key starts from it.
    explicit OsdBox(VolumeControl& volume);

    bool created() const { return created_ && hwnd_ != nullptr; }
    // key: kMuteKey, kVolumeUpKey or kVolumeDownKey.
    void ShowVolume(WPARAM key);
    void ShowPicture(unsigned code);

    // What the box holds now: a bar bitmap id, or 0.
    int bitmapId() const { return content_ == Content::Bitmap ? bitmapId_ : 0; }
    int pictureId() const { return content_ == Content::Picture ? pictureId_ : 0; }

protected:
    BOOL OnInitDialog() override;
    std::optional<LRESULT> OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnOK() override {}
    void OnCancel() override {}
    // Closing only hides the box: it is created once and reused for every key.
    void OnClose() override;

private:
    enum class Content { Nothing, Bitmap, Picture };
    void RestartTimer();
    void ShowNoActivate();
    void ShowVolumeNow(WPARAM key);
    void Render();
    void DrawBitmap();
    void DrawPicture();

    VolumeControl& volume_;
    bool created_ = false;
    Content content_ = Content::Nothing;
    win32::ComPtr<IPicture> picture_;
    int pictureId_ = 0;
    win32::Bitmap bitmap_;
    int bitmapId_ = 0;
    // A picture came while the mute wait ran: the wait still reads the state, but the picture,
    // being the last key, stays on screen.
    bool muteDisplaySuperseded_ = false;
};

}  // namespace osd
