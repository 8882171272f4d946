// The system's folder work behind the default data: a whole tree copied into
// a new folder, deleted again, and working folders made twice over.
#include <gtest/gtest.h>

#include "app/system/folder_platform.h"
#include "files/default_data.h"
#include "tests/support/test_dir.h"

namespace {

// Answers the question without showing it.
class AnsweringPlatform : public cWin32FolderPlatform {
public:
    explicit AnsweringPlatform(bool yes) : cWin32FolderPlatform(nullptr), m_bYes(yes) {}
    bool AskYesNo(const char*, const char*) override { return m_bYes; }

private:
    bool m_bYes;
};

} // namespace

TEST(FolderPlatformTest, DefaultDataTreeIsCopiedWholeIntoData)
{
    ScopedTestDir dir;
    ASSERT_TRUE(CreateDirectoryA("default", nullptr));
    ASSERT_TRUE(CreateDirectoryA("default\\database", nullptr));
    ASSERT_TRUE(WriteFileText("default\\System.dat", "sys"));
    ASSERT_TRUE(WriteFileText("default\\database\\Bgm.dat", "bgm"));
    AnsweringPlatform platform(true);
    ASSERT_EQ(CreateDefaultData(platform), 1);
    EXPECT_EQ(ReadFileText("data\\System.dat"), "sys");
    EXPECT_EQ(ReadFileText("data\\database\\Bgm.dat"), "bgm");
    EXPECT_FALSE(FileExists("data\\default"));
    EXPECT_EQ(ReadFileText("default\\System.dat"), "sys");

    platform.DeleteFolder(platform.ToAbsolute("data\\"));
    EXPECT_FALSE(platform.IsFolder("data\\"));
}

TEST(FolderPlatformTest, NoAnswerLeavesNoDataFolder)
{
    ScopedTestDir dir;
    ASSERT_TRUE(CreateDirectoryA("default", nullptr));
    AnsweringPlatform platform(false);
    EXPECT_EQ(CreateDefaultData(platform), 0);
    EXPECT_FALSE(platform.IsFolder("data\\"));
}

TEST(FolderPlatformTest, WorkingFoldersAreMadeAndExistingOnesKept)
{
    ScopedTestDir dir;
    ASSERT_TRUE(CreateDirectoryA("data", nullptr));
    ASSERT_TRUE(WriteFileText("data\\keep.txt", "k"));
    cWin32FolderPlatform platform(nullptr);
    CreateWorkFolders(platform);
    CreateWorkFolders(platform);
    EXPECT_TRUE(platform.IsFolder("user_data\\rpl4"));
    EXPECT_TRUE(platform.IsFolder("bmp\\hbt"));
    EXPECT_TRUE(platform.IsFolder("bgm"));
    EXPECT_EQ(ReadFileText("data\\keep.txt"), "k");
}
