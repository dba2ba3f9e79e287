// The change window's rows: renames paired, codes hyphenated, filters and the copied text.
#include <gtest/gtest.h>

#include "support/TestText.h"
#include "window/dialogs/ChangeRows.h"

namespace mirabo {

// Readable values in failure messages (found by argument-dependent lookup).
void PrintTo(const ChangeRow& r, std::ostream* os) {
  *os << QStringList({r.kind, r.code, r.pref, r.city, r.town}).join('|').toStdString();
}

namespace {

EntryChange Removed(const char* code, const char* pref, const char* city, const char* town) {
  return {EntryChange::Removed, code, QString::fromUtf8(pref), QString::fromUtf8(city), QString::fromUtf8(town)};
}
EntryChange Added(const char* code, const char* pref, const char* city, const char* town) {
  return {EntryChange::Added, code, QString::fromUtf8(pref), QString::fromUtf8(city), QString::fromUtf8(town)};
}


TEST(ChangeRowsOf, OneRemovalAndOneAdditionOfACodeReadAsARename) {
  const QList<EntryChange> changes{Removed("0640941", "北海道", "札幌市", "旭ケ丘"),
                                   Added("0640941", "北海道", "札幌市", "新旭ケ丘")};
  EXPECT_EQ(ChangeRowsOf(changes), QList<ChangeRow>({{"変更", "064-0941", "北海道", "札幌市", "旭ケ丘 → 新旭ケ丘"}}));
  EXPECT_EQ(CountChangeKinds(changes), (ChangeKindCounts{.renamed = 1}));  // the message counts as the list shows
}

TEST(ChangeRowsOf, EveryChangedTextOfARenameShowsBothSides) {
  const QList<ChangeRow> rows =
      ChangeRowsOf({Removed("3990000", "長野県", "旧村", "以下に掲載がない場合"), Added("3990000", "長野県", "新市", "旧村")});
  EXPECT_EQ(rows, QList<ChangeRow>({{"変更", "399-0000", "長野県", "旧村 → 新市", "以下に掲載がない場合 → 旧村"}}));
}

TEST(ChangeRowsOf, OtherMixesOfACodeStayApartButTogether) {
  const QList<EntryChange> changes{
      Removed("1000001", "東京都", "千代田区", "a"), Removed("1000001", "東京都", "千代田区", "b"),
      Added("1000001", "東京都", "千代田区", "c"),   // two out, one in: no pairing
      Added("1000002", "東京都", "千代田区", "d"),   // only an addition
      Added("1000003", "東京都", "千代田区", "e"), Added("1000003", "東京都", "千代田区", "f"),
      Removed("1000004", "東京都", "千代田区", "g"),
  };
  EXPECT_EQ(ChangeRowsOf(changes), QList<ChangeRow>({{"廃止", "100-0001", "東京都", "千代田区", "a"},
                                                    {"廃止", "100-0001", "東京都", "千代田区", "b"},
                                                    {"追加", "100-0001", "東京都", "千代田区", "c"},
                                                    {"追加", "100-0002", "東京都", "千代田区", "d"},
                                                    {"追加", "100-0003", "東京都", "千代田区", "e"},
                                                    {"追加", "100-0003", "東京都", "千代田区", "f"},
                                                    {"廃止", "100-0004", "東京都", "千代田区", "g"}}));
  EXPECT_EQ(CountChangeKinds(changes), (ChangeKindCounts{.added = 4, .removed = 3, .renamed = 0}));
}

TEST(ChangeRowsOf, ACodeThatIsNotSevenDigitsIsShownAsItIs) {
  const QList<ChangeRow> rows = ChangeRowsOf({Added("12345", "P", "C", "T"), Added("12345ab", "P", "C", "T")});
  EXPECT_EQ(rows[0].code, "12345");
  EXPECT_EQ(rows[1].code, "12345ab");
}

const QList<ChangeRow> kRows{{"変更", "064-0941", "北海道", "札幌市", "旭ケ丘 → 新旭ケ丘"},
                             {"追加", "100-0002", "東京都", "千代田区", "Kioi"},
                             {"変更", "399-0000", "長野県 → 山梨県", "境村", "以下に掲載がない場合"}};

TEST(ChangeRowFilters, PrefecturesInFirstAppearanceWithBothSidesOfAChange) {
  EXPECT_EQ(PrefecturesOf(kRows), QStringList({"北海道", "東京都", "長野県", "山梨県"}));
}

TEST(ChangeRowFilters, PrefectureAndTextBothApply) {
  auto matching = [](const QString& pref, const QString& text) {
    QStringList codes;
    for (const ChangeRow& row : kRows)
      if (ChangeRowMatches(row, pref, text)) codes << row.code;
    return codes;
  };
  EXPECT_EQ(matching("", ""), QStringList({"064-0941", "100-0002", "399-0000"}));
  EXPECT_EQ(matching("東京都", ""), QStringList({"100-0002"}));
  EXPECT_EQ(matching("山梨県", ""), QStringList({"399-0000"}));  // the new side of a rename
  EXPECT_EQ(matching("", "新旭"), QStringList({"064-0941"}));
  EXPECT_EQ(matching("", "0640"), QStringList({"064-0941"}));      // digits without the hyphen
  EXPECT_EQ(matching("", "064-09"), QStringList({"064-0941"}));
  EXPECT_EQ(matching("", "kioi"), QStringList({"100-0002"}));      // case does not matter
  EXPECT_EQ(matching("北海道", "千代田"), QStringList());
}

TEST(ChangeRowsAsTsv, HeadingsThenTheRows) {
  EXPECT_EQ(ChangeRowsAsTsv(kRows.mid(0, 2)), QStringLiteral("区分\t郵便番号\t都道府県\t市区町村\t町域\n"
                                                              "変更\t064-0941\t北海道\t札幌市\t旭ケ丘 → 新旭ケ丘\n"
                                                              "追加\t100-0002\t東京都\t千代田区\tKioi\n"));
  EXPECT_EQ(ChangeRowsAsTsv({}), QStringLiteral("区分\t郵便番号\t都道府県\t市区町村\t町域\n"));
}

}  // namespace

}  // namespace mirabo
