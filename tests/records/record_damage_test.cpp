// Damaged and hostile files: every one fails its load with a report-log line,
// allocates no more than its bytes could hold, and leaves a usable record.
#include "tests/records/record_test_support.h"

namespace {

using cCountedNode = cNodeDataT<cCountedLeafData>;
using cCountedTree = cTreeDataT<cCountedLeafData>;

// A node (id 1, title "n", carried -1, flags 1 2) and a leaf (A 2, B 3,
// pair 4 5, flag 6, rate 0, no name).
const std::string kNodeRecord = "C4020000 01000000 01000000 01000000 02000000 6E00";
const std::string kLeaf = "05000000 02000000 03000000 0400 0500 06 0000000000000000 01000000 01000000";

// The node up to its list of leaves, then rest.
std::string Node(const std::string& rest) { return kNodeRecord + " FFFF 02000000 0102 " + rest; }

enum class Kind { IntText, Empty, Node, Holder };

// Loads the file into a fresh record of class T, then saves the record again,
// which must work whatever the load left in it; the registry must describe
// the current layout.
template <class T>
int LoadAndSaveAgain(const char* path)
{
    T r;
    size_t fields = r.Fields().size();
    int result = r.LoadFile(path);
    EXPECT_EQ(r.Fields().size(), fields);
    EXPECT_EQ(r.SaveFile("again.dat"), 1);
    return result;
}

int LoadAs(Kind kind, const char* path)
{
    switch (kind) {
    case Kind::IntText: return LoadAndSaveAgain<cIntTextData>(path);
    case Kind::Empty: return LoadAndSaveAgain<cEmptyData>(path);
    case Kind::Holder: return LoadAndSaveAgain<cHolderData>(path);
    case Kind::Node: return LoadAndSaveAgain<cCountedNode>(path);
    }
    return -1;
}

} // namespace

TEST_F(RecordTest, HandTypedNodeReadsAndWritesBackTheSameBytes)
{
    std::string file = Node("01000000 " + kLeaf);
    ASSERT_TRUE(WriteFileBytes("node.dat", HexBytes(file.c_str())));
    cNodeData node;
    ASSERT_EQ(node.LoadFile("node.dat"), 1);
    EXPECT_EQ(node.m_nId, 1);
    EXPECT_EQ(node.m_sTitle, "n");
    EXPECT_EQ(node.m_sCarried, -1);
    EXPECT_EQ(node.m_Flags, std::vector<unsigned char>({1, 2}));
    ASSERT_EQ(node.m_Leaves.size(), 1u);
    EXPECT_EQ(node.m_Leaves[0].m_nB, 3);
    EXPECT_EQ(node.m_Leaves[0].m_bFlag, 6);
    ASSERT_EQ(node.SaveFile("again.dat"), 1);
    EXPECT_EQ(ReadFileBytes("again.dat"), HexBytes(file.c_str()));
}

TEST_F(RecordTest, DamagedFilesFailTheirLoadWithAReport)
{
    struct Row {
        const char* what;
        Kind kind;
        std::string file;
    };
    const Row rows[] = {
        {"empty file", Kind::IntText, ""},
        {"head cut", Kind::IntText, "C40200"},
        {"no record", Kind::IntText, "C4020000"},
        {"field cut", Kind::IntText, "C4020000 01000000 0700"},
        {"string count missing", Kind::IntText, "C4020000 01000000 07000000"},
        {"string cut", Kind::IntText, "C4020000 01000000 07000000 01000000 04000000 6162"},
        {"surplus field", Kind::IntText, "C4020000 02000000 07000000 08000000 00000000"},
        {"surplus string", Kind::IntText, "C4020000 01000000 07000000 02000000 01000000 01000000"},
        {"field nothing registered", Kind::Empty, "C4020000 01000000 07000000 00000000"},
        {"string nothing registered", Kind::Empty, "C4020000 00000000 01000000 02000000 6100"},
        {"field count FFFFFFFF", Kind::IntText, "C4020000 FFFFFFFF 07000000 00000000"},
        {"field count 7FFFFFFF", Kind::IntText, "C4020000 FFFFFF7F 07000000 00000000"},
        {"string count FFFFFFFF", Kind::IntText, "C4020000 01000000 07000000 FFFFFFFF 01000000"},
        {"string length FFFFFFFF", Kind::IntText, "C4020000 01000000 07000000 01000000 FFFFFFFF 616263"},
        {"string length 7FFFFFFF", Kind::IntText, "C4020000 01000000 07000000 01000000 FFFFFF7F 616263"},
        {"string length past the end", Kind::IntText, "C4020000 01000000 07000000 01000000 05000000 61626300"},
        {"flag count FFFFFFFF", Kind::Node, kNodeRecord + " FFFF FFFFFFFF 00"},
        {"flag count past the end", Kind::Node, kNodeRecord + " FFFF 03000000 0102"},
        {"list count FFFFFFFF", Kind::Node, Node("FFFFFFFF")},
        {"list count 7FFFFFFF", Kind::Node, Node("FFFFFF7F")},
        {"list count 00100000", Kind::Node, Node("00001000 05000000 02000000")},
        {"list one short", Kind::Node, Node("02000000 " + kLeaf)},
        {"list count missing", Kind::Node, Node("")},
        {"sub-record cut", Kind::Holder, "C4020000 01000000 02000000 00000000 01000000 05000000 0100"},
        {"value count 7FFFFFFF", Kind::Holder, "C4020000 01000000 02000000 00000000 00000000 FFFFFF7F 01000000"},
        {"value count past the end", Kind::Holder, "C4020000 01000000 02000000 00000000 00000000 03000000 01000000 02000000"},
    };
    int reports = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ASSERT_TRUE(WriteFileBytes("bad.dat", HexBytes(row.file.c_str())));
        cLeafData::nCopies = 0;
        EXPECT_EQ(LoadAs(row.kind, "bad.dat"), 0);
        EXPECT_EQ(DamageReports(), ++reports);
        // No element is built for a count the bytes left cannot hold.
        EXPECT_LE(cLeafData::nCopies, static_cast<long>(HexBytes(row.file.c_str()).size() / 8));
    }
}

namespace {

// A record holding a list of records of its own kind, as flows hold commands
// that hold flows again; its copies are counted.
class cNestData : public cDataRecord {
public:
    static constexpr size_t MIN_STORED_BYTES = 8 + 4;
    inline static long nCopies = 0;
    std::vector<cNestData> m_Children;

    cNestData() { RegisterFields(DATA_VERSION); Clear(); }
    cNestData(const cNestData& other) : cDataRecord(other), m_Children(other.m_Children) { ++nCopies; }
    cNestData& operator=(const cNestData& other) = default;

    bool Load(cDataReader& in) override
    {
        cDataRecord::Load(in);
        ReadRecords(m_Children, in);
        return in.Ok();
    }
};

} // namespace

TEST_F(RecordTest, NestedCountsThatEachClaimTheWholeFileBuildOnlyWhatIsRead)
{
    // 40 nested lists, each counting as many elements as the bytes after it
    // could hold, and then bytes no element can be read from: every level
    // claims the same bytes again.
    const int depth = 40;
    FixtureBytes file;
    file.hex("C4020000");
    std::vector<size_t> countAt;
    for (int level = 0; level < depth; ++level) {
        file.hex("00000000 00000000");
        countAt.push_back(file.get().size());
        file.u32(0);
    }
    std::vector<unsigned char> bytes = file.get();
    bytes.resize(bytes.size() + 12000, 0xFF);
    for (size_t at : countAt) {
        uint32_t n = static_cast<uint32_t>((bytes.size() - at - 4) / cNestData::MIN_STORED_BYTES);
        std::memcpy(bytes.data() + at, &n, sizeof n);
    }
    ASSERT_TRUE(WriteFileBytes("nest.dat", bytes));

    cNestData::nCopies = 0;
    cNestData root;
    EXPECT_EQ(root.LoadFile("nest.dat"), 0);
    EXPECT_EQ(DamageReports(), 1);
    EXPECT_LE(cNestData::nCopies, static_cast<long>(bytes.size() / 8));
}

TEST_F(RecordTest, AFileCutAnywhereFailsAndTheRecordStaysUsable)
{
    cTreeData tree = MakeSampleTree(3);
    ASSERT_EQ(tree.SaveFile("tree.dat"), 1);
    std::vector<unsigned char> whole = ReadFileBytes("tree.dat");
    ASSERT_GT(whole.size(), 100u);

    int reports = DamageReports();
    for (size_t cut = 0; cut < whole.size(); ++cut) {
        SCOPED_TRACE(cut);
        ASSERT_TRUE(WriteFileBytes("cut.dat", std::vector<unsigned char>(whole.begin(), whole.begin() + cut)));
        cCountedTree partial;
        cLeafData::nCopies = 0;
        ASSERT_EQ(partial.LoadFile("cut.dat"), 0);
        EXPECT_EQ(DamageReports(), ++reports);
        EXPECT_LE(cLeafData::nCopies, static_cast<long>(cut / 8));
        // What was read stays in the record; it can be written out again.
        ASSERT_EQ(partial.SaveFile("partial.dat"), 1);
        cCountedTree reread;
        EXPECT_EQ(reread.LoadFile("partial.dat"), 1);
    }

    cTreeData full;
    EXPECT_EQ(full.LoadFile("tree.dat"), 1);
    EXPECT_EQ(full.m_Nodes.size(), 3u);
}

TEST_F(RecordTest, AFailedHeadLeavesTheRecordAndTheFileVersionAlone)
{
    ASSERT_TRUE(WriteFileBytes("short.dat", HexBytes("C402")));
    nFileVersion = 300;
    cIntTextData r;
    r.m_nValue = 5;
    EXPECT_EQ(r.LoadFile("short.dat"), 0);
    EXPECT_EQ(r.m_nValue, 5);
    EXPECT_EQ(nFileVersion, 300);
    EXPECT_NE(ReadFileText("Report_Game.txt").find("short.dat"), std::string::npos);
}

TEST_F(RecordTest, RandomlyDamagedFilesNeverCrashOrOverAllocate)
{
    cTreeData tree = MakeSampleTree(6);
    tree.m_Nodes[2].m_Leaves.clear();
    ASSERT_EQ(tree.SaveFile("tree.dat"), 1);
    const std::vector<unsigned char> whole = ReadFileBytes("tree.dat");

    // A fixed sequence, so a failure can be replayed.
    uint32_t state = 12345;
    auto next = [&state](uint32_t below) {
        state = state * 1103515245u + 12345u;
        return (state >> 8) % below;
    };
    const unsigned char values[] = {0x00, 0x01, 0x7F, 0x80, 0xFF};
    int failed = 0;
    for (int round = 0; round < 3000; ++round) {
        std::vector<unsigned char> bytes = whole;
        int changes = 1 + next(4);
        for (int i = 0; i < changes; ++i) {
            uint32_t at = next(static_cast<uint32_t>(bytes.size()));
            bytes[at] = next(2) ? values[next(5)] : static_cast<unsigned char>(next(256));
        }
        if (next(4) == 0) bytes.resize(next(static_cast<uint32_t>(bytes.size())) + 1);
        size_t size = bytes.size();
        cDataReader in("fuzz.dat", std::move(bytes));
        uint32_t version = 0;
        if (!in.ReadU32(version)) continue;
        nFileVersion = static_cast<int>(version);
        cCountedTree read;
        cLeafData::nCopies = 0;
        bool ok = read.Load(in);
        EXPECT_EQ(ok, in.Ok());
        EXPECT_LE(cLeafData::nCopies, static_cast<long>(size / 8)) << "round " << round;
        if (!ok) ++failed;
    }
    // Most damage is seen; what is not is a change of a value or a text.
    EXPECT_GT(failed, 1000);
}
