// The path tables, and making the data folder from the default data set with
// a platform that records what it is asked.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/data_path.h"
#include "files/default_data.h"

namespace {

class FakeFolders : public cFolderPlatform {
public:
    bool hasData = false;
    bool hasDefault = false;
    bool answerYes = false;
    int copyResult = 0;
    std::vector<std::string> calls;

    bool IsFolder(const std::string& path) override
    {
        return (path == "data\\" && hasData) || (path == "default\\" && hasDefault);
    }
    bool AskYesNo(const char* text, const char* caption) override
    {
        calls.push_back(std::string("ask ") + caption + ": " + text);
        return answerYes;
    }
    std::string ToAbsolute(const std::string& path) override { return "C:\\game\\" + path; }
    int CopyFolder(const std::string& from, const std::string& to) override
    {
        calls.push_back("copy " + from + " -> " + to);
        if (copyResult == 0) hasData = true;
        return copyResult;
    }
    void DeleteFolder(const std::string& path) override { calls.push_back("delete " + path); }
    void MakeFolder(const std::string& path) override { calls.push_back(path); }
};

const std::string kQuestion =
    "ask デフォルトデータ作成の確認: データが存在しません！デフォルトデータを作成しますか？\n";

} // namespace

TEST(DataPathTest, RowsKeepTheirPlaces)
{
    struct Row {
        int index;
        const char* path;
    };
    const Row rows[] = {
        {0, "data\\"},
        {1, "default\\"},
        {4, "e_data\\EditConfig.dat"},
        {11, "data\\stg4\\Default.stg4_***"},
        {19, "data\\database\\Bmp_CharaExc.dat"},
        {34, "default\\database\\Bgm.dat"},
        {35, "data\\System.dat"},
        {37, "data\\stg4\\c"},
        {41, "user_data\\story\\Story"},
        {43, "user_data\\Option.dat"},
        {44, "user_data\\"},
        {47, "user_data\\Window.dat"},
    };
    for (const Row& row : rows) EXPECT_STREQ(DataPath[row.index], row.path) << row.index;
    EXPECT_EQ(sizeof DataPath / sizeof DataPath[0], 48u);
    EXPECT_STREQ(DataExt[1], "stg4");
    EXPECT_STREQ(DataExt[3], "rkg");
    EXPECT_STREQ(ColorName[9], "4色");
    EXPECT_STREQ(ColorName[10], "");
}

TEST(DataPathTest, WorkingFoldersAreCreatedInOrder)
{
    FakeFolders folders;
    CreateWorkFolders(folders);
    ASSERT_EQ(folders.calls.size(), 22u);
    EXPECT_EQ(folders.calls[0], "user_data");
    EXPECT_EQ(folders.calls[4], "user_data\\rpl4");
    EXPECT_EQ(folders.calls[5], "data");
    EXPECT_EQ(folders.calls[10], "data\\plt4");
    EXPECT_EQ(folders.calls[19], "bmp\\hbt");
    EXPECT_EQ(folders.calls[21], "bgm");
}

TEST(DataPathTest, DefaultDataIsCopiedOnlyWhenAskedAndWhole)
{
    struct Row {
        const char* what;
        bool hasData, hasDefault, yes;
        int copyResult;
        int result;
        std::vector<std::string> calls;
    };
    const std::string copy = "copy C:\\game\\default -> C:\\game\\data\\";
    const Row rows[] = {
        {"data present, no default", true, false, false, 0, 1, {}},
        {"data present", true, true, true, 0, 1, {}},
        {"neither", false, false, true, 0, 0, {}},
        {"answered no", false, true, false, 0, 0, {kQuestion}},
        {"copied", false, true, true, 0, 1, {kQuestion, copy}},
        {"copy failed", false, true, true, 0x75, 0, {kQuestion, copy, "delete C:\\game\\data\\"}},
    };
    for (const Row& row : rows) {
        FakeFolders folders;
        folders.hasData = row.hasData;
        folders.hasDefault = row.hasDefault;
        folders.answerYes = row.yes;
        folders.copyResult = row.copyResult;
        EXPECT_EQ(CreateDefaultData(folders), row.result) << row.what;
        EXPECT_EQ(folders.calls, row.calls) << row.what;
    }
}
