// The real player in a window of ours: the Media Player control where the system has it, and the
// DirectShow path forced, each with the media that make_media.sh made.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "launcher/system/player_engine.h"
#include "launcher/system/player_media.h"
#include "launcher/testing/player_host.h"

namespace tessaly {
namespace {

using testing::HostWindow;
using testing::kPlayerRect;
using testing::MediaFile;
using testing::Pump;
using testing::PumpUntil;

class OleScope : public ::testing::Environment {
public:
    void SetUp() override { ::OleInitialize(nullptr); }
    void TearDown() override { ::OleUninitialize(); }
};
const auto* const kOle = ::testing::AddGlobalTestEnvironment(new OleScope);

// The window a user sees at a point of the screen, unless it is `a` or `b` (null then).
HWND PictureAt(POINT p, HWND a, HWND b) {
    HWND w = ::WindowFromPoint(p);
    return w == a || w == b ? nullptr : w;
}

class PlayerTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        ASSERT_TRUE(host_.hwnd());
        ASSERT_TRUE(player_.Bind(host_.hwnd(), 1000, kPlayerRect));
        if (!GetParam() && !player_.HasControl()) GTEST_SKIP() << "no Media Player control here";
        ASSERT_EQ(::GetFileAttributesW(MediaFile(L"tone.wav").c_str()) == INVALID_FILE_ATTRIBUTES,
                  false)
            << "media missing: run make_media.sh";
    }
    void TearDown() override { player_.Unbind(); }

    bool WaitFor(PlayState s, DWORD ms = 8000) {
        return PumpUntil([&] { return player_.State() == s; }, ms);
    }

    HostWindow host_;
    MediaPlayer player_{MediaPlayer::Options{GetParam(), {}}};
};

TEST_P(PlayerTest, PlaysAFileUntilStopped) {
    for (const wchar_t* name : {L"tone.wav", L"tone.mp3"}) {
        SCOPED_TRACE(std::string(name, name + ::lstrlenW(name)));
        const std::wstring path = MediaFile(name);
        player_.SetUrl(path);
        player_.Play();
        player_.SetUiMode(L"full");
        EXPECT_TRUE(WaitFor(PlayState::Playing)) << static_cast<int>(player_.State());
        EXPECT_EQ(player_.UsingDirectShow(), GetParam());
        // Play while playing leaves it playing.
        player_.Play();
        Pump(300);
        EXPECT_EQ(player_.State(), PlayState::Playing);
        player_.Stop();
        EXPECT_TRUE(PumpUntil([&] { return !IsPlayingOrPaused(player_.State()); }, 3000));
        EXPECT_EQ(player_.Url(), path);  // the file stays, as with the control
    }
}

TEST_P(PlayerTest, AListPlaysOnPastItsFirstFileAndSkipsWhatCannotPlay) {
    const std::wstring blip = MediaFile(L"blip.wav"), tone = MediaFile(L"tone.wav");
    player_.SetPlaylist({MediaFile(L"missing.mp3"), MediaFile(L"empty.mp3"), blip, tone});
    player_.Play();
    EXPECT_TRUE(PumpUntil([&] { return player_.Url() == blip; }, 5000));
    EXPECT_TRUE(PumpUntil(
        [&] { return player_.Url() == tone && player_.State() == PlayState::Playing; }, 10000));
    // Previous goes back one; next at the end stays on the last file.
    player_.Previous();
    EXPECT_EQ(player_.Url(), blip);
    player_.Next();
    player_.Next();
    EXPECT_EQ(player_.Url(), tone);
    EXPECT_TRUE(WaitFor(PlayState::Playing));
    player_.Stop();
}

// A tree listed while it plays: files found after the first have played out still get their turn.
TEST_P(PlayerTest, FilesAddedAfterTheListRanOutPlayOn) {
    const std::wstring blip = MediaFile(L"blip.wav"), tone = MediaFile(L"tone.wav");
    player_.SetPlaylist({MediaFile(L"missing.mp3")});
    player_.Play();
    Pump(500);
    player_.AppendToPlaylist({blip});
    EXPECT_TRUE(PumpUntil([&] { return player_.Url() == blip; }, 5000));
    EXPECT_TRUE(PumpUntil([&] { return !IsPlayingOrPaused(player_.State()); }, 10000));
    player_.AppendToPlaylist({tone});
    EXPECT_TRUE(PumpUntil(
        [&] { return player_.Url() == tone && player_.State() == PlayState::Playing; }, 10000));
    player_.Stop();
}

TEST_P(PlayerTest, BadFilesNeitherHangNorCrashAndAGoodOneStillPlaysAfter) {
    for (const wchar_t* name : {L"missing.mp3", L"empty.mp3", L"noise.mp3", L"truncated.mp3"}) {
        const ULONGLONG start = ::GetTickCount64();
        player_.SetUrl(MediaFile(name));
        player_.Play();
        player_.Play();  // a second play on a refused file must not take the control down
        Pump(1500);
        EXPECT_LT(::GetTickCount64() - start, 6000u) << "hung on a bad file";
        player_.Stop();
    }
    player_.SetUrl(MediaFile(L"tone.wav"));
    player_.Play();
    EXPECT_TRUE(WaitFor(PlayState::Playing));
    // A missing file after a good one leaves nothing playing.
    player_.SetUrl(MediaFile(L"missing.mp3"));
    player_.Play();
    Pump(500);
    EXPECT_FALSE(IsPlayingOrPaused(player_.State()));
}

TEST_P(PlayerTest, VideoGoesFullScreenAndBack) {
    RECT inHost = kPlayerRect;
    ::MapWindowPoints(host_.hwnd(), nullptr, reinterpret_cast<POINT*>(&inHost), 2);
    const POINT playerCentre{(inHost.left + inHost.right) / 2, (inHost.top + inHost.bottom) / 2};
    const POINT screenCentre{::GetSystemMetrics(SM_CXSCREEN) / 2,
                             ::GetSystemMetrics(SM_CYSCREEN) / 2};

    player_.SetUrl(MediaFile(L"clip.avi"));
    player_.Play();
    player_.SetUiMode(L"full");
    ASSERT_TRUE(WaitFor(PlayState::Playing));
    EXPECT_FALSE(player_.FullScreen());
    EXPECT_TRUE(PictureAt(playerCentre, host_.hwnd(), nullptr)) << "no picture in the rectangle";

    player_.SetFullScreen(true);
    EXPECT_TRUE(player_.FullScreen());
    HWND frame = player_.FullScreenWindow();
    ASSERT_TRUE(frame);
    EXPECT_TRUE(::IsWindowVisible(frame));
    RECT fr;
    ::GetWindowRect(frame, &fr);
    EXPECT_EQ(fr.right - fr.left, ::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(fr.bottom - fr.top, ::GetSystemMetrics(SM_CYSCREEN));
    EXPECT_TRUE(PictureAt(screenCentre, frame, host_.hwnd())) << "the picture is not on top";
    EXPECT_TRUE(PictureAt(POINT{2, 2}, frame, host_.hwnd())) << "the picture does not fill it";
    EXPECT_NE(::GetForegroundWindow(), frame) << "the frame took the focus";

    player_.SetFullScreen(false);
    EXPECT_FALSE(player_.FullScreen());
    EXPECT_FALSE(::IsWindowVisible(frame));
    EXPECT_TRUE(PictureAt(playerCentre, host_.hwnd(), nullptr)) << "the picture is not back";
    EXPECT_FALSE(PictureAt(POINT{2, 2}, ::GetDesktopWindow(), nullptr))
        << "the picture still fills the screen";

    // Stopping while full screen leaves full screen.
    player_.SetFullScreen(true);
    player_.Stop();
    EXPECT_FALSE(player_.FullScreen());
    EXPECT_FALSE(::IsWindowVisible(frame));
}

TEST_P(PlayerTest, MusicFullScreenCoversTheHostUntilLeft) {
    RECT hr;
    ::GetWindowRect(host_.hwnd(), &hr);
    const POINT hostCentre{(hr.left + hr.right) / 2, (hr.top + hr.bottom) / 2};
    auto seenRoot = [&] { return ::GetAncestor(::WindowFromPoint(hostCentre), GA_ROOT); };

    player_.SetUrl(MediaFile(L"tone.wav"));
    player_.Play();
    player_.SetUiMode(L"full");
    ASSERT_TRUE(WaitFor(PlayState::Playing));
    ASSERT_EQ(seenRoot(), host_.hwnd());
    player_.SetFullScreen(true);
    EXPECT_TRUE(player_.FullScreen());
    EXPECT_NE(seenRoot(), host_.hwnd()) << "the host still shows";
    player_.SetFullScreen(false);
    EXPECT_FALSE(player_.FullScreen());
    EXPECT_EQ(seenRoot(), host_.hwnd());
    EXPECT_EQ(player_.State(), PlayState::Playing);  // switching does not interrupt the music
    player_.Stop();
}

INSTANTIATE_TEST_SUITE_P(Engines, PlayerTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "DirectShow" : "Control"; });

// Only the graph pauses under every system we test on.
TEST(DirectShowPlayer, PausesAndResumes) {
    HostWindow host;
    MediaPlayer player(MediaPlayer::Options{true, {}});
    ASSERT_TRUE(player.Bind(host.hwnd(), 1000, kPlayerRect));
    player.SetUrl(MediaFile(L"clip.avi"));
    player.Play();
    ASSERT_TRUE(PumpUntil([&] { return player.State() == PlayState::Playing; }, 8000));
    player.Pause();
    EXPECT_EQ(player.State(), PlayState::Paused);
    player.Pause();  // pausing twice changes nothing
    EXPECT_EQ(player.State(), PlayState::Paused);
    player.Play();
    EXPECT_EQ(player.State(), PlayState::Playing);
    // The clip runs to its end and the player reports it (a list of one has nowhere to go).
    EXPECT_TRUE(PumpUntil([&] { return player.State() == PlayState::MediaEnded; }, 16000));
    player.Unbind();
    EXPECT_EQ(player.State(), PlayState::Undefined);
}

// The Media Player control as Windows has it: it keeps a list and moves along it by itself.
class ListKeepingControl : public PlayerEngine {
public:
    bool Create(HWND, int, const RECT&, HWND) override { return true; }
    void Destroy() override {}
    bool Open(const std::wstring& path, WPARAM) override {
        list = {path};
        at = 0;
        state = PlayState::Playing;
        return true;
    }
    bool OpenList(const std::vector<std::wstring>& paths, WPARAM) override {
        list = paths;
        at = 0;
        return true;
    }
    bool AppendToList(const std::vector<std::wstring>& paths) override {
        list.insert(list.end(), paths.begin(), paths.end());
        return true;
    }
    void Resume() override { state = PlayState::Playing; }
    void Pause() override { state = PlayState::Paused; }
    void Stop() override { state = PlayState::Stopped; }
    void Next() override { at = at + 1 < list.size() ? at + 1 : at; }
    void Previous() override { at = at > 0 ? at - 1 : 0; }
    void FastForward() override {}
    void FastReverse() override {}
    PlayState State() const override { return state; }
    bool FullScreen() const override { return false; }
    void SetFullScreen(bool) override {}
    void SetUiMode(const std::wstring&) override {}
    std::wstring ListFile() const override { return at < list.size() ? list[at] : std::wstring(); }

    std::vector<std::wstring> list;
    std::size_t at = 0;
    PlayState state = PlayState::Undefined;
};

// What the browser compares with the highlighted row: the file the control is on, not the list's
// first (else Enter on the playing song restarts it alone, and on the first song does nothing).
TEST(ControlKeepingAList, TheCurrentFileIsTheControls) {
    HostWindow host;
    ListKeepingControl* control = nullptr;
    MediaPlayer::Options options;
    options.makeControl = [&](FullScreenFrame&) {
        auto engine = std::make_unique<ListKeepingControl>();
        control = engine.get();
        return std::unique_ptr<PlayerEngine>(std::move(engine));
    };
    MediaPlayer player(options);
    ASSERT_TRUE(player.Bind(host.hwnd(), 1000, kPlayerRect));
    ASSERT_TRUE(control);
    const std::wstring one = L"C:\\Music\\one.mp3", two = L"C:\\Music\\two.mp3",
                       three = L"C:\\Music\\three.mp3";
    player.SetPlaylist({one, two, three});
    player.Play();
    EXPECT_EQ(player.State(), PlayState::Playing);
    EXPECT_EQ(player.Url(), one);
    control->at = 2;  // the first two have ended
    EXPECT_EQ(player.Url(), three);
    player.Previous();
    EXPECT_EQ(player.Url(), two);
    player.Next();
    player.Next();
    EXPECT_EQ(player.Url(), three);
    // A tree still being listed: the rest joins the control's own list behind what plays.
    const std::wstring four = L"C:\\Music\\four.mp3";
    player.AppendToPlaylist({four});
    EXPECT_EQ(control->list, (std::vector<std::wstring>{one, two, three, four}));
    EXPECT_EQ(player.Url(), three);
    player.Next();
    EXPECT_EQ(player.Url(), four);

    // One file after the list: that file, whether the control can name it or not.
    const std::wstring song = L"C:\\Music\\song.mp3";
    player.SetUrl(song);
    player.Play();
    control->list.clear();
    EXPECT_EQ(player.Url(), song);
    player.Unbind();
}

}  // namespace
}  // namespace tessaly
