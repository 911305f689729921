#include "progress/progress_folder.h"

#include <algorithm>
#include <cwchar>
#include <string>
#include <utility>
#include <vector>

#include "platform/file_identity.h"
#include "platform/folder.h"
#include "platform/replace_file.h"
#include "progress/progress_file.h"
#include "ui/utf16.h"

wchar_t g_progressFolder[kPathCapacity] = {};

namespace {

constexpr wchar_t kPrefix[] = L"puzzle-";
constexpr wchar_t kSuffix[] = L".txt";

bool InFolder(const wchar_t* name, wchar_t* path) { return NameInFolder(path, g_progressFolder, name); }

bool IsPuzzleFile(const std::wstring& name) {
    const std::size_t prefix = std::wcslen(kPrefix);
    const std::size_t suffix = std::wcslen(kSuffix);
    return name.size() > prefix + suffix && name.compare(0, prefix, kPrefix) == 0 &&
           name.compare(name.size() - suffix, suffix, kSuffix) == 0;
}

// Puzzle files, newest first.
std::vector<std::pair<std::int64_t, std::wstring>> PuzzleFiles() {
    std::vector<std::wstring> names;
    std::vector<std::pair<std::int64_t, std::wstring>> files;
    if (g_progressFolder[0] == L'\0' || !ListFiles(g_progressFolder, &names)) return files;
    for (const std::wstring& name : names) {
        wchar_t path[kPathCapacity];
        FileIdentity identity;
        if (IsPuzzleFile(name) && InFolder(name.c_str(), path) && ReadFileIdentity(path, &identity)) {
            files.emplace_back(identity.lastWrite, path);
        }
    }
    std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    return files;
}

}  // namespace

bool NameProgressFolder(const wchar_t* dataFolder) {
    if (NameInFolder(g_progressFolder, dataFolder, L"Puzzles in progress") && EnsureFolder(g_progressFolder)) {
        return true;
    }
    g_progressFolder[0] = L'\0';
    return false;
}

bool ProgressFilePath(const wchar_t* picturePath, std::int32_t cellSize, wchar_t* path) {
    // FNV-1a over the UTF-16 code units, so a path names the same file on every host.
    std::uint64_t hash = 0xCBF29CE484222325u;
    for (const wchar_t* at = picturePath; *at != L'\0'; ++at) {
        char16_t units[2];
        const int count = ToUtf16(*at, units);
        for (int i = 0; i < count; ++i) hash = (hash ^ units[i]) * 0x100000001B3u;
    }
    std::wstring name = kPrefix;
    for (int shift = 60; shift >= 0; shift -= 4) name += L"0123456789abcdef"[(hash >> shift) & 15];
    name += L'-' + std::to_wstring(cellSize) + kSuffix;
    return InFolder(name.c_str(), path);
}

bool StoreProgress(const PuzzleRecord& record) {
    wchar_t path[kPathCapacity];
    if (!ProgressFilePath(record.picturePath, record.cellSize, path) || !WriteProgressFile(path, record)) return false;
    // The file just written is kept whatever its time says: a coarse clock can give several files
    // the same time.
    std::size_t kept = 1;
    for (const auto& file : PuzzleFiles()) {
        if (file.second == path) continue;
        if (kept < kKeptPuzzles) {
            ++kept;
        } else {
            RemoveFile(file.second.c_str());
        }
    }
    return true;
}

bool NewestProgressFile(wchar_t* path) {
    const auto files = PuzzleFiles();
    return !files.empty() && CopyPath(path, files.front().second.c_str());
}
