#pragma once
// Path and file-name helpers. Paths are Shift-JIS byte strings relative to the
// current directory unless said otherwise; none has a length limit of its own.
#include <string>

// 1 when the path is (now) relative to the current directory; 0 on failure (path unchanged).
int ToRelativePath(std::string& path);
// 1 when the path is (now) absolute; 0 on failure (path unchanged).
int ToAbsolutePath(std::string& path);
// Keeps only the part after the last "\" (a Shift-JIS trail byte 0x5C is not one).
void StripDirectory(std::string& path);
// dest = src with the text after the last "." replaced by ext, or cut at the "."
// when ext is null; 1 when src had a ".", else 0 and dest = src.
int ChangeExtension(std::string& dest, const std::string& src, const char* ext);
// Removes the last "." and what follows; 1 when there was one.
int RemoveExtension(std::string& path);
// dest = the text after the last "."; 0 when there is none.
int GetExtension(std::string& dest, const std::string& path);
// name.ext becomes name_ab.ext (a and b are digits); 0 when src has no extension.
int AddNumberSuffix(std::string& dest, const std::string& src, int a, int b);
// The newest existing revision "base_ddd" (999 down to 000) of name with its
// extension changed to ext; 1 and dest set, or 0 with dest unchanged.
int FindNumberedFile(std::string& dest, const std::string& name, const char* ext);
