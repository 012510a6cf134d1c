#pragma once
// What activating a page entry does: start a program, open a web address, hand a marker back to
// the page or close it. The decision and the command lines are plain code; the process start,
// the audio lines and the window search sit behind ports so tests can record them.
#include <windows.h>

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace tessaly {

// What a page does for a marker target (also the number message 1035 carries).
enum PageCommandId : int {
    kBrowseByTileKind = 0,    // the page's browser, in the mode the tile's kind asks for
    kChooseRemovableDisk = 1,
    kBrowseVideos = 2,
    kBrowsePicturesCommand = 3,
};

// Compares ignoring the case of A-Z only (other letters must match exactly).
bool EqualsIgnoringAsciiCase(std::wstring_view a, std::wstring_view b);

enum class LaunchAction {
    ClosePage,     // "return"
    PageCommand,   // a marker: the page runs command `pageCommand`
    OpenAddress,   // contains "http://" (only one that begins with it reaches the default handler)
    KaraokeStart,  // label "Karaoke": prepare the audio lines, then the disc-list start
    DiscStart,     // label begins with "DVD"
    PlainStart,
};

struct LaunchDecision {
    LaunchAction action = LaunchAction::PlainStart;
    int pageCommand = kBrowseByTileKind;  // for PageCommand
    bool passesKind = false;    // the page command carries the tile's kind (command 3 carries 0)
};

// The first matching test in a fixed order decides.
LaunchDecision DecideLaunch(std::wstring_view label, std::wstring_view target);

// One CreateProcessW call, as the launch steps fill it in.
struct ProcessRequest {
    std::wstring application;  // empty: the command line's first token names the program
    std::wstring commandLine;  // empty: none
    bool inheritHandles = false;
    bool processSecurity = false;  // pass the non-inheritable process security record
    bool operator==(const ProcessRequest&) const = default;
};

// A path as the first token of a command line: quoted when it holds a blank or a tab.
std::wstring CommandLineToken(std::wstring_view path);

// The target with the CD/DVD roots appended, or the target alone when there are none.
ProcessRequest DiscListStart(std::wstring_view target, std::wstring_view cdromDrives);
ProcessRequest PlainProgramStart(std::wstring_view target);

// "<drive>\Program Files\Internet Explorer\IEXPLORE.EXE"; a drive longer than two units is
// left out (the path is then resolved against the current drive).
std::wstring InternetBrowserPath(std::wstring_view systemDrive);
// The browser started with its own quoted path, a blank, then the address.
ProcessRequest AddressStart(std::wstring_view browserPath, std::wstring_view address);
// Begins with http:// or https:// (any case): what the default handler may be given.
bool IsWebAddress(std::wstring_view text);

// Audio lines for karaoke, in the order they are applied.
struct LineSetting {
    int level, line, direction, mute;
};
constexpr std::array<LineSetting, 5> kKaraokeLines{{
    {70, 1, 1, 0}, {70, 2, 1, 0}, {75, 0, 0, 0}, {75, 4, 0, 0}, {75, 4, 0, 0}}};

// The one program whose window is kept maximised while it starts.
inline constexpr wchar_t kWaitedPlayerLabel[] = L"PPS\u5F71\u97F3";

// Finds the started player's window and keeps it maximised for a while, one step per timer
// tick instead of sleeping, so the message loop and the keyboard hook keep running.
class WindowWait {
public:
    static constexpr int kSearchTries = 1000;
    static constexpr unsigned kSearchPeriodMs = 10;
    static constexpr int kPlacements = 50;
    static constexpr unsigned kPlacementPeriodMs = 50;

    struct Ports {
        // A top-level window titled exactly `title` other than `exclude`, or null.
        std::function<HWND(const std::wstring& title, HWND exclude)> find;
        // Maximises the window through its placement record.
        std::function<void(HWND)> place;
    };

    explicit WindowWait(Ports ports) : ports_(std::move(ports)) {}

    // Begins a new search (an unfinished one is dropped).
    void Start(std::wstring title);
    // One step; returns the delay before the next one, 0 when the wait is over.
    unsigned Step();
    bool running() const { return phase_ != Phase::kIdle; }
    HWND lastLaunchedWindow() const { return last_; }

private:
    enum class Phase { kIdle, kSearching, kPlacing };
    Ports ports_;
    Phase phase_ = Phase::kIdle;
    std::wstring title_;
    int count_ = 0;
    HWND last_ = nullptr;
};

// The outside world of the launch steps.
struct LaunchPorts {
    std::function<bool(const ProcessRequest&)> startProcess;
    std::function<bool(const std::wstring& address)> openWithDefaultHandler;
    std::function<bool(const std::wstring& path)> fileExists;
    std::function<std::wstring()> systemDrive;
    std::function<void(const LineSetting&)> setLine;
    // Runs the wait's steps for `owner`: call `step` after `delayMs` and again after each delay
    // it returns (a new schedule replaces the old one).
    std::function<void(const void* owner, unsigned delayMs, std::function<unsigned()> step)> schedule;
    // Drops what `owner` scheduled, if it is still pending.
    std::function<void(const void* owner)> cancelSchedule;
};

// What the tile's owner does after the launch step.
struct LaunchOutcome {
    enum Kind { kNothing, kClosePage, kPageCommand } kind = kNothing;
    int command = 0;
    LPARAM param = 0;
};

class LaunchActions {
public:
    LaunchActions(LaunchPorts ports, WindowWait::Ports windowPorts);
    // The scheduled wait refers to this object: it is cancelled when the object goes.
    ~LaunchActions();
    LaunchActions(const LaunchActions&) = delete;
    LaunchActions& operator=(const LaunchActions&) = delete;

    // Carries out an entry of a page (not a select-dialog entry).
    LaunchOutcome Run(std::wstring_view label, std::wstring_view target, int kind,
                      std::wstring_view cdromDrives);

    const WindowWait& windowWait() const { return wait_; }

private:
    void OpenAddress(std::wstring_view address);
    void Start(const ProcessRequest& request);

    LaunchPorts ports_;
    WindowWait wait_;
};

}  // namespace tessaly
