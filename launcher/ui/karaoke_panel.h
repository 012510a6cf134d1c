#pragma once
// KaraokePanel: the karaoke panel, a top-most per-pixel-alpha window in the upper right corner that
// the remote drives through the keyboard hook while it is shown. It never takes the keyboard.
#include <windows.h>

#include <array>
#include <memory>

#include "launcher/model/karaoke_panel_model.h"
#include "win32/layered_window.h"
#include "win32/window.h"

namespace tessaly {

class SkinImage;

// An overlay the menu shows and hides above whatever runs, without taking the keyboard. The menu
// makes it after its first frame; the karaoke panel is the one the launcher ships.
class OverlayPanel {
public:
    virtual ~OverlayPanel() = default;
    // Makes the window, hidden; false when it could not be made.
    virtual bool Create() = 0;
    virtual HWND window() const = 0;
    // Shown without taking activation, so the window in front keeps the keyboard.
    virtual void Show(bool show) = 0;
    virtual bool IsShown() const = 0;
};

class KaraokePanel : public win32::Dialog, public OverlayPanel {
public:
    // `effects` and the line routine are used from start-up to destruction.
    KaraokePanel(audio::KaraokeEffects& effects, audio::LineVolumeFn lineVolume);
    // Frees the pictures, then switches the effects off and the lines back (once, whether the
    // window was closed before or not).
    ~KaraokePanel() override;

    // Creates the window from its template, without a parent and hidden; runs the start-up once.
    bool Create() override;
    HWND window() const override { return hwnd(); }
    void Show(bool show) override;
    bool IsShown() const override;

    // Queues a remote key (Enter or an arrow) for the panel's next message. Cheap and safe inside
    // a low-level keyboard hook: nothing is drawn or sent to the driver there.
    static void QueueKey(HWND panel, int vk);

    const audio::KaraokeSettings& settings() const { return model_.settings(); }
    bool hasEffects() const { return model_.hasEffects(); }
    // The picture Redraw hands to the window system, composed into `canvas`.
    bool Compose(win32::LayeredCanvas& canvas) const;

protected:
    BOOL OnInitDialog() override;
    bool PreTranslateMessage(MSG& msg) override;
    std::optional<LRESULT> OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnOK() override {}
    void OnCancel() override {}

private:
    void Redraw();
    SIZE WindowSize() const;

    audio::KaraokePanelModel model_;
    std::array<std::unique_ptr<SkinImage>, 16> pictures_;
    int screenHeight_;
};

}  // namespace tessaly
