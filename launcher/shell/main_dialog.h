#pragma once
#include <windows.h>

#include <array>
#include <memory>
#include <string>

#include "launcher/pages/access_service.h"
#include "launcher/shell/menu_logic.h"
#include "launcher/skin/tile_logic.h"
#include "launcher/skin/skin_image.h"
#include "win32/handles.h"
#include "win32/window.h"

namespace tessaly {

class IXCStatic;
class XCButton;

// Custom messages of the main window (the tiles' own are in tile_logic.h).
constexpr UINT kMsgReturnFromPage = WM_USER + 13; // 1037
constexpr UINT kMsgCloseWorker = WM_USER + 16;    // 1040
constexpr UINT kMsgProgramPick = WM_USER + 24;    // 1048
constexpr UINT kMsgPanelKey = WM_USER + 26;       // 1050
constexpr UINT kMsgTogglePanel = 2223;
constexpr UINT kMsgDecodeTurnPage = WM_APP + 1;  // private: finish start-up after the first frame
constexpr UINT_PTR kClockTimer = 92;
constexpr int kStartPromptId = 1112;
constexpr int kMenuTileId = 1113;

// The launcher's full-screen main window: background, clock, start prompt, eight menu tiles.
class CP01Dlg : public win32::Dialog {
public:
    CP01Dlg();
    ~CP01Dlg() override;

    // 0 and 3 previous, 1 and 2 next, 4 activate.
    void MoveSelection(int step);

    // Windows that arrive later plug in here; each may stay null.
    win32::Dialog* karaokePanel = nullptr;

protected:
    BOOL OnInitDialog() override;
    bool PreTranslateMessage(MSG& msg) override;
    std::optional<LRESULT> OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnOK() override {}      // Enter and Escape never end the launcher
    void OnCancel() override {}
    void OnClose() override;

private:
    void Paint();
    void ClockStep();
    void RunMenuCommand(int command);
    void ReturnFromPage(int group);
    void DismissPrompt(bool destroy);
    void ShowTiles(bool show);
    void TogglePanel();
    void PlayClickSound();
    void ProgramPick(WPARAM group, LPARAM openFile);
    void CreateStartPrompt();
    void CreateMenuTiles();
    void PlaceFullScreen();
    void RenderBackground(HDC reference);

    win32::Icon icon_;
    std::unique_ptr<XCButton> startPrompt_;
    std::array<std::unique_ptr<IXCStatic>, kMenuTileCount> menuTiles_;
    SkinPicture background_;
    bool menuShown_ = false;
    bool pageTurnPending_ = false;
    bool clockRunning_ = false;
    bool turnPageRequested_ = false;
    std::wstring clockText_;
    RECT clockRect_{};
    win32::MemoryDc memoryDc_;
    win32::Bitmap frame_;           // the composed frame, screen-size
    win32::Bitmap backgroundCache_; // the background stretched once per screen size
    SIZE backgroundSize_{};
    ClickRateLimiter clicks_;
    DeviceHandleHolder deviceHandles_;
};

// The clock font's shrink counters, process-wide: once smaller, never larger again.
int& ClockFontWidth();
int& ClockFontHeight();

}  // namespace tessaly
