// Plays media through the real player by a script of commands, so that a scenario can watch the
// sound server and the screen while it plays. One line on stdout per command.
//   player_drive.exe [--directshow] command...
//   url=PATH  list=PATH;PATH...  play  pause  stop  next  prev  full=0|1
//   wait=MS   until=STATE,MS (1 stopped, 2 paused, 3 playing, 8 ended)   hold=NAME,MS
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "launcher/system/player_media.h"
#include "launcher/testing/player_host.h"

namespace {

using namespace tessaly;

// "focus=1" while the keys still go to the host window.
void Report(const MediaPlayer& p, HWND host, const std::wstring& what) {
    std::wprintf(L"%ls state=%d full=%d focus=%d url=%ls\n", what.c_str(),
                 static_cast<int>(p.State()), p.FullScreen() ? 1 : 0,
                 ::GetForegroundWindow() == host ? 1 : 0, p.Url().c_str());
    std::fflush(stdout);
}

std::vector<std::wstring> Split(const std::wstring& s, wchar_t sep) {
    std::vector<std::wstring> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= s.size(); ++i) {
        if (i == s.size() || s[i] == sep) {
            parts.push_back(s.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

DWORD Number(const std::wstring& s) { return static_cast<DWORD>(_wtoi(s.c_str())); }

}  // namespace

int wmain(int argc, wchar_t** argv) {
    ::OleInitialize(nullptr);
    int exitCode = 0;
    {
        int first = 1;
        MediaPlayer::Options options;
        if (argc > 1 && std::wstring(argv[1]) == L"--directshow") {
            options.forceDirectShow = true;
            first = 2;
        }
        testing::HostWindow host;
        ::SetForegroundWindow(host.hwnd());
        MediaPlayer player(options);
        if (!player.Bind(host.hwnd(), 1000, testing::kPlayerRect)) {
            std::wprintf(L"bind failed\n");
            exitCode = 2;
        }
        for (int i = first; i < argc && exitCode == 0; ++i) {
            const std::wstring arg = argv[i];
            const std::size_t eq = arg.find(L'=');
            const std::wstring cmd = arg.substr(0, eq);
            const std::wstring value = eq == std::wstring::npos ? L"" : arg.substr(eq + 1);
            const std::vector<std::wstring> parts = Split(value, L',');
            if (cmd == L"url") {
                player.SetUrl(value);
            } else if (cmd == L"list") {
                player.SetPlaylist(Split(value, L';'));
            } else if (cmd == L"play") {
                player.Play();
                player.SetUiMode(L"full");
            } else if (cmd == L"pause") {
                player.Pause();
            } else if (cmd == L"stop") {
                player.Stop();
            } else if (cmd == L"next") {
                player.Next();
            } else if (cmd == L"prev") {
                player.Previous();
            } else if (cmd == L"full") {
                player.SetFullScreen(value == L"1");
            } else if (cmd == L"wait") {
                testing::Pump(Number(value));
            } else if (cmd == L"until" && parts.size() == 2) {
                const auto want = static_cast<PlayState>(Number(parts[0]));
                if (!testing::PumpUntil([&] { return player.State() == want; }, Number(parts[1])))
                    exitCode = 1;
            } else if (cmd == L"hold" && parts.size() == 2) {
                Report(player, host.hwnd(), L"hold " + parts[0]);
                testing::Pump(Number(parts[1]));
                continue;
            } else {
                std::wprintf(L"unknown command %ls\n", arg.c_str());
                exitCode = 2;
            }
            Report(player, host.hwnd(), arg);
        }
        player.Unbind();
    }
    ::OleUninitialize();
    return exitCode;
}
