// The normal and folded forms of matching, as data tables.
#include <gtest/gtest.h>

#include "address/AddressFold.h"
#include "support/CaseName.h"
#include "support/TestText.h"

namespace {

struct FoldCase {
  const char* name;
  const char* in;
  const char* out;
};
void PrintTo(const FoldCase& c, std::ostream* os) { *os << c.name; }

class NormalFormTest : public ::testing::TestWithParam<FoldCase> {};

TEST_P(NormalFormTest, Normalises) { EXPECT_EQ(NormalForm(U(GetParam().in)), U(GetParam().out)); }

INSTANTIATE_TEST_SUITE_P(
    Counters, NormalFormTest,
    ::testing::Values(FoldCase{"jo", "北一条西", "北1条西"}, FoldCase{"chome", "二丁目", "2丁目"},
                      FoldCase{"ten and one", "十一線", "11線"}, FoldCase{"twenty four", "南二十四条", "南24条"},
                      FoldCase{"thirty", "三十条", "30条"}, FoldCase{"hundred and five", "百五番地", "105番地"},
                      FoldCase{"positional zero", "二〇号", "20号"}, FoldCase{"bancho", "一番町", "1番町"},
                      FoldCase{"chiwari", "第三地割", "第3地割"},
                      FoldCase{"full width digits and spaces", "北 １ 条", "北1条"},
                      FoldCase{"numeral in a name stays", "三鷹市十日町", "三鷹市十日町"},
                      FoldCase{"numeral at the end stays", "一", "一"}),
    CaseName());

class FoldVariantsTest : public ::testing::TestWithParam<FoldCase> {};

TEST_P(FoldVariantsTest, Folds) { EXPECT_EQ(FoldVariants(U(GetParam().in)), U(GetParam().out)); }

INSTANTIATE_TEST_SUITE_P(
    Spellings, FoldVariantsTest,
    ::testing::Values(FoldCase{"ke between kanji", "留ケ森留が森留ガ森留ヵ森留カ森", "留ヶ森留ヶ森留ヶ森留ヶ森留ヶ森"},
                      FoldCase{"ka in katakana stays", "カタカナ", "カタカナ"},
                      FoldCase{"ga in hiragana stays", "ながの", "ながの"},
                      FoldCase{"ga at the end stays", "森が", "森が"},
                      FoldCase{"no", "丸之内丸ノ内", "丸の内丸の内"},
                      FoldCase{"old kanji", "﨑髙邊邉澤濱冨舘檜龍萬嶋廣國", "崎高辺辺沢浜富館桧竜万島広国"}),
    CaseName());

}  // namespace
