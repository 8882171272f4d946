#pragma once
// Making the game's data folder from the default data set it comes with, and
// the working folders the game writes into.
#include <string>

// The folder work of the platform, one call each; the game's implementation
// is app/system/folder_platform.h, tests give their own.
class cFolderPlatform {
public:
    virtual ~cFolderPlatform() = default;
    // Whether path names an existing folder.
    virtual bool IsFolder(const std::string& path) = 0;
    // Asks the player text with caption, Yes or No; true for Yes.
    virtual bool AskYesNo(const char* text, const char* caption) = 0;
    // The path made absolute against the current directory (unchanged when
    // that fails or it already is).
    virtual std::string ToAbsolute(const std::string& path) = 0;
    // Copies the folder from (its name, no trailing backslash) with all it
    // holds into the folder to, silently; 0 on success, else the failure's code.
    virtual int CopyFolder(const std::string& from, const std::string& to) = 0;
    // Deletes the folder and all it holds, silently; the result is not asked.
    virtual void DeleteFolder(const std::string& path) = 0;
    // Creates one folder; an existing one is left as it is, a failure is not told.
    virtual void MakeFolder(const std::string& path) = 0;
};

// When "data\" is missing and "default\" exists, offers to create "data\" as a
// copy of "default\"; a failed copy is removed again. 1 when "data\" exists
// afterwards, else 0 (start-up then reports and ends).
int CreateDefaultData(cFolderPlatform& platform);
// Creates the working folders of WorkFolderList, in order.
void CreateWorkFolders(cFolderPlatform& platform);
