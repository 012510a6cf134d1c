#include "launcher/model/launch_actions.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tessaly {
namespace {

// What a started program receives as its arguments, split as the system splits them.
std::vector<std::wstring> Arguments(const std::wstring& commandLine) {
    int count = 0;
    LPWSTR* argv = ::CommandLineToArgvW(commandLine.c_str(), &count);
    std::vector<std::wstring> out;
    for (int i = 0; argv && i < count; ++i) out.emplace_back(argv[i]);
    ::LocalFree(argv);
    return out;
}

TEST(LaunchDecision, TestsRunInOrderAndIgnoreOnlyAsciiCase) {
    EXPECT_EQ(DecideLaunch(L"Return", L"RETURN").action, LaunchAction::ClosePage);
    EXPECT_EQ(DecideLaunch(L"x", L"returns").action, LaunchAction::PlainStart);

    LaunchDecision d = DecideLaunch(L"x", L"xxxxxxxer_a");
    EXPECT_EQ(d.action, LaunchAction::PageCommand);
    EXPECT_EQ(d.pageCommand, 0);
    EXPECT_TRUE(d.passesKind);
    EXPECT_EQ(DecideLaunch(L"x", L"XXXAXXXXER_A_CDROM").pageCommand, 2);
    EXPECT_EQ(DecideLaunch(L"x", L"XXXXXXXER_A_REMOVE").pageCommand, 1);
    d = DecideLaunch(L"x", L"XXX_XX_XX_XXOPEN");
    EXPECT_EQ(d.pageCommand, 3);
    EXPECT_FALSE(d.passesKind);

    // An address wins over the karaoke label; "HTTP://" is not an address (exact test).
    EXPECT_EQ(DecideLaunch(L"Karaoke", L"http://example.org").action, LaunchAction::OpenAddress);
    EXPECT_EQ(DecideLaunch(L"x", L"see http://a").action, LaunchAction::OpenAddress);
    EXPECT_EQ(DecideLaunch(L"x", L"HTTP://a").action, LaunchAction::PlainStart);

    EXPECT_EQ(DecideLaunch(L"KARAOKE", L"C:\\k.exe").action, LaunchAction::KaraokeStart);
    EXPECT_EQ(DecideLaunch(L"DVD Player", L"C:\\d.exe").action, LaunchAction::DiscStart);
    EXPECT_EQ(DecideLaunch(L"dvd Player", L"C:\\d.exe").action, LaunchAction::PlainStart);
    EXPECT_EQ(DecideLaunch(L"My DVD", L"C:\\d.exe").action, LaunchAction::PlainStart);

    // Only A-Z fold: a non-ASCII letter in another case is a different name.
    EXPECT_TRUE(EqualsIgnoringAsciiCase(L"R\u00E9turn", L"r\u00E9TURN"));
    EXPECT_FALSE(EqualsIgnoringAsciiCase(L"r\u00C9turn", L"r\u00E9turn"));
}

TEST(LaunchCommandLines, DiscListQuotesATargetWithBlanksAndKeepsPlainStartsAsStored) {
    ProcessRequest r = DiscListStart(L"C:\\Program Files\\dvd.exe", L"D:\\ E:\\ ");
    EXPECT_EQ(r.application, L"");
    EXPECT_EQ(r.commandLine, L"\"C:\\Program Files\\dvd.exe\" D:\\ E:\\ ");
    EXPECT_TRUE(r.inheritHandles);
    EXPECT_TRUE(r.processSecurity);
    EXPECT_EQ(DiscListStart(L"C:\\dvd.exe", L"D:\\ ").commandLine, L"C:\\dvd.exe D:\\ ");
    // No disc drive: the target alone, as the program path.
    EXPECT_EQ(DiscListStart(L"C:\\a b\\dvd.exe", L""), PlainProgramStart(L"C:\\a b\\dvd.exe"));
    EXPECT_EQ(PlainProgramStart(L"C:\\a b\\x.exe").application, L"C:\\a b\\x.exe");
    EXPECT_EQ(Arguments(PlainProgramStart(L"C:\\a b\\x.exe").commandLine),
              std::vector<std::wstring>{L"C:\\a b\\x.exe"});

    EXPECT_EQ(InternetBrowserPath(L"C:"), L"C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE");
    EXPECT_EQ(InternetBrowserPath(L""), L"\\Program Files\\Internet Explorer\\IEXPLORE.EXE");
    EXPECT_EQ(InternetBrowserPath(L"C:\\x"), L"\\Program Files\\Internet Explorer\\IEXPLORE.EXE");
    // The browser skips its own name, the first argument: the address must be the second.
    ProcessRequest a = AddressStart(L"C:\\Program Files\\ie.exe", L"http://x/?a b");
    EXPECT_EQ(a.application, L"C:\\Program Files\\ie.exe");
    EXPECT_EQ(Arguments(a.commandLine), (std::vector<std::wstring>{L"C:\\Program Files\\ie.exe", L"http://x/?a b"}));
    EXPECT_EQ(Arguments(AddressStart(L"C:\\ie.exe", L"http://example.org/").commandLine),
              (std::vector<std::wstring>{L"C:\\ie.exe", L"http://example.org/"}));
    EXPECT_TRUE(IsWebAddress(L"HTTPS://a"));
    EXPECT_TRUE(IsWebAddress(L"http://a"));
    EXPECT_FALSE(IsWebAddress(L"C:\\x.exe --u=http://a"));
    EXPECT_FALSE(IsWebAddress(L"file:///C:/x.exe?http://"));
    EXPECT_FALSE(IsWebAddress(L"http:/"));
    EXPECT_FALSE(a.inheritHandles);
    EXPECT_FALSE(a.processSecurity);
}

// Records what the launch steps ask of the outside world.
struct Recorder {
    std::vector<ProcessRequest> started;
    std::vector<std::wstring> opened;
    std::vector<LineSetting> lines;
    bool browserInstalled = true;
    std::wstring drive = L"C:";
    std::vector<std::function<unsigned()>> scheduled;
    std::vector<std::uintptr_t> cancelled;

    LaunchPorts Ports() {
        LaunchPorts p;
        p.startProcess = [this](const ProcessRequest& r) {
            started.push_back(r);
            return true;
        };
        p.openWithDefaultHandler = [this](const std::wstring& a) {
            opened.push_back(a);
            return true;
        };
        p.fileExists = [this](const std::wstring&) { return browserInstalled; };
        p.systemDrive = [this] { return drive; };
        p.setLine = [this](const LineSetting& s) { lines.push_back(s); };
        p.schedule = [this](const void*, unsigned, std::function<unsigned()> step) { scheduled.push_back(step); };
        p.cancelSchedule = [this](const void* owner) { cancelled.push_back(reinterpret_cast<std::uintptr_t>(owner)); };
        return p;
    }
};

TEST(LaunchActions, EachActionReachesItsPortAndTheOwnerGetsMarkersAndClose) {
    Recorder rec;
    LaunchActions actions(rec.Ports(), {});

    EXPECT_EQ(actions.Run(L"Return", L"return", 5, L"").kind, LaunchOutcome::kClosePage);
    LaunchOutcome o = actions.Run(L"x", L"XXXXXXXER_A_REMOVE", 6, L"");
    EXPECT_EQ(o.kind, LaunchOutcome::kPageCommand);
    EXPECT_EQ(o.command, 1);
    EXPECT_EQ(o.param, 6);
    EXPECT_EQ(actions.Run(L"x", L"XXX_XX_XX_XXOPEN", 6, L"").param, 0);
    EXPECT_TRUE(rec.started.empty());

    // Karaoke: five line settings in order, then the disc-list start; twice passes the list
    // once each time.
    for (int i = 0; i < 2; ++i) actions.Run(L"Karaoke", L"C:\\k.exe", 5, L"D:\\ ");
    ASSERT_EQ(rec.lines.size(), 10u);
    EXPECT_EQ(rec.lines[0].level, 70);
    EXPECT_EQ(rec.lines[1].line, 2);
    EXPECT_EQ(rec.lines[2].direction, 0);
    EXPECT_EQ(rec.lines[4].line, 4);
    ASSERT_EQ(rec.started.size(), 2u);
    EXPECT_EQ(rec.started[1].commandLine, L"C:\\k.exe D:\\ ");

    // Addresses: the installed browser with the address as its command line, else the default
    // handler.
    actions.Run(L"Web", L"http://example.org/", 5, L"");
    ASSERT_EQ(rec.started.size(), 3u);
    EXPECT_EQ(rec.started[2].application, L"C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE");
    EXPECT_EQ(Arguments(rec.started[2].commandLine).back(), L"http://example.org/");
    rec.browserInstalled = false;
    actions.Run(L"Web", L"http://example.org/", 5, L"");
    // Text that merely contains the scheme is no address: the default handler would run it.
    actions.Run(L"Web", L"C:\\x.exe --u=http://a", 5, L"");
    actions.Run(L"Web", L"file:///C:/x.exe?http://", 5, L"");
    EXPECT_EQ(rec.started.size(), 3u);
    ASSERT_EQ(rec.opened.size(), 1u);
    EXPECT_EQ(rec.opened[0], L"http://example.org/");

    // A stored target with a quote would smuggle arguments into a command line: nothing starts,
    // whichever way it would have started.
    const wchar_t* injected = L"C:\\a b.exe\" -evil \"x";
    for (const wchar_t* label : {L"Game", L"DVD player", L"Karaoke", kWaitedPlayerLabel}) {
        actions.Run(label, injected, 5, L"D:\\ ");
    }
    rec.browserInstalled = true;
    actions.Run(L"Web", L"http://a/\" -evil \"x", 5, L"");
    EXPECT_EQ(rec.started.size(), 3u);
    EXPECT_EQ(rec.opened.size(), 1u);

    // A plain start of any other label schedules no window wait.
    actions.Run(L"Game", L"C:\\g.exe", 5, L"D:\\ ");
    EXPECT_EQ(rec.started.back(), PlainProgramStart(L"C:\\g.exe"));
    EXPECT_TRUE(rec.scheduled.empty());
}

TEST(WindowWait, FindsANewWindowThenKeepsItMaximisedWithoutBlocking) {
    HWND oldWindow = reinterpret_cast<HWND>(0x10);
    HWND newWindow = reinterpret_cast<HWND>(0x20);
    int appearsAfter = 5;
    int searches = 0;
    std::vector<HWND> excluded;
    std::vector<HWND> placed;
    WindowWait::Ports ports;
    ports.find = [&](const std::wstring& title, HWND exclude) -> HWND {
        EXPECT_EQ(title, kWaitedPlayerLabel);
        excluded.push_back(exclude);
        if (++searches < appearsAfter) return exclude == oldWindow ? nullptr : oldWindow;
        return newWindow;
    };
    ports.place = [&](HWND w) { placed.push_back(w); };

    Recorder rec;
    LaunchActions actions(rec.Ports(), ports);
    actions.Run(kWaitedPlayerLabel, L"C:\\player.exe", 6, L"");
    ASSERT_EQ(rec.scheduled.size(), 1u);
    // The first search finds the old window, which is remembered; the second run skips it.
    unsigned delay = rec.scheduled[0]();
    EXPECT_EQ(delay, WindowWait::kSearchPeriodMs + WindowWait::kPlacementPeriodMs);
    EXPECT_EQ(actions.windowWait().lastLaunchedWindow(), oldWindow);
    while (delay) delay = rec.scheduled[0]();
    EXPECT_EQ(placed.size(), static_cast<std::size_t>(WindowWait::kPlacements));

    actions.Run(kWaitedPlayerLabel, L"C:\\player.exe", 6, L"");
    ASSERT_EQ(rec.scheduled.size(), 2u);
    placed.clear();
    do {
        delay = rec.scheduled[1]();
    } while (delay == WindowWait::kSearchPeriodMs);
    EXPECT_EQ(excluded.back(), oldWindow);
    EXPECT_EQ(actions.windowWait().lastLaunchedWindow(), newWindow);
    while (delay) delay = rec.scheduled[1]();
    ASSERT_EQ(placed.size(), 50u);
    EXPECT_EQ(placed.front(), newWindow);

    // Never found: 1000 tries, then the wait ends with no window and places nothing.
    ports.find = [](const std::wstring&, HWND) -> HWND { return nullptr; };
    WindowWait never(ports);
    never.Start(kWaitedPlayerLabel);
    int tries = 0;
    placed.clear();
    while (never.Step()) ++tries;
    EXPECT_EQ(tries + 1, WindowWait::kSearchTries);
    EXPECT_EQ(never.lastLaunchedWindow(), nullptr);
    EXPECT_FALSE(never.running());
    EXPECT_TRUE(placed.empty());

    // An empty target waits for nothing.
    actions.Run(kWaitedPlayerLabel, L"", 6, L"");
    EXPECT_EQ(rec.scheduled.size(), 2u);
}

TEST(WindowWait, APendingStepGoesWithItsOwner) {
    Recorder rec;
    std::uintptr_t owner = 0;
    {
        LaunchActions actions(rec.Ports(), {});
        owner = reinterpret_cast<std::uintptr_t>(&actions);
    }
    EXPECT_EQ(rec.cancelled, std::vector<std::uintptr_t>{owner});
}

}  // namespace
}  // namespace tessaly
