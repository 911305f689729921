#include "platform/data_folder.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/folder.h"
#include "platform/path.h"
#include "support/test_files.h"
#include "ui/data_folder.h"

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

namespace {

// Sets or unsets an environment variable for the rest of a scope.
struct ScopedVariable {
    ScopedVariable(const char* variable, const char* value) : name(variable) {
        const char* old = std::getenv(name);
        hadValue = old != nullptr;
        if (hadValue) oldValue = old;
        Set(value);
    }
    ~ScopedVariable() { Set(hadValue ? oldValue.c_str() : nullptr); }
    void Set(const char* value) {
        if (value != nullptr) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    const char* name;
    bool hadValue = false;
    std::string oldValue;
};

std::wstring Folder() {
    wchar_t folder[kPathCapacity] = L"stale";
    if (!AppDataFolder(folder)) {
        EXPECT_STREQ(folder, L"");  // a failure leaves no stale path behind
    }
    return folder;
}

}  // namespace

TEST(AppDataFolder, FollowsXdgDataHomeAndElseTheHomeFolder) {
    const std::wstring data = MakeTestFolder("xdg data \xc3\xa9");
    const std::wstring home = MakeTestFolder("home");
    const ScopedVariable homeVariable("HOME", ToUtf8(home.c_str()).c_str());
    {
        const ScopedVariable xdg("XDG_DATA_HOME", (ToUtf8(data.c_str()) + "/").c_str());
        EXPECT_EQ(Folder(), data);  // without the separator at the end
    }
    // Unset, empty, relative or malformed: the variable does not count.
    for (const char* ignored : {static_cast<const char*>(nullptr), "", "relative/data", "/bad\xff"}) {
        const ScopedVariable xdg("XDG_DATA_HOME", ignored);
        EXPECT_EQ(Folder(), home + L"/.local/share");
    }
    const ScopedVariable xdg("XDG_DATA_HOME", nullptr);
    const ScopedVariable noHome("HOME", nullptr);
    EXPECT_EQ(Folder(), L"");
}

TEST(AppDataFolder, StartUpMakesTheDataFolderWhereXdgDataHomePoints) {
    const std::wstring data = MakeTestFolder("xdg");
    const ScopedVariable xdg("XDG_DATA_HOME", ToUtf8(data.c_str()).c_str());
    wchar_t folder[kPathCapacity];
    ASSERT_TRUE(PrepareDataFolder(folder));
    EXPECT_EQ(std::wstring(folder), data + L"/Orvandine/Tesselon");
    EXPECT_TRUE(IsFolder(folder));
}

#endif
