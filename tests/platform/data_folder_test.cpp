#include "platform/data_folder.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/folder.h"
#include "platform/path.h"

#ifdef _WIN32

TEST(AppDataFolder, IsTheUsersExistingFolder) {
    // Only read: the tests never create anything in the user's own folder.
    wchar_t folder[kPathCapacity];
    ASSERT_TRUE(AppDataFolder(folder));
    EXPECT_TRUE(IsFolder(folder));
}

#else

#include <cstdlib>

#include "platform/posix/utf8_path.h"
#include "support/test_files.h"
#include "ui/data_folder.h"

namespace {

// Sets an environment variable, or unsets it for null, and puts it back as it was at the end of
// the scope.
struct ScopedVariable {
    ScopedVariable(const char* variable, const char* value)
        : name(variable), had(std::getenv(name) != nullptr), old(had ? std::getenv(name) : "") {
        Set(value);
    }
    ~ScopedVariable() { Set(had ? old.c_str() : nullptr); }
    void Set(const char* value) const { value != nullptr ? setenv(name, value, 1) : unsetenv(name); }
    const char* name;
    bool had;
    std::string old;
};

}  // namespace

// The variables point into the test run's folder: the user's own data folder is never touched.
TEST(AppDataFolder, FollowsXdgDataHomeAndElseTheHomeFolder) {
    const std::wstring data = MakeTestFolder("xdg data \xc3\xa9");
    const std::wstring home = MakeTestFolder("home");
    const ScopedVariable homeVariable("HOME", ToUtf8(home.c_str()).c_str());
    const ScopedVariable xdg("XDG_DATA_HOME", (ToUtf8(data.c_str()) + "/").c_str());
    wchar_t folder[kPathCapacity];
    ASSERT_TRUE(PrepareDataFolder(folder));  // the separator at the end is not doubled
    EXPECT_EQ(folder, data + L"/Orvandine/Tesselon");
    EXPECT_TRUE(IsFolder(folder));
    // Unset, empty, relative or malformed, the variable does not count.
    for (const char* ignored : {"", "relative/data", "/bad\xff", static_cast<const char*>(nullptr)}) {
        SCOPED_TRACE(ignored == nullptr ? "unset" : ignored);
        xdg.Set(ignored);
        AppDataFolder(folder);
        EXPECT_EQ(folder, home + L"/.local/share");
    }
    homeVariable.Set(nullptr);
    EXPECT_FALSE(AppDataFolder(folder));
    EXPECT_STREQ(folder, L"");  // no stale path left behind
}

#endif
