// Counting the report's changes as the change list shows them: a code's lone removal
// and addition are one 変更, every other change stands on its own.
#include <gtest/gtest.h>

#include "update/changes/ChangeKinds.h"

namespace {

EntryChange Removed(const char* code, const char* town) { return {EntryChange::Removed, code, "P", "C", town}; }
EntryChange Added(const char* code, const char* town) { return {EntryChange::Added, code, "P", "C", town}; }

struct KindsCase {
  const char* name;
  QList<EntryChange> changes;
  ChangeKindCounts expected;
};
void PrintTo(const KindsCase& c, std::ostream* os) { *os << c.name; }

class ChangeKindsTest : public ::testing::TestWithParam<KindsCase> {};

TEST_P(ChangeKindsTest, CountsRowsByKind) {
  const ChangeKindCounts got = CountChangeKinds(GetParam().changes);
  EXPECT_EQ(got.added, GetParam().expected.added);
  EXPECT_EQ(got.removed, GetParam().expected.removed);
  EXPECT_EQ(got.renamed, GetParam().expected.renamed);
}

INSTANTIATE_TEST_SUITE_P(
    Mixes, ChangeKindsTest,
    ::testing::Values(
        KindsCase{"Nothing", {}, {0, 0, 0}},
        KindsCase{"OneRename", {Removed("1000001", "a"), Added("1000001", "b")}, {0, 0, 1}},
        // Two removals and four additions, one pair of them a rename: five rows.
        KindsCase{"RenameAmongOthers",
                  {Removed("0640941", "a"), Added("0640941", "b"), Removed("1000001", "c"), Removed("1000002", "d"),
                   Removed("1000003", "e"), Added("1000004", "f")},
                  {1, 3, 1}},
        KindsCase{"TwoOutOneInIsNoRename",
                  {Removed("1000001", "a"), Removed("1000001", "b"), Added("1000001", "c")}, {1, 2, 0}},
        KindsCase{"TwoAdditionsOfACodeAreNoRename", {Added("1000003", "e"), Added("1000003", "f")}, {2, 0, 0}},
        KindsCase{"OneRemovalThenAnotherCodesAddition", {Removed("1000001", "a"), Added("1000002", "a")}, {1, 1, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GroupByCode, KeepsTheReportsOrderAndMarksRenames) {
  const QList<CodeChanges> groups =
      GroupByCode({Removed("1000001", "a"), Added("1000001", "b"), Added("1000002", "c"), Added("1000002", "d")});
  ASSERT_EQ(groups.size(), 2);
  EXPECT_EQ(groups[0].begin, 0);
  EXPECT_EQ(groups[0].end, 2);
  EXPECT_TRUE(groups[0].renamed);
  EXPECT_EQ(groups[1].begin, 2);
  EXPECT_EQ(groups[1].end, 4);
  EXPECT_FALSE(groups[1].renamed);
}

}  // namespace
