#include "support/test_files.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace fs = std::filesystem;

namespace {

// Test cases may run in parallel processes, so each process writes into a folder of its own and
// removes it when it ends.
struct RunFolderOwner {
    RunFolderOwner() {
        path = fs::temp_directory_path() / ("tesselon-tests-" + std::to_string(std::random_device{}()));
        fs::create_directories(path);
    }
    ~RunFolderOwner() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    fs::path path;
};

const fs::path& RunFolder() {
    static const RunFolderOwner folder;
    return folder.path;
}

fs::path PathOf(const std::string& name) { return RunFolder() / fs::u8path(name); }

// The path as the program's wide strings hold it: UTF-16 on Windows, UTF-32 decoded from the
// UTF-8 bytes elsewhere (the library's own conversion depends on the locale there).
std::wstring Wide(const fs::path& path) {
#ifdef _WIN32
    return path.wstring();
#else
    const std::string bytes = path.string();
    std::wstring wide;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
        char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra && i + k < bytes.size(); ++k) c = c << 6 | (bytes[i + k] & 0x3F);
        wide += static_cast<wchar_t>(c);
        i += 1 + extra;
    }
    return wide;
#endif
}

}  // namespace

std::wstring WriteTestFile(const std::string& name, const std::vector<unsigned char>& bytes) {
    const fs::path path = PathOf(name);
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return Wide(path);
}

std::wstring WriteTestFile(const std::string& name, const std::string& text) {
    return WriteTestFile(name, std::vector<unsigned char>(text.begin(), text.end()));
}

std::wstring MissingTestFile(const std::string& name) {
    const fs::path path = PathOf(name);
    fs::remove(path);
    return Wide(path);
}

std::wstring MakeTestFolder(const std::string& name) {
    const fs::path path = PathOf(name);
    fs::remove_all(path);
    fs::create_directories(path);
    return Wide(path);
}

std::vector<unsigned char> ReadTestFile(const std::string& name) {
    std::ifstream in(PathOf(name), std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> TestFolderContents(const std::string& name) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(PathOf(name))) {
        names.push_back(entry.path().filename().u8string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool TestPathExists(const std::string& name) {
    std::error_code error;
    return fs::exists(fs::symlink_status(PathOf(name), error));
}

std::wstring TestDataFile(const std::string& name) {
    const fs::path path = fs::u8path(TESSELON_TESTDATA) / fs::u8path(name);
    std::error_code error;
    return fs::exists(path, error) ? Wide(path) : std::wstring();
}
