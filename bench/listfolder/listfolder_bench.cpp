// listfolder_bench [runs]: FolderScanner::ListFolder on a folder of 10,000 matching files and
// 1,000 sub-folders, against a bare FindFirstFileW/FindNextFileW loop that probes every
// sub-folder the same way. Prints the medians and their ratio.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "launcher/system/folder_scanner.h"
#include "win32/handles.h"

#include "bench/clock.h"

namespace {

constexpr int kFiles = 10000;
constexpr int kFolders = 1000;

using bench::Now;

std::wstring MakeTree() {
    wchar_t temp[MAX_PATH + 1];
    ::GetTempPathW(MAX_PATH + 1, temp);
    const std::wstring root = std::wstring(temp) + L"tessaly-bench-listfolder-" +
                              std::to_wstring(::GetCurrentProcessId()) + L"\\";
    ::CreateDirectoryW(root.c_str(), nullptr);
    wchar_t name[32];
    for (int i = 0; i < kFiles; ++i) {
        std::swprintf(name, 32, L"clip%05d.avi", i);
        win32::Handle f(::CreateFileW((root + name).c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    }
    for (int i = 0; i < kFolders; ++i) {
        std::swprintf(name, 32, L"folder%04d", i);
        ::CreateDirectoryW((root + name).c_str(), nullptr);
    }
    return root;
}

void RemoveTree(const std::wstring& root) {
    WIN32_FIND_DATAW d;
    {
        win32::FindHandle find(::FindFirstFileW((root + L"*").c_str(), &d));
        if (find) {
            do {
                const std::wstring path = root + d.cFileName;
                if (!(d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                    ::DeleteFileW(path.c_str());
                } else if (std::wcscmp(d.cFileName, L".") && std::wcscmp(d.cFileName, L"..")) {
                    ::RemoveDirectoryW(path.c_str());
                }
            } while (::FindNextFileW(find.get(), &d));
        }
    }
    ::RemoveDirectoryW(root.c_str());
}

// The floor: enumerate and probe, keep nothing.
int BareEnumeration(const std::wstring& root) {
    int seen = 0;
    WIN32_FIND_DATAW d;
    win32::FindHandle find(::FindFirstFileW((root + L"*").c_str(), &d));
    if (!find) return 0;
    do {
        if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (!std::wcscmp(d.cFileName, L".") || !std::wcscmp(d.cFileName, L"..")) continue;
            WIN32_FIND_DATAW inner;
            win32::FindHandle probe(
                ::FindFirstFileW((root + d.cFileName + L"\\*").c_str(), &inner));
            if (probe) ++seen;
        } else {
            ++seen;
        }
    } while (::FindNextFileW(find.get(), &d));
    return seen;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = std::max(5, argc > 1 ? std::atoi(argv[1]) : 9);
    std::wprintf(L"creating %d files and %d folders...\n", kFiles, kFolders);
    const std::wstring root = MakeTree();

    tessaly::FolderScanner scanner;  // Video set: every clip matches
    BareEnumeration(root);           // warm the caches of both
    scanner.ListFolder(root);

    std::vector<double> bare, listed;
    int bareCount = 0;
    for (int i = 0; i < runs; ++i) {
        double t = Now();
        bareCount = BareEnumeration(root);
        bare.push_back(Now() - t);
        t = Now();
        scanner.ListFolder(root);
        listed.push_back(Now() - t);
    }
    const int listedCount = scanner.FileCount() + scanner.FolderCount();
    RemoveTree(root);

    const double bareMs = Median(bare), listedMs = Median(listed);
    std::wprintf(L"entries: bare %d, listed %d files + %d folders\n", bareCount,
                 scanner.FileCount(), scanner.FolderCount());
    std::wprintf(L"median of %d runs: bare enumeration %.1f ms, ListFolder %.1f ms\n", runs,
                 bareMs, listedMs);
    std::wprintf(L"ratio ListFolder / bare: %.2f\n", listedMs / bareMs);
    return listedCount == kFiles + kFolders ? 0 : 1;
}
