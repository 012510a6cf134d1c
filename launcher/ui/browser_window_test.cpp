// The real browser window over a temporary folder tree, driven by the keys of the remote, with a
// recording player behind it.
#include "launcher/ui/browser_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>

#include "launcher/testing/recording_player.h"
#include "launcher/ui/messages.h"
#include "win32/scale.h"

namespace tessaly {
namespace {

void Pump() { win32::DispatchQueuedMessages(); }

void PumpFor(DWORD ms) {
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < ms) {
        Pump();
        ::Sleep(10);
    }
}

class HeldKeys : public win32::ModifierPort {
public:
    std::set<int> held;
    bool IsHeld(int vk) const override { return held.count(vk) != 0; }
};

// The temporary tree stands in for the machine's drives, plus a drive letter that is not there.
// Held, a tree walk stops after its first file until released or cancelled: a slow drive.
class TreeDrives : public ScannerFolderSource {
public:
    explicit TreeDrives(std::wstring root) : root_(std::move(root)) {}
    std::vector<std::wstring> DriveNames() override { return {root_, L"Q:"}; }
    bool WalkTree(const std::wstring& folder, const std::atomic<bool>& cancel,
                  const std::function<void(std::wstring)>& found) override {
        ++walks;
        walking = true;
        bool first = true;
        const bool whole = ScannerFolderSource::WalkTree(folder, cancel, [&](std::wstring path) {
            found(std::move(path));
            if (!first || !hold) return;
            first = false;
            while (!cancel && ::WaitForSingleObject(release.get(), 5) == WAIT_TIMEOUT) {
            }
        });
        walking = false;
        return whole;
    }
    void Hold() {
        ::ResetEvent(release.get());
        hold = true;
    }
    void Release() { ::SetEvent(release.get()); }

    std::atomic<int> walks{0};
    std::atomic<bool> walking{false};
    std::atomic<bool> hold{false};
    win32::Handle release{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};

private:
    std::wstring root_;
};

// The two headers of an uncompressed 24-bit bottom-up BMP of w x h whose file is fileSize bytes.
struct BmpHeaders {
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    BmpHeaders(int w, int h, DWORD fileSize) {
        info.biSize = sizeof(info);
        info.biWidth = w;
        info.biHeight = h;
        info.biPlanes = 1;
        info.biBitCount = 24;
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof(file) + sizeof(info);
        file.bfSize = fileSize;
    }
};

// A 24-bit bottom-up BMP of one colour.
void WriteBmp(const std::wstring& path, int w, int h, COLORREF colour) {
    const int stride = (w * 3 + 3) & ~3;
    const DWORD size = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + static_cast<DWORD>(stride * h);
    const BmpHeaders headers(w, h, size);
    std::vector<BYTE> pixels(static_cast<std::size_t>(stride * h));
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            BYTE* p = &pixels[static_cast<std::size_t>(y * stride + x * 3)];
            p[0] = GetBValue(colour);
            p[1] = GetGValue(colour);
            p[2] = GetRValue(colour);
        }
    }
    win32::Handle f(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    ::WriteFile(f.get(), &headers.file, sizeof(headers.file), &written, nullptr);
    ::WriteFile(f.get(), &headers.info, sizeof(headers.info), &written, nullptr);
    ::WriteFile(f.get(), pixels.data(), static_cast<DWORD>(pixels.size()), &written, nullptr);
}

// A picture of the window's client area as it paints itself.
class Snapshot {
public:
    explicit Snapshot(HWND hwnd) {
        ::GetClientRect(hwnd, &client_);
        win32::WindowDc screen(hwnd);
        dc_.reset(::CreateCompatibleDC(screen.get()));
        bitmap_.reset(::CreateCompatibleBitmap(screen.get(), client_.right, client_.bottom));
        selected_.emplace(dc_.get(), bitmap_.get());
        ::SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_.get()), PRF_CLIENT);
    }
    COLORREF At(int x, int y) const { return ::GetPixel(dc_.get(), x, y); }

private:
    RECT client_{};
    win32::MemoryDc dc_;
    win32::Bitmap bitmap_;
    std::optional<win32::SelectedObject> selected_;
};

class BrowserWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH + 1];
        ::GetTempPathW(MAX_PATH + 1, temp);
        root = std::wstring(temp) + L"tessaly-browser-" + std::to_wstring(::GetCurrentProcessId());
        Dir(L"");
        Dir(L"\\Movies");
        Dir(L"\\Movies\\Sub");
        Dir(L"\\Movies\\Empty");
        Dir(L"\\Pics");
        Dir(L"\\Gone");
        for (const wchar_t* f : {L"\\Movies\\a.avi", L"\\Movies\\b.AVI", L"\\Movies\\notes.txt",
                                 L"\\Movies\\Sub\\c.mkv", L"\\Movies\\Sub\\d.mp3", L"\\z.avi",
                                 L"\\Tom & Jerry.avi", L"\\\U0001F3B5 song.avi"}) {
            File(f);
        }
        longName = L"\\" + std::wstring(251, L'L') + L".avi";  // 255 characters
        File(longName.c_str());
        WriteBmp(root + L"\\Pics\\big.bmp", 800, 600, RGB(255, 0, 0));
        made.push_back(root + L"\\Pics\\big.bmp");
        WriteBmp(root + L"\\Pics\\small.bmp", 40, 30, RGB(0, 0, 255));
        made.push_back(root + L"\\Pics\\small.bmp");
        File(L"\\Pics\\broken.bmp");  // empty: not a picture

        BrowserModel::ProcessCursor() = 0;
        auto source = std::make_unique<TreeDrives>(root);
        drives = source.get();
        dlg = std::make_unique<BrowserWindow>(player, hooks, &keys, std::move(source));
    }
    void TearDown() override {
        dlg.reset();
        Pump();
        for (auto it = made.rbegin(); it != made.rend(); ++it) {
            ::DeleteFileW(it->c_str());
            ::RemoveDirectoryW(it->c_str());
        }
    }
    void Dir(const wchar_t* name) {
        made.push_back(root + name);
        ::CreateDirectoryW(made.back().c_str(), nullptr);
    }
    void File(const wchar_t* name) {
        made.push_back(root + name);
        win32::Handle(::CreateFileW(made.back().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                                    nullptr));
    }
    void Open(int kind) {
        dlg->SetMode(MediaKindFromInt(kind));
        ASSERT_TRUE(dlg->Create(nullptr));
        ::ShowWindow(dlg->hwnd(), SW_SHOW);
        Pump();
    }
    void Send(UINT message, WPARAM vk) {
        MSG msg{dlg->hwnd(), message, vk, 0, 0, {}};
        if (!win32::Window::WalkPreTranslate(msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        Pump();
    }
    void Down(WPARAM vk) { Send(WM_KEYDOWN, vk); }
    void Up(WPARAM vk) { Send(WM_KEYUP, vk); }
    // Moves the highlight to the entry with this name on the first page.
    void Highlight(const std::wstring& name) {
        Down(VK_LEFT);
        for (int guard = 0; guard < 12 && dlg->model().HighlightedText() != name; ++guard) Down(VK_DOWN);
        ASSERT_EQ(dlg->model().HighlightedText(), name);
    }
    void EnterRoot() {
        Down(VK_RETURN);
        ASSERT_EQ(dlg->model().currentPath(), root + L"\\");
    }
    // Pumps until done() holds; the limit only keeps a broken build from hanging the run.
    bool WaitFor(const std::function<bool()>& done) {
        const ULONGLONG start = ::GetTickCount64();
        while (!done()) {
            if (::GetTickCount64() - start > 30000) return false;
            Pump();
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        }
        Pump();
        return true;
    }
    bool PreviewShows(const std::wstring& path) {
        return WaitFor([&] { return dlg->previewPath() == path; });
    }
    // The preview's decode answered (or was never needed) and its message handled.
    bool PreviewSettled() {
        return WaitFor([&] { return !dlg->previewBusy(); });
    }
    std::vector<std::wstring> RowTexts() const {
        std::vector<std::wstring> out;
        for (int i = 0; i < kBrowserRows; ++i) out.push_back(dlg->row(i).text());
        return out;
    }

    win32::GdiplusSession gdiplus;
    std::wstring root;
    std::wstring longName;
    std::vector<std::wstring> made;
    RecordingPlayer player;
    HeldKeys keys;
    std::vector<std::wstring> pictures;
    std::vector<std::wstring> programs;
    BrowserHooks hooks{
        [this](HWND, const std::wstring& folder, const std::vector<std::wstring>& items, int folders,
               int index) {
            pictures.push_back(folder + L"|" + items[static_cast<std::size_t>(index)] + L"|" +
                               std::to_wstring(folders));
        },
        [this](HWND, const std::wstring& path, const std::wstring& name) {
            programs.push_back(path + L"|" + name);
        }};
    TreeDrives* drives = nullptr;
    std::unique_ptr<BrowserWindow> dlg;
};

TEST_F(BrowserWindowTest, OpensCentredOverTheDrivesAndWalksTheTree) {
    Open(0);
    RECT r{};
    ::GetWindowRect(dlg->hwnd(), &r);
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(r.right - r.left, cx * 800 / 1280);
    EXPECT_EQ(r.bottom - r.top, cy * 600 / 1024);
    EXPECT_EQ(r.left, (cx - cx * 800 / 1280) / 2);
    EXPECT_EQ(player.calls.front(), L"bind:1000");
    EXPECT_EQ(player.uiMode, L"invisible");

    EXPECT_EQ(dlg->row(0).text(), root);
    EXPECT_TRUE(dlg->row(0).showFolderIcon());
    EXPECT_TRUE(dlg->row(0).highlighted());
    EXPECT_EQ(dlg->row(1).text(), L"Q:");

    // The drive without a medium is not entered.
    Down(VK_DOWN);
    Down(VK_RETURN);
    EXPECT_TRUE(dlg->model().atDriveLevel());
    EXPECT_EQ(dlg->row(1).text(), L"Q:");
    EXPECT_TRUE(dlg->row(1).highlighted());

    Down(VK_UP);
    EnterRoot();
    std::vector<std::wstring> rows = RowTexts();
    EXPECT_EQ(rows[0], L"..");
    // Folders first, then the video files; the non-BMP, "&" and 255-character names as they are.
    std::set<std::wstring> folders(rows.begin() + 1, rows.begin() + 1 + dlg->model().folderCount());
    EXPECT_EQ(folders, (std::set<std::wstring>{L"Movies", L"Pics", L"Gone"}));
    std::set<std::wstring> files(rows.begin() + 4, rows.begin() + 8);
    EXPECT_EQ(files, (std::set<std::wstring>{L"z.avi", L"Tom & Jerry.avi", L"\U0001F3B5 song.avi",
                                             longName.substr(1)}));
    EXPECT_EQ(rows[8], L"");
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(dlg->row(i).showFolderIcon()) << i;
    EXPECT_FALSE(dlg->row(4).showFolderIcon());

    // Into Movies and back: the highlight returns to Movies, and ".." in the tree's root to the
    // drive list on the tree.
    Highlight(L"Movies");
    const int moviesRow = dlg->model().row();
    Down(VK_RETURN);
    EXPECT_EQ(dlg->model().currentPath(), root + L"\\Movies\\");
    Down(VK_RETURN);
    EXPECT_TRUE(dlg->row(moviesRow).highlighted());
    Down(VK_LEFT);
    Down(VK_RETURN);
    EXPECT_TRUE(dlg->model().atDriveLevel());
    EXPECT_EQ(dlg->model().HighlightedText(), root);

    EnterRoot();
    // A folder that vanished since the listing is not entered.
    ::RemoveDirectoryW((root + L"\\Gone").c_str());
    Highlight(L"Gone");
    Down(VK_RETURN);
    EXPECT_EQ(dlg->model().currentPath(), root + L"\\");
    EXPECT_EQ(RowTexts(), rows);
    EXPECT_EQ(dlg->model().items().size(), 8u);
    EXPECT_TRUE(dlg->row(0).highlighted());

    // Esc with nothing playing closes the browser; the cursor is shared and cleared.
    Down(VK_ESCAPE);
    EXPECT_FALSE(::IsWindowVisible(dlg->hwnd()));
    dlg->Destroy();
    Pump();
    EXPECT_EQ(BrowserModel::ProcessCursor(), 0);
    EXPECT_EQ(player.calls.back(), L"unbind");
}

TEST_F(BrowserWindowTest, KeysAskThePlayerByPlayState) {
    Open(0);
    EnterRoot();
    Highlight(L"z.avi");
    player.Clear();
    player.playStarts = false;  // not playing yet: the full-screen timer waits
    Down(VK_RETURN);
    EXPECT_EQ(player.calls, (std::vector<std::wstring>{L"url:" + root + L"\\z.avi", L"play",
                                                       L"uiMode:full"}));
    PumpFor(500);
    EXPECT_EQ(player.Count(L"fullScreen:1"), 0);
    player.state = PlayState::Playing;  // now it plays: full screen at the next tick, once
    PumpFor(500);
    EXPECT_EQ(player.Count(L"fullScreen:1"), 1);
    PumpFor(300);
    EXPECT_EQ(player.Count(L"fullScreen:1"), 1);

    // Full screen: arrows do nothing; Enter on the playing file does not restart it.
    const int cursor = dlg->model().cursor();
    Down(VK_DOWN);
    Down(VK_RIGHT);
    EXPECT_EQ(dlg->model().cursor(), cursor);
    player.Clear();
    Down(VK_RETURN);
    EXPECT_TRUE(player.calls.empty());

    // F4 released leaves full screen; Alt+Enter goes back and forth while something plays.
    Up(VK_F4);
    EXPECT_FALSE(player.fullScreen);
    keys.held = {VK_RETURN};
    Send(WM_SYSKEYDOWN, VK_MENU);
    EXPECT_TRUE(dlg->altDown());
    Send(WM_SYSKEYDOWN, VK_RETURN);
    EXPECT_TRUE(player.fullScreen);
    Send(WM_SYSKEYDOWN, VK_RETURN);
    EXPECT_FALSE(player.fullScreen);
    Send(WM_SYSKEYUP, VK_MENU);
    EXPECT_FALSE(dlg->altDown());
    keys.held.clear();

    // The chords only with left Ctrl and left Shift held, and only while playing.
    player.Clear();
    Down('F');
    keys.held = {VK_LCONTROL, VK_LSHIFT};
    Down('F');
    Down('B');
    EXPECT_EQ(player.calls, (std::vector<std::wstring>{L"fastForward", L"fastReverse"}));

    // Media keys on release: pause, play, next, previous, stop.
    player.Clear();
    Up(VK_MEDIA_PLAY_PAUSE);
    EXPECT_EQ(player.state, PlayState::Paused);
    Down('B');  // paused: no chord
    Up(VK_MEDIA_NEXT_TRACK);
    Up(VK_MEDIA_PREV_TRACK);
    Up(VK_MEDIA_PLAY_PAUSE);
    Up(VK_MEDIA_STOP);
    EXPECT_EQ(player.calls, (std::vector<std::wstring>{L"pause", L"next", L"previous", L"play",
                                                       L"stop"}));
    player.Clear();
    ASSERT_EQ(keys.held, (std::set<int>{VK_LCONTROL, VK_LSHIFT}));
    Up(VK_MEDIA_NEXT_TRACK);  // stopped: nothing, not even with the chord's keys held
    Down('F');
    Down('B');
    EXPECT_TRUE(player.calls.empty());
    keys.held.clear();

    // Esc while playing stops and stays; a second Esc closes.
    player.playStarts = true;
    Up(VK_MEDIA_PLAY_PAUSE);  // on z.avi with nothing playing: plays that file
    EXPECT_EQ(player.url, root + L"\\z.avi");
    ASSERT_EQ(player.state, PlayState::Playing);
    Down(VK_ESCAPE);
    EXPECT_EQ(player.calls.back(), L"stop");
    EXPECT_TRUE(::IsWindowVisible(dlg->hwnd()));
    Down(VK_ESCAPE);
    EXPECT_FALSE(::IsWindowVisible(dlg->hwnd()));
}

TEST_F(BrowserWindowTest, PlayPauseOnAFolderPlaysItsWholeTreeAndKeepsTheList) {
    Open(1);  // music: mp3 and the shared video containers, not mkv
    EnterRoot();
    Highlight(L"Movies");
    const std::vector<std::wstring> rows = RowTexts();
    player.Clear();
    Up(VK_MEDIA_PLAY_PAUSE);
    ASSERT_TRUE(WaitFor([&] { return !dlg->listingTree(); }));
    ASSERT_EQ(player.Count(L"play"), 1);
    std::vector<std::wstring> list = player.playlist;
    std::sort(list.begin(), list.end());
    EXPECT_EQ(list, (std::vector<std::wstring>{root + L"\\Movies\\Sub\\d.mp3", root + L"\\Movies\\a.avi",
                                               root + L"\\Movies\\b.AVI"}));
    EXPECT_EQ(player.uiMode, L"full");
    EXPECT_EQ(dlg->model().currentPath(), root + L"\\");
    EXPECT_EQ(RowTexts(), rows);
    EXPECT_EQ(dlg->model().HighlightedText(), L"Movies");

    // The same through the open-item message.
    player.state = PlayState::Stopped;
    player.Clear();
    ::SendMessageW(dlg->hwnd(), kMsgOpenItem, 0, 1);  // "..": the folder shown
    ASSERT_TRUE(WaitFor([&] { return !dlg->listingTree(); }));
    EXPECT_EQ(player.playlist.size(), 7u);            // also z.avi, Tom & Jerry, the song, the long one
    EXPECT_EQ(dlg->model().currentPath(), root + L"\\");
}

// A slow drive: the first file plays while the rest is still being read, under a busy sign; a
// second Play/Pause starts nothing; Esc gives the listing up; closing the browser ends the walk.
TEST_F(BrowserWindowTest, PlayPauseListsTheTreeBehindItsFirstFile) {
    Open(1);
    EnterRoot();
    Highlight(L"Movies");
    const win32::ScreenSize screen = win32::PrimaryScreen();
    const RECT busy = LayoutBrowser(screen.cx, screen.cy).busy;
    const int signX = (busy.left + busy.right) / 2, signY = busy.top;
    const COLORREF plain = Snapshot(dlg->hwnd()).At(signX, signY);
    ASSERT_NE(plain, kRowBarColour);

    drives->Hold();
    player.playStarts = false;  // nothing plays yet as far as the keys can tell
    player.Clear();
    Up(VK_MEDIA_PLAY_PAUSE);
    ASSERT_TRUE(WaitFor([&] { return player.Count(L"play") == 1; }));
    EXPECT_TRUE(dlg->listingTree());
    EXPECT_TRUE(drives->walking);
    EXPECT_EQ(player.playlist.size(), 1u);
    EXPECT_EQ(player.uiMode, L"full");
    EXPECT_EQ(Snapshot(dlg->hwnd()).At(signX, signY), kRowBarColour);
    Up(VK_MEDIA_PLAY_PAUSE);
    EXPECT_EQ(drives->walks, 1);
    EXPECT_EQ(player.Count(L"play"), 1);

    drives->Release();
    ASSERT_TRUE(WaitFor([&] { return !dlg->listingTree(); }));
    std::vector<std::wstring> list = player.playlist;
    std::sort(list.begin(), list.end());
    EXPECT_EQ(list, (std::vector<std::wstring>{root + L"\\Movies\\Sub\\d.mp3", root + L"\\Movies\\a.avi",
                                               root + L"\\Movies\\b.AVI"}));
    EXPECT_EQ(player.Count(L"playlist:1"), 1);
    EXPECT_EQ(player.Count(L"play"), 1);
    EXPECT_EQ(Snapshot(dlg->hwnd()).At(signX, signY), plain);
    EXPECT_EQ(dlg->model().HighlightedText(), L"Movies");

    // Esc ends the listing, not the browser; nothing more of that tree arrives.
    drives->Hold();
    player.Clear();
    Up(VK_MEDIA_PLAY_PAUSE);
    ASSERT_TRUE(WaitFor([&] { return player.Count(L"play") == 1; }));
    Down(VK_ESCAPE);
    EXPECT_FALSE(dlg->listingTree());
    EXPECT_TRUE(::IsWindow(dlg->hwnd()));
    ASSERT_TRUE(WaitFor([&] { return !drives->walking; }));
    Pump();
    EXPECT_EQ(player.playlist.size(), 1u);
    EXPECT_EQ(player.Count(L"append:1") + player.Count(L"append:2"), 0);
    EXPECT_EQ(Snapshot(dlg->hwnd()).At(signX, signY), plain);

    // Closed while the walk is held: it is cancelled and joined, and nothing is left to arrive.
    drives->Hold();
    player.Clear();
    Up(VK_MEDIA_PLAY_PAUSE);
    ASSERT_TRUE(WaitFor([&] { return player.Count(L"play") == 1 && drives->walking; }));
    HWND hwnd = dlg->hwnd();
    ::SendMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_FALSE(drives->walking);
    EXPECT_FALSE(dlg->listingTree());
    MSG stray{};
    EXPECT_FALSE(::PeekMessageW(&stray, nullptr, kMsgTreeFiles, kMsgTreeFiles, PM_NOREMOVE));
    Pump();
    EXPECT_EQ(drives->walks, 3);
}

TEST_F(BrowserWindowTest, PicturesAndProgramsGoToTheirHandOffs) {
    Open(2);
    EnterRoot();
    Highlight(L"Pics");
    Down(VK_RETURN);
    Highlight(L"small.bmp");
    Down(VK_RETURN);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0], root + L"\\Pics\\|small.bmp|0");
    EXPECT_TRUE(player.playlist.empty());
    EXPECT_EQ(player.Count(L"play"), 0);
    dlg->Destroy();
    Pump();

    dlg->SetMode(MediaKind::Program);
    ASSERT_TRUE(dlg->Create(nullptr));
    Pump();
    EXPECT_TRUE(dlg->model().atDriveLevel());  // every opening starts at the drives
    File(L"\\setup.EXE");
    EnterRoot();
    Highlight(L"setup.EXE");
    Down(VK_RETURN);
    EXPECT_EQ(programs, std::vector<std::wstring>{root + L"\\setup.EXE|setup.EXE"});
}

TEST_F(BrowserWindowTest, HighlightBarAndFolderIconArePainted) {
    Open(0);
    EnterRoot();
    Highlight(L"Movies");
    BrowserRow& row = dlg->row(dlg->model().row());
    RECT rc{};
    ::GetClientRect(row.hwnd(), &rc);
    win32::WindowDc screen(row.hwnd());
    win32::MemoryDc dc(::CreateCompatibleDC(screen.get()));
    win32::Bitmap bmp(::CreateCompatibleBitmap(screen.get(), rc.right, rc.bottom));
    win32::SelectedObject sel(dc.get(), bmp.get());
    auto countColour = [&](int x0, int x1, COLORREF c) {
        int n = 0;
        for (int x = x0; x < x1; ++x) {
            for (int y = 0; y < rc.bottom; ++y) n += ::GetPixel(dc.get(), x, y) == c;
        }
        return n;
    };
    row.Paint(dc.get());
    const int left = 27 + 20;  // the folder icon's width and the gap
    EXPECT_EQ(::GetPixel(dc.get(), left, rc.bottom - 1), kRowBarColour);
    EXPECT_NE(::GetPixel(dc.get(), left - 1, rc.bottom - 1), kRowBarColour);
    EXPECT_GT(countColour(left, rc.right, kRowTextColour), 20);  // the name in white
    std::vector<COLORREF> withIcon;
    for (int x = 0; x < 27; ++x) {
        for (int y = 0; y < 27 && y < rc.bottom; ++y) withIcon.push_back(::GetPixel(dc.get(), x, y));
    }
    row.SetText(L"Movies", false);
    row.Paint(dc.get());
    int iconPixels = 0;
    std::size_t k = 0;
    for (int x = 0; x < 27; ++x) {
        for (int y = 0; y < 27 && y < rc.bottom; ++y) iconPixels += ::GetPixel(dc.get(), x, y) != withIcon[k++];
    }
    EXPECT_GT(iconPixels, 50);
    row.SetText(L"..", false);  // ".." always has its icon
    EXPECT_TRUE(row.showFolderIcon());

    // A row that is not highlighted has no bar.
    BrowserRow& next = dlg->row(dlg->model().row() + 1);
    next.Paint(dc.get());
    EXPECT_EQ(countColour(0, rc.right, kRowBarColour), 0);
    BrowserRow& file = row;

    // An empty highlighted row shows a bar two pixels wide at the text's left edge.
    file.SetText(L"", false);
    file.Paint(dc.get());
    EXPECT_EQ(countColour(0, rc.right, kRowBarColour), 2 * rc.bottom);

    // The caption is the folder, in white, above the rows.
    Snapshot shot(dlg->hwnd());
    int white = 0;
    for (int x = 10; x < 300; ++x) {
        for (int y = 4; y < 50; ++y) white += shot.At(x, y) == RGB(255, 255, 255);
    }
    EXPECT_GT(white, 50);
}

// Fit re-makes the font at each step: the name ends up legible and inside its row.
TEST_F(BrowserWindowTest, RowFontShrinksUntilTheNameFits) {
    Open(0);
    BrowserRow row(1920, 96);  // 37 wide, 50 high
    const RECT rect{10, 50, 410, 81};
    ASSERT_TRUE(row.Create(dlg->hwnd(), rect, 0xFFFF, nullptr, nullptr));
    auto whitePixels = [&] {
        win32::WindowDc screen(row.hwnd());
        win32::MemoryDc dc(::CreateCompatibleDC(screen.get()));
        win32::Bitmap bmp(::CreateCompatibleBitmap(screen.get(), 400, 31));
        win32::SelectedObject sel(dc.get(), bmp.get());
        row.Paint(dc.get());
        int n = 0;
        for (int x = 0; x < 400; ++x) {
            for (int y = 0; y < 31; ++y) n += ::GetPixel(dc.get(), x, y) == kRowTextColour;
        }
        return n;
    };

    row.SetText(L"Movies", true);
    row.Fit();  // too high only: 50 in a row of 31 with 16 to spare
    EXPECT_EQ(row.fontWidth(), 37);
    EXPECT_GT(row.fontHeight(), 5);
    EXPECT_LE(row.fontHeight(), 15);
    EXPECT_GT(whitePixels(), 30);

    row.SetText(std::wstring(40, L'W'), false);
    const int height = row.fontHeight();
    row.Fit();  // now too wide as well
    EXPECT_GT(row.fontWidth(), 1);
    EXPECT_LT(row.fontWidth(), 37);
    EXPECT_EQ(row.fontHeight(), height);
    EXPECT_GT(whitePixels(), 100);
    row.Destroy();
}

TEST_F(BrowserWindowTest, PreviewShowsTheHighlightedPictureAndLeavesNoRemnant) {
    Open(2);
    EnterRoot();
    Highlight(L"Pics");
    Down(VK_RETURN);
    const Snapshot empty(dlg->hwnd());
    const COLORREF corner = empty.At(kPreviewLeft + 5, kPreviewTop + 5);
    const COLORREF centre = empty.At(kPreviewLeft + 145, kPreviewTop + 100);

    Highlight(L"big.bmp");
    ASSERT_TRUE(PreviewShows(root + L"\\Pics\\big.bmp"));
    const Snapshot big(dlg->hwnd());
    EXPECT_EQ(big.At(kPreviewLeft + 5, kPreviewTop + 5), RGB(255, 0, 0));
    EXPECT_EQ(big.At(kPreviewLeft + 284, kPreviewTop + 195), RGB(255, 0, 0));

    Highlight(L"small.bmp");
    ASSERT_TRUE(PreviewShows(root + L"\\Pics\\small.bmp"));
    const Snapshot small(dlg->hwnd());
    EXPECT_EQ(small.At(kPreviewLeft + 145, kPreviewTop + 100), RGB(0, 0, 255));
    EXPECT_EQ(small.At(kPreviewLeft + 5, kPreviewTop + 5), corner);  // no red left over

    Highlight(L"broken.bmp");
    ASSERT_TRUE(PreviewSettled());
    EXPECT_EQ(dlg->previewPath(), L"");
    const Snapshot broken(dlg->hwnd());
    EXPECT_EQ(broken.At(kPreviewLeft + 145, kPreviewTop + 100), centre);
}

// A BMP header declaring w x h, in a file of fileSize bytes.
void WriteBmpHeader(const std::wstring& path, int w, int h, DWORD fileSize) {
    const BmpHeaders headers(w, h, fileSize);
    std::vector<BYTE> bytes(fileSize, 0x40);
    memcpy(bytes.data(), &headers.file, sizeof(headers.file));
    memcpy(bytes.data() + sizeof(headers.file), &headers.info, sizeof(headers.info));
    win32::Handle f(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    ::WriteFile(f.get(), bytes.data(), fileSize, &written, nullptr);
}

// The preview decodes away from the main thread: a burst of keys decodes only where it ends,
// pictures the decoder must not see are refused whatever their name, and closing the browser
// while a decode runs leaves nothing behind.
TEST_F(BrowserWindowTest, PreviewDecodesTheNewestHighlightAwayFromTheMainThread) {
    Dir(L"\\Many");
    std::map<std::wstring, COLORREF> colours;
    for (int i = 0; i < 50; ++i) {
        wchar_t name[16];
        swprintf(name, 16, L"p%02d.bmp", i);
        const COLORREF c = RGB(40 + i * 4, 255 - i * 4, i % 2 ? 0 : 255);
        WriteBmp(root + L"\\Many\\" + name, 64, 48, c);
        made.push_back(root + L"\\Many\\" + name);
        colours[name] = c;
    }
    Dir(L"\\Odd");
    WriteBmpHeader(root + L"\\Odd\\declared.bmp", 8000, 8000, 1024);
    made.push_back(root + L"\\Odd\\declared.bmp");
    WriteBmp(root + L"\\Odd\\slow.bmp", 4000, 3000, RGB(0, 0, 255));
    made.push_back(root + L"\\Odd\\slow.bmp");

    Open(2);
    EnterRoot();
    Highlight(L"Many");
    Down(VK_RETURN);
    ASSERT_TRUE(PreviewSettled());
    const int before = dlg->previewDecodes();

    // Forty Downs queued at once, as a held key delivers them.
    for (int i = 0; i < 40; ++i) ::PostMessageW(dlg->hwnd(), WM_KEYDOWN, VK_DOWN, 1);
    Pump();
    const std::wstring last = dlg->model().HighlightedText();
    ASSERT_EQ(colours.count(last), 1u);
    ASSERT_TRUE(PreviewShows(root + L"\\Many\\" + last));
    EXPECT_LE(dlg->previewDecodes() - before, 2);
    const Snapshot shown(dlg->hwnd());
    const PreviewPlacement place = PlacePreview(64, 48);
    EXPECT_EQ(shown.At(place.x + 32, place.y + 24), colours[last]);

    // One by one, each is shown in turn, the one before never drawn over it.
    Down(VK_UP);
    const std::wstring previous = dlg->model().HighlightedText();
    ASSERT_NE(previous, last);
    ASSERT_TRUE(PreviewShows(root + L"\\Many\\" + previous));
    EXPECT_EQ(Snapshot(dlg->hwnd()).At(place.x + 32, place.y + 24), colours[previous]);

    // A header the bound refuses: nothing shown.
    for (int page = 0; page < 6; ++page) Down(VK_LEFT);
    ASSERT_EQ(dlg->model().HighlightedText(), L"..");
    Down(VK_RETURN);
    Highlight(L"Odd");
    Down(VK_RETURN);
    Highlight(L"declared.bmp");
    ASSERT_TRUE(PreviewSettled());
    EXPECT_EQ(dlg->previewPath(), L"");

    // Closed while the large one decodes: the worker is joined, nothing is posted afterwards.
    HWND hwnd = dlg->hwnd();
    Highlight(L"slow.bmp");
    ::SendMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_FALSE(dlg->previewBusy());
    MSG stray{};
    EXPECT_FALSE(::PeekMessageW(&stray, nullptr, kMsgPreviewReady, kMsgPreviewReady, PM_NOREMOVE));
    Pump();

    // Opened again, the preview works as before.
    Open(2);
    EnterRoot();
    Highlight(L"Odd");
    Down(VK_RETURN);
    Highlight(L"slow.bmp");
    ASSERT_TRUE(PreviewShows(root + L"\\Odd\\slow.bmp"));
}

}  // namespace
}  // namespace tessaly
