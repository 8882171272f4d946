#pragma once
// Lists that a record class writes after its registered part: counted texts
// and the gap operation of the upgrades.
#include <string>
#include <vector>

#include "records/data_file.h"

// A list text: u32 L (the length with its closing NUL; 0 and 1 mean empty),
// then L bytes. The text ends at its first NUL; carriage returns are kept.
// False, the text unchanged, when the file is damaged.
bool LoadStringField(std::string& text, cDataReader& in);
// The text up to its first NUL, stored as above.
void SaveStringField(const std::string& text, cDataWriter& out);

// u32 n, then n list texts; the list becomes those n texts. A count the bytes
// left cannot hold fails the reader and leaves the list as it was.
bool ReadStringList(std::vector<std::string>& list, cDataReader& in);
void WriteStringList(const std::vector<std::string>& list, cDataWriter& out);

// Makes room at index: every element from index to the second-to-last moves
// one place toward the end; the last one is lost and the size stays. The
// caller then sets element index. Nothing happens for an index outside the list.
template <class T>
void InsertGap(std::vector<T>& list, int index)
{
    if (index < 0 || static_cast<size_t>(index) >= list.size()) return;
    for (size_t i = list.size() - 1; i > static_cast<size_t>(index); --i) list[i] = list[i - 1];
}

// The list grows to size with the elements of defaults at the missing
// positions; a longer list is left as it is.
template <class T>
void PadToDefaults(std::vector<T>& list, const std::vector<T>& defaults)
{
    for (size_t i = list.size(); i < defaults.size(); ++i) list.push_back(defaults[i]);
}
