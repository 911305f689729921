#include "support/test_files.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#ifndef _WIN32
#include "platform/posix/utf8_path.h"
#endif

namespace fs = std::filesystem;

namespace {

// Test cases may run in parallel processes, so each process writes into a folder of its own and
// removes it when it ends.
struct RunFolder {
    RunFolder() : path(fs::temp_directory_path() / ("tesselon-tests-" + std::to_string(std::random_device{}()))) {
        fs::create_directories(path);
    }
    ~RunFolder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    const fs::path path;
};

fs::path PathOf(const std::string& name) {
    static const RunFolder folder;
    return folder.path / fs::u8path(name);
}

// The path as the program's wide strings hold it: UTF-16 on Windows, UTF-32 elsewhere, decoded
// from the UTF-8 bytes by the program's own rule (the library's conversion depends on the locale).
std::wstring Wide(const fs::path& path) {
#ifdef _WIN32
    return path.wstring();
#else
    std::wstring wide;
    FromUtf8(path.string().c_str(), &wide);
    return wide;
#endif
}

}  // namespace

std::wstring WriteTestFile(const std::string& name, const std::vector<unsigned char>& bytes) {
    const fs::path path = PathOf(name);
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return Wide(path);
}

std::wstring WriteTestFile(const std::string& name, const std::string& text) {
    return WriteTestFile(name, std::vector<unsigned char>(text.begin(), text.end()));
}

std::wstring MissingTestFile(const std::string& name) {
    fs::remove(PathOf(name));
    return Wide(PathOf(name));
}

std::wstring MakeTestFolder(const std::string& name) {
    fs::remove_all(PathOf(name));
    fs::create_directories(PathOf(name));
    return Wide(PathOf(name));
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

std::wstring TestDataFile(const std::string& name) {
    const fs::path path = fs::u8path(TESSELON_TESTDATA) / fs::u8path(name);
    std::error_code error;
    return fs::exists(path, error) ? Wide(path) : std::wstring();
}
