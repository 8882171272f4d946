#pragma once
// The sample game's database: the ten lists, each entry naming the pictures,
// sounds and tune the generator writes. The entry numbers are those of
// definitions.h; entry 0 of every list but the sword types stands for none.
#include "files/database.h"

// Fills db, which starts with its default contents, with the sample game's.
void MakeSampleDatabase(cDataBase& db);
