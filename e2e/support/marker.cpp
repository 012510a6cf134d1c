// A stand-in program for the launch scenarios: it writes the arguments it received, split as
// a program's start-up code splits them, one a line in UTF-8, into marker.txt beside itself and
// ends, so a scenario can tell that and how it was started.
#include <windows.h>
#include <shellapi.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wchar_t self[MAX_PATH + 1] = {};
    DWORD n = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return 1;
    std::wstring path(self, n);
    path = path.substr(0, path.find_last_of(L'\\') + 1) + L"marker.txt";
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    int count = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::string text;
    for (int i = 0; argv && i < count; ++i) {
        char utf8[4 * MAX_PATH] = {};
        const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, utf8, sizeof utf8, nullptr, nullptr);
        if (bytes > 0) text += std::string(utf8, static_cast<std::size_t>(bytes - 1)) + "\n";
    }
    ::LocalFree(argv);
    DWORD written = 0;
    ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(file);
    return 0;
}
