#pragma once
// The stage key: the name under which a stage keeps its best value, its
// ranking file and its default replay name. It is the stage file's name up to
// and including its last full stop ("stage.stg4" gives "stage."); for the
// first file of a chain of linked stage files, the name up to its last "-"
// followed by a "1", with the "-" made a full stop ("data\stg4\c05-1.stg4"
// gives "data\stg4\c05."). A name without either gives the empty key.
#include <string>

// The key of a stage file's name; *linked (when given) is 1 when the name is
// part of a chain of linked files.
std::string StageKeyOf(const std::string& name, int* linked = nullptr);
// The key of a stage named without its revision or with any extension: the
// extension is dropped and a full stop appended before the key is taken
// ("c05-1" gives "c05.", "stage" gives "stage.").
std::string StageKeyOfEntry(const std::string& stageFile);
