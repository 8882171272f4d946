// Lists of records and the container helpers of the stage.
#include "tests/records/record_test_support.h"

#include <list>

TEST_F(RecordTest, NestedListsSurviveSaveLoadSaveByteForByte)
{
    cTreeData tree = MakeSampleTree(4);
    ASSERT_EQ(tree.SaveFile("first.dat"), 1);
    cTreeData again;
    ASSERT_EQ(again.LoadFile("first.dat"), 1);
    ASSERT_EQ(again.m_Nodes.size(), 4u);
    EXPECT_EQ(again.m_Nodes[3].m_sTitle, "node 3");
    EXPECT_EQ(again.m_Nodes[3].m_Leaves[1].m_sPair[1], -303);
    EXPECT_EQ(again.m_Nodes[2].m_Leaves[0].m_dRate, 0.1 * 2);
    ASSERT_EQ(again.SaveFile("second.dat"), 1);
    EXPECT_EQ(ReadFileBytes("second.dat"), ReadFileBytes("first.dat"));
}

TEST_F(RecordTest, ReadingAListReplacesItAndStartsFromThePrototype)
{
    cNodeData node;
    node.m_Leaves.resize(3);
    // Count 0 empties the list, whatever it held.
    ASSERT_TRUE(WriteFileBytes("n.dat", HexBytes("C4020000 00000000 00000000 0000 00000000 00000000")));
    ASSERT_EQ(node.LoadFile("n.dat"), 1);
    EXPECT_TRUE(node.m_Leaves.empty());
    EXPECT_TRUE(node.m_Flags.empty());

    // Leaves of version 100 lack B: each keeps the prototype's value.
    ASSERT_TRUE(WriteFileBytes("l.dat", HexBytes("64000000 02000000 "
                                                 "01000000 01000000 00000000 "
                                                 "01000000 02000000 00000000")));
    auto in = DataFileOpenRead("l.dat");
    ASSERT_TRUE(in);
    cLeafData prototype;
    prototype.m_nB = 42;
    std::vector<cLeafData> leaves;
    ASSERT_TRUE(ReadRecords(leaves, *in, prototype));
    ASSERT_EQ(leaves.size(), 2u);
    EXPECT_EQ(leaves[1].m_nA, 2);
    EXPECT_EQ(leaves[1].m_nB, 42);
    EXPECT_EQ(DataFileClose(in), 1);
}

TEST_F(RecordTest, OptionalSubRecordsAndValueListsRoundTrip)
{
    // Kind 2, a leaf present (A 1, B 3, pair 0 0, flag 0, rate 0, no name), params 5 -6.
    const char* withLeaf = "C4020000 01000000 02000000 00000000 01000000 "
                           "05000000 01000000 03000000 00000000 00 0000000000000000 01000000 01000000 "
                           "02000000 05000000 FAFFFFFF";
    // Any non-zero presence means present; no leaf, no params.
    const char* without = "C4020000 01000000 02000000 00000000 00000000 00000000";
    ASSERT_TRUE(WriteFileBytes("h.dat", HexBytes(withLeaf)));
    cHolderData h;
    ASSERT_EQ(h.LoadFile("h.dat"), 1);
    ASSERT_TRUE(h.m_pLeaf);
    EXPECT_EQ(h.m_pLeaf->m_nB, 3);
    EXPECT_EQ(h.m_Params, std::vector<int32_t>({5, -6}));
    ASSERT_EQ(h.SaveFile("again.dat"), 1);
    EXPECT_EQ(ReadFileBytes("again.dat"), HexBytes(withLeaf));

    // Copies own their sub-record.
    cHolderData copy = h;
    copy.m_pLeaf->m_nA = 99;
    EXPECT_EQ(h.m_pLeaf->m_nA, 1);
    std::vector<cHolderData> list(2), source = {h, copy};
    AssignRecords(list, source);
    list[1].m_pLeaf->m_nA = 7;
    EXPECT_EQ(copy.m_pLeaf->m_nA, 99);

    ASSERT_TRUE(WriteFileBytes("h.dat", HexBytes(without)));
    ASSERT_EQ(h.LoadFile("h.dat"), 1);
    EXPECT_FALSE(h.m_pLeaf);
    EXPECT_TRUE(h.m_Params.empty());
    ASSERT_EQ(h.SaveFile("again.dat"), 1);
    EXPECT_EQ(ReadFileBytes("again.dat"), HexBytes(without));
}

TEST_F(RecordTest, AssignAndResetMakeIndependentCopies)
{
    std::vector<cIntTextData> five(5), three(3), empty;
    for (int i = 0; i < 3; ++i) three[i].m_sText = "s" + std::to_string(i);
    AssignRecords(five, empty);
    EXPECT_TRUE(five.empty());
    AssignRecords(empty, three);
    ASSERT_EQ(empty.size(), 3u);
    empty[1].m_sText = "changed";
    EXPECT_EQ(three[1].m_sText, "s1");
    EXPECT_EQ(empty[2].m_sText, "s2");
    AssignRecords(three, three);
    EXPECT_EQ(three.size(), 3u);

    std::vector<cLeafData> leaves(4);
    leaves[0].m_nB = 9;
    ResetRecords(leaves, 0);
    EXPECT_TRUE(leaves.empty());
    ResetRecords(leaves, 1);
    ASSERT_EQ(leaves.size(), 1u);
    EXPECT_EQ(leaves[0].m_nB, 5);
}

TEST_F(RecordTest, ContainerHelpers)
{
    int a = 1, b = 2, c = 3;
    std::vector<int*> v = {&a, &b, &b, &c, &b};
    EXPECT_TRUE(RemovePtr(v, &b));
    EXPECT_EQ(v, std::vector<int*>({&a, &c}));
    EXPECT_FALSE(RemovePtr(v, &b));

    std::list<int*> pointers = {&a, &b, &a};
    EXPECT_EQ(ListErasePtr(pointers, &c), pointers.end());
    EXPECT_EQ(pointers.size(), 3u);
    auto next = ListErasePtr(pointers, &a);
    EXPECT_EQ(*next, &b);
    EXPECT_EQ(pointers, std::list<int*>({&b, &a}));

    std::list<int> values = {10, 20, 30};
    const int* second = &*std::next(values.begin());
    EXPECT_EQ(*ListEraseElement(values, second), 30);
    EXPECT_EQ(values, std::list<int>({10, 30}));
    EXPECT_EQ(ListEraseElement(values, &a), values.end());

    cIntTextData record;
    CONTAINERHEADER slot{3, &record, 77, {5, 6}};
    ClearContainerHeader(slot);
    EXPECT_EQ(slot.sKind, 0);
    EXPECT_EQ(slot.lpRecord, nullptr);
    EXPECT_EQ(slot.nValue, 77);
    EXPECT_EQ(slot.nWork[0], 0);
    EXPECT_EQ(slot.nWork[1], 0);
}
