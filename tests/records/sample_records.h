#pragma once
// Small records in the shapes the game's definitions take: versioned fields,
// a dropped field, raw values and byte vectors after the record part, and
// lists of records inside records. Used by the record tests and the benchmark.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "records/data_record.h"
#include "records/record_list.h"

// A leaf: field B came with version 120 (default 5); an int that versions
// before 90 held after the flag was dropped in 90.
class cLeafData : public cDataRecord {
public:
    int m_nA = 0;
    int m_nB = 0;
    short m_sPair[2] = {};
    unsigned char m_bFlag = 0;
    double m_dRate = 0;
    std::string m_sName;

    // Copies made so far: the tests check that a damaged file cannot make
    // the list readers build more elements than its bytes could hold.
    inline static long nCopies = 0;

    cLeafData() { Reset(); }
    cLeafData(const cLeafData& other) = default;
    cLeafData& operator=(const cLeafData& other) = default;

    void Reset()
    {
        RegisterFields(DATA_VERSION);
        Clear();
        m_nB = 5;
    }

    void RegisterFields(int version) override
    {
        ClearFieldTables();
        RegisterInt(&m_nA);
        if (version >= 120) RegisterInt(&m_nB);
        RegisterShort(m_sPair, 2);
        RegisterByte(&m_bFlag);
        if (version < 90) RegisterDiscard(4);
        RegisterDouble(&m_dRate);
        RegisterString(&m_sName);
    }
};

// A leaf whose copies are counted.
class cCountedLeafData : public cLeafData {
public:
    cCountedLeafData() = default;
    cCountedLeafData(const cCountedLeafData& other) : cLeafData(other) { ++nCopies; }
    cCountedLeafData& operator=(const cCountedLeafData& other) = default;
};

// A node: its record (an int and a title), then a raw int16, a byte vector
// and a list of leaves.
template <class Leaf>
class cNodeDataT : public cDataRecord {
public:
    static constexpr size_t MIN_STORED_BYTES = 8 + 2 + 4 + 4;

    int m_nId = 0;
    std::string m_sTitle;
    int16_t m_sCarried = 0;
    std::vector<unsigned char> m_Flags;
    std::vector<Leaf> m_Leaves;

    cNodeDataT()
    {
        RegisterFields(DATA_VERSION);
        Clear();
        m_Flags.assign(3, 0);
    }

    void RegisterFields(int version) override
    {
        ClearFieldTables();
        RegisterInt(&m_nId);
        RegisterString(&m_sTitle);
    }

    bool Load(cDataReader& in) override
    {
        cDataRecord::Load(in);
        in.ReadI16(m_sCarried);
        in.ReadByteVector(m_Flags);
        ReadRecords(m_Leaves, in);
        return in.Ok();
    }

    void Save(cDataWriter& out) override
    {
        cDataRecord::Save(out);
        out.WriteI16(m_sCarried);
        out.WriteByteVector(m_Flags);
        WriteRecords(m_Leaves, out);
    }
};

using cNodeData = cNodeDataT<cLeafData>;

// A tree: a name, then a list of nodes.
template <class Leaf>
class cTreeDataT : public cDataRecord {
public:
    static constexpr size_t MIN_STORED_BYTES = 8 + 4;

    std::string m_sName;
    std::vector<cNodeDataT<Leaf>> m_Nodes;

    cTreeDataT() { RegisterFields(DATA_VERSION); Clear(); }

    void RegisterFields(int version) override
    {
        ClearFieldTables();
        RegisterString(&m_sName);
    }

    bool Load(cDataReader& in) override
    {
        cDataRecord::Load(in);
        ReadRecords(m_Nodes, in);
        return in.Ok();
    }

    void Save(cDataWriter& out) override
    {
        cDataRecord::Save(out);
        WriteRecords(m_Nodes, out);
    }
};

using cTreeData = cTreeDataT<cLeafData>;

// A record with an optional sub-record held by shared pointer (deep-copied,
// never shared) and a list of ints after its record part.
class cHolderData : public cDataRecord {
public:
    static constexpr size_t MIN_STORED_BYTES = 8 + 4 + 4;

    int m_nKind = 0;
    std::shared_ptr<cLeafData> m_pLeaf;
    std::vector<int32_t> m_Params;

    cHolderData() { RegisterFields(DATA_VERSION); Clear(); }
    cHolderData(const cHolderData& other) : cDataRecord(other) { CopyFrom(other); }
    cHolderData& operator=(const cHolderData& other)
    {
        if (this != &other) {
            cDataRecord::operator=(other);
            CopyFrom(other);
        }
        return *this;
    }

    void RegisterFields(int version) override
    {
        ClearFieldTables();
        RegisterInt(&m_nKind);
    }

    bool Load(cDataReader& in) override
    {
        cDataRecord::Load(in);
        ReadOptionalRecord(m_pLeaf, in, [] { return std::make_shared<cLeafData>(); });
        in.ReadIntVector(m_Params);
        return in.Ok();
    }

    void Save(cDataWriter& out) override
    {
        cDataRecord::Save(out);
        WriteOptionalRecord(m_pLeaf, out);
        out.WriteIntVector(m_Params);
    }

private:
    void CopyFrom(const cHolderData& other)
    {
        m_nKind = other.m_nKind;
        m_pLeaf = other.m_pLeaf ? std::make_shared<cLeafData>(*other.m_pLeaf) : nullptr;
        m_Params = other.m_Params;
    }
};

// A tree of n nodes with two leaves each, every value distinct.
inline cTreeData MakeSampleTree(int nodes)
{
    cTreeData tree;
    tree.m_sName = "tree";
    for (int i = 0; i < nodes; ++i) {
        cNodeData node;
        node.m_nId = i;
        node.m_sTitle = "node " + std::to_string(i);
        node.m_sCarried = static_cast<int16_t>(-i);
        node.m_Flags = {1, static_cast<unsigned char>(i), 0, 2};
        for (int j = 0; j < 2; ++j) {
            cLeafData leaf;
            leaf.m_nA = i * 10 + j;
            leaf.m_nB = -j;
            leaf.m_sPair[0] = static_cast<short>(j);
            leaf.m_sPair[1] = static_cast<short>(-300 - i);
            leaf.m_bFlag = static_cast<unsigned char>(200 + j);
            leaf.m_dRate = 0.1 * (i + j);
            leaf.m_sName = j ? "" : "leaf";
            node.m_Leaves.push_back(leaf);
        }
        tree.m_Nodes.push_back(node);
    }
    return tree;
}
