#include "files/default_data.h"

#include "files/data_path.h"

int CreateDefaultData(cFolderPlatform& platform)
{
    if (platform.IsFolder(DataPath[DATAPATH_DATA])) return 1;
    if (!platform.IsFolder(DataPath[DATAPATH_DEFAULT])) return 0;
    if (!platform.AskYesNo("データが存在しません！デフォルトデータを作成しますか？\n", "デフォルトデータ作成の確認"))
        return 0;
    // The source names the folder itself (no trailing backslash), so that the
    // copy makes "data\" a copy of it rather than of its contents one level up.
    std::string from = platform.ToAbsolute(DataPath[DATAPATH_DEFAULT]);
    if (!from.empty() && from.back() == '\\') from.pop_back();
    const std::string to = platform.ToAbsolute(DataPath[DATAPATH_DATA]);
    if (platform.CopyFolder(from, to) != 0) {
        // Half a data set would be taken for a whole one at the next start.
        platform.DeleteFolder(to);
        return 0;
    }
    return platform.IsFolder(DataPath[DATAPATH_DATA]) ? 1 : 0;
}

void CreateWorkFolders(cFolderPlatform& platform)
{
    for (const char* const* folder = WorkFolderList; *folder; ++folder) platform.MakeFolder(*folder);
}
