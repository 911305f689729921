#pragma once

#include <string>
#include <vector>

// Writes `bytes` to a file of this name in a folder of the test run's own and returns its path.
// A name with folders in it ("best.fits/photo.jpg") makes them.
std::wstring WriteTestFile(const std::string& name, const std::vector<unsigned char>& bytes);
std::wstring WriteTestFile(const std::string& name, const std::string& text);

// A path in the test run's folder where no file exists.
std::wstring MissingTestFile(const std::string& name);

// A fresh, empty folder of this name in the test run's folder; whatever was there is removed.
std::wstring MakeTestFolder(const std::string& name);

// The bytes of a file in the test run's folder; empty when there is none.
std::vector<unsigned char> ReadTestFile(const std::string& name);

// The names in a folder of the test run's folder, sorted.
std::vector<std::string> TestFolderContents(const std::string& name);

// The path of a file in the shared test corpus, or an empty string when the corpus is absent
// (a clone without ../shared).
std::wstring TestDataFile(const std::string& name);

// Skips the current test, saying why, when the shared test corpus is not beside the repository.
#define SKIP_WITHOUT_TESTDATA()                                                          \
    do {                                                                                 \
        if (TestDataFile("MANIFEST.md").empty())                                         \
            GTEST_SKIP() << "the shared test corpus (../shared/testdata) is not present"; \
    } while (0)
