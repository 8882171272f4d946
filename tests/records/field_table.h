#pragma once
// A record's stored layout typed out in a test, one row per stored value:
// builds files of any data version from it and says what each member must
// hold once such a file is read.
#include <string>
#include <vector>

#include "tests/records/flow_test_support.h"

template <class R>
struct FieldRow {
    const char* name;         // the member this row fills
    double (*get)(const R&);
    int size;                 // bytes: 1, 2, 4, or 8 for a double
    double value;             // what the fixture stores
    int since;                // first data version that stores it
    int fixedBelow;           // files below this version end with fixedValue instead
    double fixedValue;
    bool sameField;           // a further element of the previous row's array field
};

#define FIELD_ROW(Record, member, size, value, since, fixedBelow, fixedValue, same) \
    FieldRow<Record> { #member, [](const Record& r) { return static_cast<double>(r.member); }, size, value, since, \
                       fixedBelow, fixedValue, same }

// The rows with the stored value of the named member changed.
template <class R>
std::vector<FieldRow<R>> WithStored(std::vector<FieldRow<R>> rows, const char* name, double value)
{
    bool found = false;
    for (FieldRow<R>& row : rows)
        if (std::string(row.name) == name) row.value = value, found = true;
    EXPECT_TRUE(found) << name;
    return rows;
}

// The field count and the fields of the rows keep accepts, each stored as
// value gives it.
template <class R, class Keep, class Value>
FixtureBytes FieldPart(const std::vector<FieldRow<R>>& rows, Keep keep, Value value)
{
    FixtureBytes fields;
    uint32_t count = 0;
    for (const FieldRow<R>& row : rows) {
        if (!keep(row)) continue;
        if (!row.sameField) ++count;
        fields.sized(row.size, value(row));
    }
    FixtureBytes part;
    part.u32(count).bytes(fields.get());
    return part;
}

// The field count and fields of the record as a file of this version stores them.
template <class R>
FixtureBytes StoredFields(const std::vector<FieldRow<R>>& rows, int version)
{
    return FieldPart(rows, [version](const FieldRow<R>& row) { return row.since <= version; },
                     [](const FieldRow<R>& row) { return row.value; });
}

// The record as a file of this version stores it: field count, fields, no strings.
template <class R>
std::vector<unsigned char> StoredAt(const std::vector<FieldRow<R>>& rows, int version)
{
    return StoredFields(rows, version).u32(0).get();
}

template <class R>
double ExpectedAt(const FieldRow<R>& row, int version)
{
    return version < row.fixedBelow ? row.fixedValue : row.value;
}

// The current form of a record read from a file of this version.
template <class R>
std::vector<unsigned char> UpgradedFrom(const std::vector<FieldRow<R>>& rows, int version)
{
    return FieldPart(rows, [](const FieldRow<R>&) { return true; },
                     [version](const FieldRow<R>& row) { return ExpectedAt(row, version); })
        .u32(0)
        .get();
}
