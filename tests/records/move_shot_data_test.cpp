// Movement and shot records: layouts over the version gates, the values older
// files get, defaults, validation and ownership through the pointer.
#include "records/move_data.h"
#include "records/shot_data.h"
#include "tests/records/field_table.h"

namespace {

#define MOVE(member, size, value) FIELD_ROW(cEdMove, member, size, value, 0, 0, 0, false)
#define MOVE_SINCE(member, size, value, since) FIELD_ROW(cEdMove, member, size, value, since, since, 0, false)

const std::vector<FieldRow<cEdMove>> kMoveRows = {
    MOVE(m_cMode, 1, 1),
    MOVE(m_cDirection, 1, 5),
    MOVE(m_sAngle, 2, -30),
    MOVE(m_sAngleStep, 2, 7),
    MOVE_SINCE(m_bMirrorAngle, 1, 1, 158),
    MOVE(m_bUseX, 1, 0),
    MOVE(m_bUseY, 1, 0),
    MOVE(m_sTargetX, 2, 3),
    MOVE(m_sTargetY, 2, -4),
    MOVE(m_sTargetDotX, 2, 5),
    MOVE(m_sTargetDotY, 2, -6),
    MOVE(m_cCoordKind, 1, 2),
    MOVE(m_bArrivalCheck, 1, 0),
    MOVE(m_bLockX, 1, 1),
    MOVE(m_bLockY, 1, 1),
    MOVE(m_bMirrorX, 1, 0),
    MOVE(m_bMirrorY, 1, 1),
    MOVE(m_bReverseOnTurn, 1, 0),
    MOVE(m_bStopOnArrival, 1, 1),
    MOVE_SINCE(m_bKeepFacing, 1, 1, 162),
    MOVE(m_cTiming, 1, 2),
    MOVE(m_sSpeed, 2, 25),
    MOVE(m_sSpeedStep, 2, -1),
    MOVE(m_sDistance, 2, 8),
    MOVE(m_sDistanceStep, 2, 2),
    MOVE_SINCE(m_cDistanceUnit, 1, 1, 159),
    MOVE(m_sRadius, 2, 4),
    MOVE(m_sRadiusStep, 2, 1),
    MOVE(m_bInertia, 1, 1),
    MOVE(m_sInertiaLimit, 2, 40),
    MOVE(m_dReversal, 8, 2.5),
    MOVE_SINCE(m_bKeepAnime, 1, 1, 162),
};

#define SHOT(member, size, value) FIELD_ROW(cEdShot, member, size, value, 0, 0, 0, false)
#define SHOT_ARRAY(member, size, value, same) FIELD_ROW(cEdShot, member, size, value, 0, 0, 0, same)
// A field stored from since on; files below fixedBelow end with fixedValue.
#define SHOT_SINCE(member, size, value, since, fixedBelow, fixedValue) \
    FIELD_ROW(cEdShot, member, size, value, since, fixedBelow, fixedValue, false)

// Motion kind 5 homes, so files below 212 make the shot follow the screen;
// the cancel and pierce switches of older files copy their older partners.
const std::vector<FieldRow<cEdShot>> kShotRows = {
    SHOT(m_cCount, 1, 3),
    SHOT(m_cArrangement, 1, 4),
    SHOT_ARRAY(m_sArrangeParam[0], 2, 10, false),
    SHOT_ARRAY(m_sArrangeParam[1], 2, -11, true),
    SHOT_ARRAY(m_sArrangeParam[2], 2, 12, true),
    SHOT_SINCE(m_cReference, 1, 2, 671, 671, 0),
    SHOT(m_cDirection, 1, 9),
    SHOT(m_bAim, 1, 1),
    SHOT(m_sAngle, 2, 45),
    SHOT(m_sAngleStep, 2, -15),
    SHOT_SINCE(m_bMirrorAngle, 1, 1, 158, 158, 0),
    SHOT(m_sAngleRandom, 2, 6),
    SHOT(m_bRotateFormation, 1, 1),
    SHOT(m_cRepeat, 1, 2),
    SHOT(m_sOffsetX, 2, 16),
    SHOT(m_sOffsetXStep, 2, -4),
    SHOT(m_sOffsetY, 2, 8),
    SHOT(m_sOffsetYStep, 2, 2),
    SHOT(m_bMirrorOffsetX, 1, 0),
    SHOT(m_bMirrorOffsetY, 1, 1),
    SHOT(m_sGraphic, 2, 77),
    SHOT(m_cDrawLayer, 1, 5),
    SHOT(m_bHidden, 1, 1),
    SHOT(m_bOwnerLayer, 1, 0),
    SHOT(m_cLayer, 1, 6),
    SHOT(m_cCarried24, 1, 0xAB),
    SHOT(m_cSize, 1, 3),
    SHOT(m_cCarried26, 1, 0xCD),
    SHOT(m_cMotion, 1, 5),
    SHOT_ARRAY(m_sMotionParam[0], 2, 20, false),
    SHOT_ARRAY(m_sMotionParam[1], 2, 999, true),
    SHOT_ARRAY(m_sMotionParam[2], 2, -3, true),
    SHOT_SINCE(m_bFollowScreen, 1, 0, 211, 212, 1),
    SHOT(m_sSpeed, 2, 30),
    SHOT(m_sSpeedStep, 2, 5),
    SHOT_SINCE(m_bAccel, 1, 1, 213, 213, 0),
    SHOT_SINCE(m_sAccel, 2, -7, 213, 213, 0),
    SHOT_SINCE(m_sAccelStep, 2, 9, 213, 213, 0),
    SHOT(m_sRange, 2, 40),
    SHOT(m_bRange, 1, 1),
    SHOT(m_sRangeStep, 2, -2),
    SHOT(m_bStayAtRange, 1, 1),
    SHOT(m_bLifetime, 1, 1),
    SHOT(m_sLifetime, 2, 50),
    SHOT(m_sLifetimeStep, 2, 3),
    SHOT(m_cBlockMode, 1, 1),
    SHOT(m_cPierceChara, 1, 1),
    SHOT_SINCE(m_cPierceBlockChara, 1, 0, 636, 636, 1),
    SHOT(m_bClash, 1, 1),
    SHOT(m_cClashStrength, 1, -2),
    SHOT(m_nPower, 4, -123456),
    SHOT(m_sCarried48, 2, -77),
    SHOT(m_cImpact, 1, -5),
    SHOT(m_sHitEffect, 2, 29),
    SHOT(m_cHitItemSource, 1, 2),
    SHOT(m_sHitItem, 2, 70),
    SHOT(m_cBlockSummonMode, 1, 2),
    SHOT(m_bCancelOnPlayer, 1, 1),
    SHOT_SINCE(m_bCancelOnChara, 1, 0, 197, 197, 1),
    SHOT(m_cPalette, 1, 1),
    SHOT(m_sPaletteIndex, 2, 61),
    SHOT(m_cSummonLayerMode, 1, 2),
    SHOT(m_bNoScore, 1, 1),
    SHOT(m_bReverseFacing, 1, 1),
};

template <class R>
void ExpectMembers(const R& record, const std::vector<FieldRow<R>>& rows, int version)
{
    for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i].get(record), ExpectedAt(rows[i], version)) << "row " << i;
}

} // namespace

TEST_F(FlowRecordTest, MovementRecordOverItsVersionGates)
{
    // Fields stored, and the record's length, per version.
    const struct {
        int version;
        uint32_t fields;
        size_t bytes;
    } rows[] = {{157, 28, 4 + 48 + 4}, {158, 29, 4 + 49 + 4}, {159, 30, 4 + 50 + 4},
                {161, 30, 4 + 50 + 4}, {162, 32, 4 + 52 + 4}, {708, 32, 4 + 52 + 4}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.version);
        std::vector<unsigned char> stored = StoredAt(kMoveRows, row.version);
        EXPECT_EQ(stored.size(), row.bytes);
        EXPECT_EQ(stored[0], row.fields);
        // A fresh record holds the defaults that the upgrades must override.
        cEdMove move;
        ASSERT_EQ(LoadAt(move, row.version, stored), 1);
        ExpectMembers(move, kMoveRows, row.version);
        EXPECT_EQ(SavedBody(move), UpgradedFrom(kMoveRows, row.version));
    }
}

TEST_F(FlowRecordTest, MovementRecordOfVersion157)
{
    // 28 fields; no angle mirror, keep facing, distance unit or keep animation.
    const char* v157 =
        "1C000000 01 02 1E00 0000 01 01 0200 0000 0000 0000 00 01 00 00 01 00 01 00 "
        "00 0A00 0000 0600 0000 0000 0000 00 0000 000000000000F03F 00000000";
    cEdMove move;
    ASSERT_EQ(LoadAt(move, 157, v157), 1);
    EXPECT_EQ(move.m_cMode, 1);
    EXPECT_EQ(move.m_cDirection, 2);
    EXPECT_EQ(move.m_sAngle, 30);
    EXPECT_EQ(move.m_sTargetX, 2);
    EXPECT_EQ(move.m_sDistance, 6);
    EXPECT_EQ(move.m_dReversal, 1.0);
    EXPECT_EQ(move.m_bMirrorAngle, 0);
    EXPECT_EQ(move.m_cDistanceUnit, 0);
    EXPECT_EQ(move.m_bKeepFacing, 0);
    EXPECT_EQ(move.m_bKeepAnime, 0);
    EXPECT_EQ(SavedBody(move), HexBytes("20000000 01 02 1E00 0000 00 01 01 0200 0000 0000 0000 00 01 00 00 01 00 01 00 00 "
                                        "00 0A00 0000 0600 0000 00 0000 0000 00 0000 000000000000F03F 00 00000000"));
}

TEST_F(FlowRecordTest, NewMovementRecordHoldsItsDefaults)
{
    boost::shared_ptr<cEdMove> p(new cEdMove);
    p->m_sSpeed = 99;
    boost::shared_ptr<cEdMove> other = p;
    EXPECT_EQ(NewEdMove(p), 1);
    EXPECT_NE(p, other);
    EXPECT_EQ(other->m_sSpeed, 99);
    EXPECT_EQ(p.use_count(), 1);
    EXPECT_EQ(SavedBody(*p), HexBytes("20000000 00 00 0000 0000 01 01 01 0000 0000 0000 0000 00 01 00 00 01 00 01 00 00 "
                                      "00 0A00 0000 0000 0000 00 0000 0000 00 0000 000000000000F03F 00 00000000"));
}

TEST_F(FlowRecordTest, ShotRecordOverItsVersionGates)
{
    for (int version : {157, 158, 196, 197, 210, 211, 212, 213, 635, 636, 670, 671, 708}) {
        SCOPED_TRACE(version);
        std::vector<unsigned char> stored = StoredAt(kShotRows, version);
        if (version == 157) {
            EXPECT_EQ(stored[0], 52);
            EXPECT_EQ(stored.size(), 4u + 83u + 4u);
        }
        if (version == 708) {
            EXPECT_EQ(stored[0], 60);
            EXPECT_EQ(stored.size(), 101u);
        }
        cEdShot shot;
        ASSERT_EQ(LoadAt(shot, version, stored), 1);
        ExpectMembers(shot, kShotRows, version);
        EXPECT_EQ(SavedBody(shot), UpgradedFrom(kShotRows, version));
    }
}

TEST_F(FlowRecordTest, OlderShotsFollowTheScreenOnlyWhenTheyHome)
{
    struct Row {
        int version, motion, stored, expected;
    };
    const Row rows[] = {
        {200, 5, 0, 1}, {200, 8, 0, 0}, {200, 4, 0, 1}, {200, 7, 0, 1}, {200, 3, 0, 0},
        // 211 stores the switch, but its value is still derived.
        {211, 5, 0, 1}, {211, 8, 1, 0},
        {212, 5, 0, 0}, {212, 8, 1, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.version << " motion " << row.motion);
        auto fields = WithStored(WithStored(kShotRows, "m_cMotion", row.motion), "m_bFollowScreen", row.stored);
        cEdShot shot;
        ASSERT_EQ(LoadAt(shot, row.version, StoredAt(fields, row.version)), 1);
        EXPECT_EQ(shot.m_cMotion, row.motion);
        EXPECT_EQ(shot.m_bFollowScreen, row.expected);
    }
}

TEST_F(FlowRecordTest, ShotValidationOnLoadAndSave)
{
    struct Row {
        int size, hitEffect;
        int expectedSize, expectedEffect;
    };
    // The context's effect list has 30 entries.
    const Row rows[] = {{0, 5, 1, 5}, {-3, 29, 1, 29}, {2, 30, 2, 0}, {1, -1, 1, 0}, {127, 0, 127, 0}};
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.size << " " << row.hitEffect);
        cEdShot shot;
        shot.m_cSize = static_cast<int8_t>(row.size);
        shot.m_sHitEffect = static_cast<int16_t>(row.hitEffect);
        std::vector<unsigned char> body = SavedBody(shot);
        EXPECT_EQ(shot.m_cSize, row.expectedSize);
        EXPECT_EQ(shot.m_sHitEffect, row.expectedEffect);

        // The same values typed into a file are repaired when read.
        auto fields = WithStored(WithStored(kShotRows, "m_cSize", row.size), "m_sHitEffect", row.hitEffect);
        cEdShot read;
        ASSERT_EQ(LoadAt(read, 708, StoredAt(fields, 708)), 1);
        EXPECT_EQ(read.m_cSize, row.expectedSize);
        EXPECT_EQ(read.m_sHitEffect, row.expectedEffect);
    }
}

TEST_F(FlowRecordTest, NewShotRecordHoldsItsDefaults)
{
    boost::shared_ptr<cEdShot> p;
    EXPECT_EQ(NewEdShot(p), 1);
    ASSERT_TRUE(p);
    // Angle mirror, X offset mirror, owner layer and size factor 1; all else 0.
    const char* expected =
        "3C000000 00 00 000000000000 00 00 00 0000 0000 01 0000 00 00 0000 0000 0000 0000 01 00 0000 00 00 01 00 00 "
        "01 00 00 000000000000 00 0000 0000 00 0000 0000 0000 00 0000 00 00 0000 0000 00 00 00 00 00 00000000 0000 "
        "00 0000 00 0000 00 00 00 00 0000 00 00 00 00000000";
    EXPECT_EQ(SavedBody(*p), HexBytes(expected));
}
