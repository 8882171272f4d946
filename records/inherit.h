#pragma once
// What the block, character and item definitions share: the palette a source
// byte names, the inheritance of groups of fields from a base definition, and
// the repair of references into the palettes.
//
// A definition names its base by a source byte (0 none, 1 the common palette,
// 2 the stage palette) and a row index; row 0 of every palette list is the
// reserved empty row, so index 0 names no base. Each definition class has a
// table of group copies, one per inherit flag; flag i set means group i is
// taken from the base. Every copy is safe when base and definition are the
// same object (a row that names itself).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "records/condition_data.h"
#include "records/record_context.h"
#include "records/record_list.h"

// Inherit sources and item sources.
enum { SOURCE_NONE = 0, SOURCE_COMMON = 1, SOURCE_STAGE = 2 };
// Graphic kinds: the sheet a chip comes from.
enum { GRAPHIC_BLOCK = 0, GRAPHIC_CHARA = 1, GRAPHIC_ITEM = 2, GRAPHIC_SHOT = 3, GRAPHIC_DEDICATED = 4 };

// The RecordContext palette that a source byte names, or -1 for any other value.
inline int PaletteOfSource(int source)
{
    return source == SOURCE_COMMON ? PALETTE_COMMON : source == SOURCE_STAGE ? PALETTE_STAGE : -1;
}

// Whether a reference (source, row) names a palette and a row outside it;
// rows holds the row counts of the common and the stage palette. A reference
// without a palette (source 0 or any other value) is never out of range.
inline bool PaletteRefBroken(int source, int row, const int (&rows)[2])
{
    int palette = PaletteOfSource(source);
    return palette >= 0 && !IsInList(row, rows[palette]);
}

// Clears a reference (source, row) that names a row outside its palette:
// source 0, row 0. rows as for PaletteRefBroken.
template <class Source, class Row>
void RepairPaletteRef(Source& source, Row& row, const int (&rows)[2])
{
    if (PaletteRefBroken(source, row, rows)) {
        source = SOURCE_NONE;
        row = 0;
    }
}

// One group copy of a definition class T.
template <class T>
using InheritCopy = void (*)(T& to, const T& from);

// The base that definition d inherits from, or null when it takes nothing.
// Index 0 or source 0: none. Sources 1 and 2: the row of that palette's list
// (lists picks the list of T from cPaletteLists); a row outside the list
// clears the source, the index keeping what was read. Any other source: the
// definition is its own base.
template <class T>
T* FindInheritBase(T& d, std::vector<T>* cPaletteLists::*lists)
{
    if (d.m_sInheritIndex == 0 || d.m_cInheritSource == SOURCE_NONE) return nullptr;
    int palette = PaletteOfSource(d.m_cInheritSource);
    if (palette < 0) return &d;
    std::vector<T>* rows = RecordContext.Palettes[palette].*lists;
    int count = rows ? static_cast<int>(rows->size()) : 0;
    if (!IsInList(d.m_sInheritIndex, count)) {
        d.m_cInheritSource = SOURCE_NONE;
        return nullptr;
    }
    return &(*rows)[static_cast<size_t>(d.m_sInheritIndex)];
}

// Runs group copy i for every set flag i. A file of another writer may hold
// more flags than the class has groups: those are kept with the definition
// (and written back) but copy nothing.
template <class T, size_t N>
void CopyInheritedGroups(T& to, const T& from, const std::vector<uint8_t>& flags, const InheritCopy<T> (&table)[N])
{
    for (size_t i = 0; i < flags.size() && i < N; ++i)
        if (flags[i]) table[i](to, from);
}

// Inherits the flagged groups of d from its base (FindInheritBase).
template <class T, size_t N>
void InheritGroups(T& d, std::vector<T>* cPaletteLists::*lists, const InheritCopy<T> (&table)[N])
{
    if (T* base = FindInheritBase(d, lists)) CopyInheritedGroups(d, *base, d.m_InheritFlags, table);
}

// An inherit reference outside its palette: source 0, index 0.
template <class T>
void RepairInheritRef(T& d, const int (&rows)[2])
{
    RepairPaletteRef(d.m_cInheritSource, d.m_sInheritIndex, rows);
}

// The two groups that every definition holds alike: the name; the
// conditions with their mode and latch.
template <class T>
void CopyNameGroup(T& to, const T& from)
{
    to.m_sName = from.m_sName;
}

template <class T>
void CopyConditionGroup(T& to, const T& from)
{
    AssignRecords(to.m_Conditions, from.m_Conditions);
    to.m_cCondMode = from.m_cCondMode;
    to.m_bCondLatch = from.m_bCondLatch;
}

// Groups that blocks and items hold alike: the chip, the hidden switch, the mark.
template <class T>
void CopyChipGroup(T& to, const T& from)
{
    to.m_cGraphicKind = from.m_cGraphicKind;
    to.m_sGraphic = from.m_sGraphic;
    to.m_sGraphicOffset = from.m_sGraphicOffset;
}

template <class T>
void CopyHiddenGroup(T& to, const T& from)
{
    to.m_bHidden = from.m_bHidden;
}

template <class T>
void CopyMarkGroup(T& to, const T& from)
{
    to.m_cMarkDisplay = from.m_cMarkDisplay;
    to.m_sMark = from.m_sMark;
}

// The shot sheet gained a first chip in data version 219: a shot chip of an
// older file is one further on, the sheet's last chip being 119.
template <class T>
void UpgradeShotChip(T& d, int version)
{
    if (version < 219 && d.m_cGraphicKind == GRAPHIC_SHOT)
        d.m_sGraphic = d.m_sGraphic >= 119 ? 119 : static_cast<int16_t>(d.m_sGraphic + 1);
}
