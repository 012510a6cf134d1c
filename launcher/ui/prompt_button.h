#pragma once
// A push button that paints itself: a JPEG stretched over the whole button and a bold white
// caption in textRect. It can count down once a second and tell its owner when the count runs
// out (the launcher's start prompt closes the main window then).
#include <windows.h>

#include <functional>
#include <string>

#include "launcher/ui/messages.h"
#include "common/skin/skin_image.h"
#include "launcher/model/tile_logic.h"
#include "win32/handles.h"
#include "win32/window.h"

namespace tessaly {

// A centred bitmap button: the prompt draws its own picture and caption.
constexpr DWORD kPromptStyle = WS_CHILD | BS_CENTER | BS_BITMAP;

class PromptButton : public win32::PaintedControl {
public:
    static constexpr UINT kCountdownPeriodMs = 1000;

    // countdownFinished runs once, on the tick that shows 0; it may destroy the button.
    explicit PromptButton(std::function<void()> countdownFinished = {});
    ~PromptButton() override;

    // A "BUTTON" window; starts the countdown timer when countdownActive is already set.
    bool Create(const wchar_t* text, DWORD style, const RECT& rect, HWND parent, int id);

    // Kills the countdown timer (when it was started) and makes any tick still queued inert.
    void StopCountdown();
    // Lets the stretched picture go (the next paint makes it again): a prompt hidden for good
    // need not hold its pixels.
    void ReleasePicture();

    void Paint(HDC dc) override;

    const std::wstring& caption() const { return caption_; }
    int countdown() const { return countdown_.remaining(); }
    int fontWidth() const { return font_size_.width; }
    int fontHeight() const { return font_size_.height; }
    bool hasPicture() const { return static_cast<bool>(picture_); }

    bool countdownActive = false;  // set before Create
    RECT textRect{};               // caption box in client coordinates
    int pictureId = 0;             // JPEG resource; 0 = none

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnCreated() override;

private:
    void OnCountdownTick();

    FontSize font_size_{70, 70};
    win32::Font font_;
    win32::Bitmap picture_;  // stretched to pictureSize_
    SIZE pictureSize_{};
    std::wstring caption_;
    Countdown countdown_;
    std::function<void()> countdownFinished_;
};

}  // namespace tessaly
