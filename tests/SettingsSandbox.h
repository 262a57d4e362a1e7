#pragma once
// Points the per-user settings store at a private temporary folder before anything reads it,
// so that tests never read or write the real store. Include it in a test program's sources.

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include <unistd.h>

namespace qg_test {

struct SettingsSandbox {
    std::string folder;

    SettingsSandbox()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "quillgrid-settings-XXXXXX").string();
        if (const char* made = mkdtemp(pattern.data())) folder = made;
        setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    }
    ~SettingsSandbox()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};

// Made before main(), hence before the first use of the store.
inline SettingsSandbox settingsSandbox;

}  // namespace qg_test
