#include "launcher/app/launcher_shell.h"

#include <commdlg.h>

#include "common/audio/line_volume.h"
#include "launcher/resources/resource.h"
#include "launcher/system/player_media.h"
#include "launcher/ui/messages.h"
#include "launcher/ui/picture_viewer.h"
#include "win32/instance.h"
#include "win32/shell.h"

namespace tessaly {
namespace {

// The file kind a browsing menu command lists: "Play Video" and "Karaoke" videos, "Play Music",
// "Browse Pictures", "Add Program" programs.
MediaKind BrowserKindOfCommand(int command) {
    switch (command) {
        case kPlayMusic: return MediaKind::Music;
        case kBrowsePictures: return MediaKind::Picture;
        case kAddProgram: return MediaKind::Program;
        default: return MediaKind::Video;
    }
}

}  // namespace

LauncherShell::LauncherShell(PanelMaker makePanel)
    : clicks_(kMsgCloseWorker), makePanel_(std::move(makePanel)) {
    clicks_.SetPath(win32::ExecutableFolder() + L"\\ding.wav");
}

void LauncherShell::MenuCreated(HWND) {
    // Before any key: the remote's chords and the panel's keys come through here.
    hook_.Install([this](WPARAM message, const KBDLLHOOKSTRUCT& event) {
        return HandleHookEvent(message, event, keys_, *this);
    }, win32::AppInstance());
}

void LauncherShell::FirstFrameShown() {
    if (!gdiplus_) gdiplus_.emplace();
    // Created hidden: its start-up switches the karaoke effects on and sets the audio lines. It
    // can be shown only from the menu, which no key reaches before the first frame.
    if (!panel_) {
        panel_ = makePanel_ ? makePanel_() : std::make_unique<KaraokePanel>(effects_, SetLineVolume);
        if (panel_ && !panel_->Create()) panel_.reset();
    }
    if (!folderIcon_) LoadSkinImageResource(win32::AppInstance(), IDP_FOLDER_ICON, L"PNG", folderIcon_);
    // Each page runs a browser of its own for its page commands.
    for (ProgramPage* page : {&gamePage_, &otherPage_}) {
        if (page->browser()) continue;
        BrowserHooks hooks;
        hooks.showPicture = PictureHandOff();
        page->UseBrowser(TheMediaPlayer(), std::move(hooks), folderIcon_.get());
    }
    drives_ = ScanRemovableAndCdromDrives();
}

void LauncherShell::RunCommand(int command) {
    if (command == kGameMenu || command == kOtherProgram) {
        (command == kGameMenu ? gamePage_ : otherPage_).Open(menu_.hwnd());
        return;
    }
    RunBrowser(BrowserKindOfCommand(command));
}

void LauncherShell::RunBrowser(MediaKind kind) {
    if (!browser_) {
        BrowserHooks hooks;
        hooks.showPicture = PictureHandOff();
        hooks.chooseProgram = [this](HWND browser, const std::wstring& path, const std::wstring& name) {
            ChooseProgram(browser, path, name);
        };
        browser_ = std::make_unique<BrowserWindow>(TheMediaPlayer(), std::move(hooks), &keys_, nullptr,
                                                   folderIcon_.get());
    }
    browser_->SetMode(kind);
    browser_->DoModal(menu_.hwnd());
}

// The program picked in "Add Program": the chooser's default choices add it to a group; its entry
// is named after the file without its extension.
void LauncherShell::ChooseProgram(HWND browser, const std::wstring& path, const std::wstring& name) {
    pickedProgramPath_ = path;
    const std::size_t dot = name.rfind(L'.');
    pickedProgramName_ = dot == std::wstring::npos || dot == 0 ? name : name.substr(0, dot);
    programChooser_.DoModal(browser);
    selectDialog_.Finished();
    if (browser && ::IsWindow(browser)) ::SetFocus(browser);
}

void LauncherShell::ReturnFromPage(int group) {
    if (closing_) return;
    const bool page = group == kGameGroup || group == kOtherGroup;
    if (group == kGameGroup) gamePage_.Destroy();
    if (group == kOtherGroup) otherPage_.Destroy();
    menu_.BackFromPage(page);
}

void LauncherShell::PostTogglePanel() { ::PostMessageW(menu_.hwnd(), kMsgTogglePanel, 0, 0); }

void LauncherShell::TogglePanel() {
    if (!menu_.menuShown() || !panel_ || !panel_->window()) return;
    panelShown_ = !panel_->IsShown();
    panel_->Show(panelShown_);
    panelWindow_ = panel_->window();
}

void LauncherShell::PlayClick() { clicks_.Play(menu_.hwnd()); }

// A select dialog's choice, carried out once the key that made it is done (another program may
// send the same message).
void LauncherShell::AddPickedProgram(int groupChoice) {
    ::PostMessageW(menu_.hwnd(), kMsgProgramPick, static_cast<WPARAM>(groupChoice), 0);
}

void LauncherShell::OpenFileFrom(const std::wstring& folder) {
    drives_.removableDrives = folder;
    ::PostMessageW(menu_.hwnd(), kMsgProgramPick, 0, 1);
}

void LauncherShell::ProgramPick(WPARAM group, LPARAM openFile) {
    if (openFile == 0) {
        if (group == kChooseGameMenu) gamePage_.WriteEntry(pickedProgramName_, pickedProgramPath_);
        if (group == kChooseOtherProgram) otherPage_.WriteEntry(pickedProgramName_, pickedProgramPath_);
        selectDialog_.Finished();
        return;
    }
    drives_.removableDrives = TrimBlanks(drives_.removableDrives);
    std::wstring filter = OpenFileFilter();
    wchar_t file[MAX_PATH] = {};
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = menu_.hwnd();
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrInitialDir = drives_.removableDrives.empty() ? nullptr : drives_.removableDrives.c_str();
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
    // Loaded here, its one use: at start-up it (and the print spooler it pulls in) would delay the
    // first frame.
    win32::Module dialogs(::LoadLibraryW(L"comdlg32.dll"));
    auto openFileName = win32::ProcAddress<BOOL(WINAPI*)(OPENFILENAMEW*)>(dialogs.get(), "GetOpenFileNameW");
    if (openFileName && openFileName(&ofn)) {
        win32::ShellOpen(file);
    }
}

void LauncherShell::Closing() {
    closing_ = true;
    RemoveAccessService(deviceHandles_);
    if (panel_ && panel_->window()) ::SendMessageW(panel_->window(), WM_CLOSE, 0, 0);
    if (gamePage_.hwnd()) ::SendMessageW(gamePage_.hwnd(), WM_CLOSE, 0, 0);
    if (otherPage_.hwnd()) ::SendMessageW(otherPage_.hwnd(), WM_CLOSE, 0, 0);
    // Put back the display mode stored in the registry, in case a launched program changed it.
    ::ChangeDisplaySettingsW(nullptr, 0);
}

}  // namespace tessaly
