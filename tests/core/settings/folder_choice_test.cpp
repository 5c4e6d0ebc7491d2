#include "settings/folder_choice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/mounts.h"
#include "support/temp_folder.h"

namespace rk {
namespace {

TEST(Mounts, MountPointsAreTheFifthFieldWithEscapesDecoded) {
    const char* text =
        "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
        "35 22 0:30 / /media/USB\\040STICK rw - vfat /dev/sdb1 rw\n"
        "36 22 0:31 / /srv/back\\134slash rw - tmpfs tmpfs rw\n"
        "short line\n";
    auto m = parseMountInfo(text);
    ASSERT_EQ(m.size(), 3u);
    EXPECT_EQ(m[0], fs::path("/"));
    EXPECT_EQ(m[1], fs::path("/media/USB STICK"));
    EXPECT_EQ(m[2], fs::path("/srv/back\\slash"));
}

TEST(FolderChoice, AFolderListsItselfThenItsSubFoldersAndAFileNameItsFolder) {
    test::TempFolder dir;
    const fs::path root = dir.path();
    fs::create_directories(root / "b");
    fs::create_directories(root / "a");
    std::ofstream(root / "F7db2026.FT2") << "x";

    const std::string base = root.string() + "/";
    const std::vector<std::string> expected{base, base + "a/", base + "b/"};
    EXPECT_EQ(settings::folderChoices(root.string()), expected);
    EXPECT_EQ(settings::folderChoices(base + "   "), expected);
    EXPECT_EQ(settings::folderChoices(base + "F7db2026.FT2"), expected);
    // Backslashes of older settings read as separators.
    std::string backslashed = base;
    for (char& c : backslashed)
        if (c == '/') c = '\\';
    EXPECT_EQ(settings::folderChoices(backslashed), expected);
}

TEST(FolderChoice, AnEmptyTextListsTheMountedFileSystemsWithRoom) {
    auto choices = settings::folderChoices("");
    ASSERT_FALSE(choices.empty());  // the root file system at least
    for (const std::string& c : choices) {
        EXPECT_EQ(c.back(), '/');
        EXPECT_GT(freeSpace(c), 99u * 1024);
    }
}

}  // namespace
}  // namespace rk
