#pragma once
// Files that the build makes for the tests ("Vox.dll", the test tune), found
// from the test executable's own place in the build tree, whatever folder the
// test runs in.
#include <string>

// The absolute path of a file given relative to the build folder
// ("Vox.dll", "fixtures\\tune.ogg").
std::string BuildTreePath(const char* relative);
// Copies a file of the build folder to a path of the current folder; true on success.
bool CopyFromBuildTree(const char* relative, const char* dest);
