// The comparison of two entry files as multisets, its order, and the report's bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include <QMap>

#include "support/DataBuilder.h"
#include "support/TestText.h"
#include "update/changes/ChangeReport.h"
#include "update/RebuildKit.h"

namespace mirabo {

// Readable values in failure messages (found by argument-dependent lookup).
void PrintTo(const EntryChange& c, std::ostream* os) {
  *os << (c.kind == EntryChange::Added ? "+" : "-") << c.code.toStdString() << '/' << c.pref.toStdString() << '/'
      << c.city.toStdString() << '/' << c.town.toStdString();
}

namespace {

QByteArray EntryBytes(const QList<EntryRecord>& entries) {
  QByteArray bytes(entries.size() * EntryRecord::Size, '\0');
  for (qsizetype i = 0; i < entries.size(); ++i) entries[i].Encode(bytes.data() + i * EntryRecord::Size);
  return bytes;
}

EntryChange Removed(const char* code, const char* pref, const char* city, const char* town) {
  return {EntryChange::Removed, code, QString::fromUtf8(pref), QString::fromUtf8(city), QString::fromUtf8(town)};
}
EntryChange Added(const char* code, const char* pref, const char* city, const char* town) {
  return {EntryChange::Added, code, QString::fromUtf8(pref), QString::fromUtf8(city), QString::fromUtf8(town)};
}


const EntryRecord kSapporo = Entry("0600000", "北海道", "札幌市中央区", "以下に掲載がない場合");
const EntryRecord kAsahi = Entry("0640941", "北海道", "札幌市中央区", "旭ケ丘");
const EntryRecord kChiyoda = Entry("1000001", "東京都", "千代田区", "千代田");

TEST(CompareEntries, SameIdentityTwiceBeforeAndOnceAfterIsOneRemoval) {
  const EntryChanges result = CompareEntries(EntryBytes({kAsahi, kChiyoda, kAsahi}), EntryBytes({kChiyoda, kAsahi}));
  EXPECT_EQ(result.changes, QList<EntryChange>({Removed("0640941", "北海道", "札幌市中央区", "旭ケ丘")}));
  EXPECT_EQ(result.removed, 1);
  EXPECT_EQ(result.added, 0);
  EXPECT_EQ(result.retiredCodes, 0);  // the code still has its other copy
}

TEST(CompareEntries, SameIdentityOnceBeforeAndThreeTimesAfterIsTwoAdditions) {
  const EntryChanges result = CompareEntries(EntryBytes({kAsahi}), EntryBytes({kAsahi, kAsahi, kAsahi}));
  const EntryChange added = Added("0640941", "北海道", "札幌市中央区", "旭ケ丘");
  EXPECT_EQ(result.changes, QList<EntryChange>({added, added}));
  EXPECT_EQ(result.newCodes, 0);
}

TEST(CompareEntries, MovedRowsAreNoChange) {
  const EntryChanges result =
      CompareEntries(EntryBytes({kSapporo, kAsahi, kChiyoda}), EntryBytes({kChiyoda, kSapporo, kAsahi}));
  EXPECT_TRUE(result.changes.isEmpty());
  EXPECT_EQ(result.added + result.removed + result.newCodes + result.retiredCodes, 0);
}

TEST(CompareEntries, RowMovedFarAwayIsNoChange) {
  // Further than the in-step walk looks ahead: the moved row is settled by counting.
  QList<EntryRecord> before;
  for (int i = 0; i < 300; ++i) before << Entry(QStringLiteral("%1").arg(1000000 + i), "東京都", "千代田区", "町");
  QList<EntryRecord> after = before;
  after.move(10, 250);
  after.move(280, 3);
  EXPECT_TRUE(CompareEntries(EntryBytes(before), EntryBytes(after)).changes.isEmpty());
}

// Random editions over a few identities with many duplicates, against counting each
// identity's copies on both sides.
TEST(CompareEntries, RandomEditionsMatchCountingCopies) {
  std::mt19937 rng(5);
  const QStringList towns{"a", "b", "c", " c", "d"};  // " c" is "c" once trimmed
  auto random = [&] {
    return Entry(QStringLiteral("10000%1").arg(rng() % 4, 2, 10, QChar(u'0')), "P", "C", towns[rng() % towns.size()]);
  };
  for (int round = 0; round < 40; ++round) {
    QList<EntryRecord> before, after;
    for (int i = 0; i < 200; ++i) before << random();
    for (const EntryRecord& e : before) {
      const unsigned dice = rng() % 20;
      if (dice == 0) continue;           // removed
      if (dice == 1) after << random();  // inserted before it
      after << e;
    }
    if (round % 2) std::shuffle(after.begin(), after.end(), rng);
    QMap<QString, int> surplus;  // new copies minus old copies
    auto key = [](const EntryRecord& e) { return e.Code + '|' + e.Town.trimmed(); };
    for (const EntryRecord& e : before) --surplus[key(e)];
    for (const EntryRecord& e : after) ++surplus[key(e)];
    QMap<QString, int> reported;
    for (const EntryChange& c : CompareEntries(EntryBytes(before), EntryBytes(after)).changes)
      reported[c.code + '|' + c.town] += c.kind == EntryChange::Added ? 1 : -1;
    surplus.removeIf([](const auto& item) { return item.value() == 0; });
    EXPECT_EQ(reported, surplus) << "round " << round;
  }
}

TEST(CompareEntries, RenamedOnlyTownOfACodeIsOneRemovalAndOneAddition) {
  const EntryChanges result =
      CompareEntries(EntryBytes({kSapporo, kAsahi}), EntryBytes({kSapporo, Entry("0640941", "北海道", "札幌市中央区", "新旭ケ丘")}));
  EXPECT_EQ(result.changes, QList<EntryChange>({Removed("0640941", "北海道", "札幌市中央区", "旭ケ丘"),
                                                Added("0640941", "北海道", "札幌市中央区", "新旭ケ丘")}));
  EXPECT_EQ(result.newCodes, 0);
  EXPECT_EQ(result.retiredCodes, 0);
}

TEST(CompareEntries, CodesThatOnlyOneSideHoldsAreCountedOnce) {
  // 1000002 appears twice in the new set, 0640941 leaves with both of its towns.
  const EntryChanges result = CompareEntries(
      EntryBytes({kSapporo, kAsahi, Entry("0640941", "北海道", "札幌市中央区", "旭ケ丘二丁目")}),
      EntryBytes({kSapporo, Entry("1000002", "東京都", "千代田区", "皇居外苑"), Entry("1000002", "東京都", "千代田区", "一ツ橋")}));
  EXPECT_EQ(result.added, 2);
  EXPECT_EQ(result.removed, 2);
  EXPECT_EQ(result.newCodes, 1);
  EXPECT_EQ(result.retiredCodes, 1);
}

TEST(CompareEntries, IdentitiesAreTheTrimmedStoredTexts) {
  // Spaces around a text do not count; texts beyond a field's width were never stored.
  const QString longTown = QString(45, QChar(u'長'));  // 90 bytes: stored as its first 40 characters
  const EntryChanges result =
      CompareEntries(EntryBytes({Entry("0640941", "北海道", " 札幌市中央区", "旭ケ丘  "), Entry("0640942", "北海道", "札幌市", longTown)}),
                     EntryBytes({kAsahi, Entry("0640942", "北海道", "札幌市", QString(40, QChar(u'長')) + "町")}));
  EXPECT_TRUE(result.changes.isEmpty()) << result.changes.size();
}

TEST(CompareEntries, ATrailingPartOfARecordIsIgnored) {
  const EntryChanges result = CompareEntries(EntryBytes({kAsahi}) + "0640941", EntryBytes({kAsahi}));
  EXPECT_TRUE(result.changes.isEmpty());
}

TEST(CompareEntries, EmptySetsCompareAsAllAddedOrAllRemoved) {
  EXPECT_EQ(CompareEntries({}, EntryBytes({kChiyoda})).changes,
            QList<EntryChange>({Added("1000001", "東京都", "千代田区", "千代田")}));
  EXPECT_EQ(CompareEntries(EntryBytes({kChiyoda}), {}).retiredCodes, 1);
}

// Ordered by code, then removals first, then prefecture, city and town as code page
// 932 bytes. "Ａ" (82 60) sorts before "あ" (82 A0) and "亜" (88 9F) there, although
// in Unicode "Ａ" (U+FF21) comes after both.
TEST(CompareEntries, OrderIsCodeThenRemovalsThenCodePage932Bytes) {
  const EntryChanges result = CompareEntries(
      EntryBytes({Entry("2000000", "県", "市", "旧"), Entry("1000000", "県", "市", "旧")}),
      EntryBytes({Entry("1000000", "県", "市", "亜"), Entry("1000000", "県", "市", "あ"), Entry("1000000", "県", "市", "Ａ"),
                  Entry("0999999", "県", "市", "z")}));
  EXPECT_EQ(result.changes, QList<EntryChange>({Added("0999999", "県", "市", "z"), Removed("1000000", "県", "市", "旧"),
                                                Added("1000000", "県", "市", "Ａ"), Added("1000000", "県", "市", "あ"),
                                                Added("1000000", "県", "市", "亜"), Removed("2000000", "県", "市", "旧")}));
}

TEST(CompareEntries, PrefectureDecidesBeforeCityAndCityBeforeTown) {
  const EntryChanges result = CompareEntries(
      {}, EntryBytes({Entry("1000000", "B", "A", "A"), Entry("1000000", "A", "B", "A"), Entry("1000000", "A", "A", "B"),
                      Entry("1000000", "A", "A", "A")}));
  EXPECT_EQ(result.changes, QList<EntryChange>({Added("1000000", "A", "A", "A"), Added("1000000", "A", "A", "B"),
                                                Added("1000000", "A", "B", "A"), Added("1000000", "B", "A", "A")}));
}

TEST(ChangeReportBytes, HeaderThenOneTabSeparatedLinePerChangeInUtf8) {
  const QByteArray bytes = ChangeReportBytes({Removed("0640941", "北海道", "札幌市中央区", "旭ケ丘"),
                                              Added("0640941", "北海道", "札幌市中央区", "新旭ケ丘")});
  EXPECT_EQ(bytes, QByteArray("区分\t郵便番号\t都道府県\t市区町村\t町域\n"
                              "廃止\t0640941\t北海道\t札幌市中央区\t旭ケ丘\n"
                              "追加\t0640941\t北海道\t札幌市中央区\t新旭ケ丘\n"));
  // The header alone when nothing changed; "区分" in UTF-8 is E5 8C BA E5 88 86.
  EXPECT_EQ(ChangeReportBytes({}).left(6), Hex("E5 8C BA E5 88 86"));
  EXPECT_EQ(ChangeReportBytes({}), QByteArray("区分\t郵便番号\t都道府県\t市区町村\t町域\n"));
}

TEST(ChangeReportBytes, TabsAndLineBreaksInsideATextBecomeSpaces) {
  EXPECT_EQ(ChangeReportBytes({Added("1000001", "東京都", "千\t代田区", "a\r\nb")}),
            QByteArray("区分\t郵便番号\t都道府県\t市区町村\t町域\n追加\t1000001\t東京都\t千 代田区\ta  b\n"));
}

TEST(RebuildDoneMessage, CountsOrFirstImport) {
  ChangeSummary summary;
  EXPECT_EQ(RebuildDoneMessage(summary),
            QStringLiteral("更新しました。初めての取り込みです（比べる前回のデータがないため、変更一覧はありません）。"));
  summary.compared = true;
  summary.added = 57;
  summary.removed = 41;
  summary.kinds = {.added = 50, .removed = 34, .renamed = 7};  // seven of each paired as renames
  summary.newCodes = 12;
  summary.retiredCodes = 9;
  EXPECT_EQ(RebuildDoneMessage(summary),
            QStringLiteral("更新しました。追加 50 件、廃止 34 件、変更 7 件（郵便番号 12 件が新設、9 件が廃止）"));
  summary.reportError = "Is a directory";
  EXPECT_EQ(RebuildDoneMessage(summary), QStringLiteral("更新しました。追加 50 件、廃止 34 件、変更 7 件（郵便番号 12 件が新設、9 件が廃止）\n"
                                                        "変更一覧（CHANGES.TSV）を保存できませんでした（理由: Is a directory）。"));
}

}  // namespace

}  // namespace mirabo
