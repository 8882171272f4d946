#pragma once
// Lists of records held by value, and small container helpers of the stage.
//
// Stored form of a list: a u32 element count n, then n records one after the
// other, each in full (its registered part and whatever its Load/Save add).
//
// Reading a list (ReadRecords) refuses a count whose elements cannot fit in
// the bytes left, at MinStoredBytes<T>() each (data_record.h); the list is
// then unchanged. Otherwise the list is emptied and grows by one default
// element at a time, each read as soon as it is added. A count only says
// what the file claims: lists inside the elements claim the same bytes again,
// so making all n elements before reading them would let a small file nest
// claims that ask for far more memory than it holds. A read that fails
// part-way leaves the elements read and the one that failed, partly read.
// (Palette lists, whose rows look at the rows after them while they load,
// are read by their own reader: palette_data.h.)
#include <algorithm>
#include <cstdint>
#include <list>
#include <type_traits>
#include <vector>

#include "records/data_record.h"

// Reads a stored list; every element starts as a copy of prototype (a record
// constructed, registered with DATA_VERSION and cleared or reset as the list
// wants; for most lists simply T()). False when the file is damaged.
template <class T>
bool ReadRecords(std::vector<T>& list, cDataReader& in, const T& prototype)
{
    uint32_t n = 0;
    if (!in.ReadCount(n, MinStoredBytes<T>())) return false;
    list.clear();
    for (uint32_t i = 0; i < n; ++i) {
        list.push_back(prototype);
        if (!list.back().Load(in)) return false;
    }
    return true;
}

template <class T>
bool ReadRecords(std::vector<T>& list, cDataReader& in)
{
    return ReadRecords(list, in, T());
}

// Writes the u32 element count, then each element through its virtual Save.
template <class T>
void WriteRecords(std::vector<T>& list, cDataWriter& out)
{
    out.WriteU32(static_cast<uint32_t>(list.size()));
    for (T& element : list) element.Save(out);
}

// An optional sub-record held by pointer (boost::shared_ptr): a u32 presence
// (written as 1, any non-zero value read as present), then the record when
// present. Reading makes a fresh record with make() (which returns a new
// pointer: constructed, registered and reset as the owner wants) and loads
// it; presence 0 empties the pointer.
template <class Ptr, class Make>
bool ReadOptionalRecord(Ptr& p, cDataReader& in, Make make)
{
    uint32_t present = 0;
    if (!in.ReadU32(present)) return false;
    p.reset();
    if (!present) return true;
    p = make();
    return p->Load(in);
}

template <class Ptr>
void WriteOptionalRecord(const Ptr& p, cDataWriter& out)
{
    out.WriteU32(p ? 1 : 0);
    if (p) p->Save(out);
}

// Makes destination an element-by-element copy of source through T's
// assignment: same length, independent copies, no sharing.
template <class T>
void AssignRecords(std::vector<T>& destination, const std::vector<T>& source)
{
    if (&destination == &source) return;
    if (destination.size() > source.size()) destination.erase(destination.begin() + source.size(), destination.end());
    for (size_t i = 0; i < destination.size(); ++i) destination[i] = source[i];
    for (size_t i = destination.size(); i < source.size(); ++i) destination.push_back(source[i]);
}

// Replaces the list's contents by n copies of prototype (for most lists a
// freshly built T(), whose constructor registers and resets it).
template <class T>
void ResetRecords(std::vector<T>& list, int n, const T& prototype)
{
    std::vector<T>().swap(list);
    if (n > 0) list.assign(static_cast<size_t>(n), prototype);
}

template <class T>
void ResetRecords(std::vector<T>& list, int n)
{
    ResetRecords(list, n, T());
}

// Destroys the element that lies at address and returns the position after
// it; the list's end when no element lies there.
template <class T, class A>
typename std::list<T, A>::iterator ListEraseElement(std::list<T, A>& list, const T* address)
{
    for (auto it = list.begin(); it != list.end(); ++it)
        if (&*it == address) return list.erase(it);
    return list.end();
}

// Unlinks the first node holding p and returns the position after it, or the
// list's end when none holds it. The object p points to is not destroyed.
template <class T, class A>
typename std::list<T*, A>::iterator ListErasePtr(std::list<T*, A>& list, const std::type_identity_t<T>* p)
{
    for (auto it = list.begin(); it != list.end(); ++it)
        if (*it == p) return list.erase(it);
    return list.end();
}

// Removes every occurrence of p, keeping the order of the rest; true when at
// least one was removed.
template <class T, class A>
bool RemovePtr(std::vector<T*, A>& v, const std::type_identity_t<T>* p)
{
    auto end = std::remove(v.begin(), v.end(), p);
    bool removed = end != v.end();
    v.erase(end, v.end());
    return removed;
}

// A slot that names one active record of some kind (the stage's active screen
// effect): its kind, the record, a value of the slot's owner and two words of
// work state.
struct CONTAINERHEADER {
    int16_t sKind;
    const cDataRecord* lpRecord;
    int32_t nValue;
    int32_t nWork[2];
};

// Empties the slot: kind 0, no record, work words 0; nValue keeps its value.
void ClearContainerHeader(CONTAINERHEADER& slot);
