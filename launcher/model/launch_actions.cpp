#include "launcher/model/launch_actions.h"

#include <utility>
#include <vector>

#include "win32/handles.h"
#include "win32/scale.h"

namespace tessaly {

namespace {

wchar_t AsciiLower(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool StartsWithExact(std::wstring_view s, std::wstring_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

bool StartsWithIgnoringAsciiCase(std::wstring_view s, std::wstring_view prefix) {
    return s.size() >= prefix.size() && EqualsIgnoringAsciiCase(s.substr(0, prefix.size()), prefix);
}

}  // namespace

bool EqualsIgnoringAsciiCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    }
    return true;
}

LaunchDecision DecideLaunch(std::wstring_view label, std::wstring_view target) {
    if (EqualsIgnoringAsciiCase(target, L"return")) return {LaunchAction::ClosePage};
    if (EqualsIgnoringAsciiCase(target, L"XXXXXXXER_A")) return {LaunchAction::PageCommand, kBrowseByTileKind, true};
    if (EqualsIgnoringAsciiCase(target, L"XXXAXXXXER_A_CDROM")) return {LaunchAction::PageCommand, kBrowseVideos, true};
    if (EqualsIgnoringAsciiCase(target, L"XXXXXXXER_A_REMOVE")) return {LaunchAction::PageCommand, kChooseRemovableDisk, true};
    if (target.find(L"http://") != std::wstring_view::npos) return {LaunchAction::OpenAddress};
    if (EqualsIgnoringAsciiCase(target, L"XXX_XX_XX_XXOPEN")) return {LaunchAction::PageCommand, kBrowsePicturesCommand, false};
    if (EqualsIgnoringAsciiCase(label, L"Karaoke")) return {LaunchAction::KaraokeStart};
    if (StartsWithExact(label, L"DVD")) return {LaunchAction::DiscStart};
    return {LaunchAction::PlainStart};
}

std::wstring CommandLineToken(std::wstring_view path) {
    if (path.find_first_of(L" \t") == std::wstring_view::npos) return std::wstring(path);
    std::wstring quoted = L"\"";
    quoted += path;
    quoted += L'"';
    return quoted;
}

ProcessRequest DiscListStart(std::wstring_view target, std::wstring_view cdromDrives) {
    if (cdromDrives.empty()) return PlainProgramStart(target);
    ProcessRequest r;
    r.commandLine = CommandLineToken(target) + L" " + std::wstring(cdromDrives);
    r.inheritHandles = true;
    r.processSecurity = true;
    return r;
}

ProcessRequest PlainProgramStart(std::wstring_view target) {
    ProcessRequest r;
    r.application = std::wstring(target);
    // Without a command line the program is handed its path unquoted, and a path with a blank
    // reaches it as two arguments.
    r.commandLine = CommandLineToken(target);
    r.inheritHandles = true;
    r.processSecurity = true;
    return r;
}

std::wstring InternetBrowserPath(std::wstring_view systemDrive) {
    std::wstring path = systemDrive.size() <= 2 ? std::wstring(systemDrive) : std::wstring();
    return path + L"\\Program Files\\Internet Explorer\\IEXPLORE.EXE";
}

ProcessRequest AddressStart(std::wstring_view browserPath, std::wstring_view address) {
    ProcessRequest r;
    r.application = std::wstring(browserPath);
    // A program skips the first token of its command line as its own name: the browser's quoted
    // path goes first, or the address would be taken for it and the home page would open.
    r.commandLine = L"\"" + std::wstring(browserPath) + L"\" " + CommandLineToken(address);
    return r;
}

bool IsWebAddress(std::wstring_view text) {
    return StartsWithIgnoringAsciiCase(text, L"http://") || StartsWithIgnoringAsciiCase(text, L"https://");
}

// ---- WindowWait ----

void WindowWait::Start(std::wstring title) {
    title_ = std::move(title);
    phase_ = Phase::kSearching;
    count_ = 0;
}

unsigned WindowWait::Step() {
    switch (phase_) {
        case Phase::kIdle:
            return 0;
        case Phase::kSearching: {
            HWND found = ports_.find ? ports_.find(title_, last_) : nullptr;
            if (!found && ++count_ < kSearchTries) return kSearchPeriodMs;
            last_ = found;
            if (!found) {
                // Placing nothing would change nothing: end here.
                phase_ = Phase::kIdle;
                return 0;
            }
            phase_ = Phase::kPlacing;
            count_ = 0;
            return kSearchPeriodMs + kPlacementPeriodMs;
        }
        case Phase::kPlacing:
            if (ports_.place) ports_.place(last_);
            if (++count_ < kPlacements) return kPlacementPeriodMs;
            phase_ = Phase::kIdle;
            return 0;
    }
    return 0;
}

// ---- LaunchActions ----

LaunchActions::LaunchActions(LaunchPorts ports, WindowWait::Ports windowPorts)
    : ports_(std::move(ports)), wait_(std::move(windowPorts)) {}

void LaunchActions::Start(const ProcessRequest& request) {
    if (ports_.startProcess) ports_.startProcess(request);
}

void LaunchActions::OpenAddress(std::wstring_view address) {
    std::wstring browser = InternetBrowserPath(ports_.systemDrive ? ports_.systemDrive() : std::wstring());
    if (ports_.fileExists && ports_.fileExists(browser)) {
        Start(AddressStart(browser, address));
    } else if (ports_.openWithDefaultHandler && IsWebAddress(address)) {
        // The default handler runs whatever the text names (a local program through file:///):
        // only a real web address goes there.
        ports_.openWithDefaultHandler(std::wstring(address));
    }
}

LaunchActions::~LaunchActions() {
    if (ports_.cancelSchedule) ports_.cancelSchedule(this);
}

LaunchOutcome LaunchActions::Run(std::wstring_view label, std::wstring_view target, int kind,
                                 std::wstring_view cdromDrives) {
    LaunchDecision d = DecideLaunch(label, target);
    // No file name holds a quote: a stored target with one would carry extra arguments into the
    // command line built from it. It starts nothing, like a program that is gone.
    const bool starts = d.action != LaunchAction::ClosePage && d.action != LaunchAction::PageCommand;
    if (starts && target.find(L'"') != std::wstring_view::npos) return {};
    switch (d.action) {
        case LaunchAction::ClosePage:
            return {LaunchOutcome::kClosePage};
        case LaunchAction::PageCommand:
            return {LaunchOutcome::kPageCommand, d.pageCommand, d.passesKind ? kind : 0};
        case LaunchAction::OpenAddress:
            OpenAddress(target);
            return {};
        case LaunchAction::KaraokeStart:
            if (ports_.setLine) {
                for (const LineSetting& s : kKaraokeLines) ports_.setLine(s);
            }
            Start(DiscListStart(target, cdromDrives));
            return {};
        case LaunchAction::DiscStart:
            Start(DiscListStart(target, cdromDrives));
            return {};
        case LaunchAction::PlainStart:
            Start(PlainProgramStart(target));
            if (label == kWaitedPlayerLabel && !target.empty()) {
                wait_.Start(std::wstring(label));
                if (ports_.schedule) ports_.schedule(this, 0, [this] { return wait_.Step(); });
            }
            return {};
    }
    return {};
}

}  // namespace tessaly
