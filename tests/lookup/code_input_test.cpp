// Cleaning of the typed code and the steps the search button takes before searching.
#include <gtest/gtest.h>

#include "lookup/CodeInput.h"
#include "lookup/CodeSearch.h"
#include "support/CaseName.h"
#include "support/TestText.h"

namespace mirabo {

namespace {

struct CleanCase {
  const char* name;
  const char* in;
  const char* out;
  bool removed;
  bool beep;
};

const CleanCase kCleanCases[] = {
    {"seven digits stay", "1000001", "1000001", false, false},
    {"hyphen after the third digit goes without a beep", "100-0001", "1000001", true, false},
    {"leading hyphen goes too", "-1000001", "1000001", true, false},
    {"every hyphen goes", "-100--0001-", "1000001", true, false},
    {"postal mark before the code: one beep", "〒530-0001", "5300001", true, true},
    {"leading space", " 530-0001", "5300001", true, true},
    {"spaces around and inside: still one beep", " 530 0001 ", "5300001", true, true},
    {"a hyphen before a letter", "12-a", "12", true, true},
    {"trailing letter goes with a beep", "1000001a", "1000001", true, true},
    {"trailing space goes with a beep", "1000001 ", "1000001", true, true},
    {"full stop stays", "1000001.", "1000001.", false, false},
    {"full stop stays while others go", "〒.1-2", ".12", true, true},
    {"every rejected character goes", "10a0b", "100", true, true},
    {"solidus", "1/2", "12", true, true},
    {"comma, the top of the first rejected range", "1,2", "12", true, true},
    {"exclamation mark", "!1", "1", true, true},
    {"colon, just above nine", "1:2", "12", true, true},
    {"half-width long vowel mark", "100ｰ0001", "1000001", true, true},
    {"kanji", "東1", "1", true, true},
    {"control characters stay", "\t1\x1F", "\t1\x1F", false, false},
    {"nothing but rejected characters", "〒 a", "", true, true},
    {"nothing but hyphens", "--", "", true, false},
    {"empty text", "", "", false, false},
};

void PrintTo(const CleanCase& c, std::ostream* os) { *os << c.name; }

class CleanCodeInputTest : public ::testing::TestWithParam<CleanCase> {};

TEST_P(CleanCodeInputTest, Cleans) {
  QString text = U(GetParam().in);
  const CleanOutcome outcome = CleanCodeInput(text);
  EXPECT_EQ(text, U(GetParam().out));
  EXPECT_EQ(outcome.removed, GetParam().removed);
  EXPECT_EQ(outcome.beep, GetParam().beep);
}

INSTANTIATE_TEST_SUITE_P(Table, CleanCodeInputTest, ::testing::ValuesIn(kCleanCases), CaseName());

struct StartCase {
  const char* name;
  const char* typed;
  const char* text;
  bool cleaned;
  int beeps;
  bool search;
};

const StartCase kStartCases[] = {
    {"empty box beeps and stops", "", "", false, 1, false},
    {"plain digits", "1000001", "1000001", false, 0, true},
    {"full-width digits and hyphen", "１００－０００１", "1000001", true, 0, true},
    {"full-width with the postal mark: one beep", "〒５３０－０００１", "5300001", true, 1, true},
    {"long vowel mark for the hyphen", "１００ー０００１", "1000001", true, 1, true},
    {"two hyphens both go", "100--0001", "1000001", true, 0, true},
    {"leading hyphen goes", "-1000001", "1000001", true, 0, true},
    {"a lone letter: cleaned to nothing, one beep, no search", "a", "", true, 1, false},
    {"a lone ideographic space: one beep, no search", "　", "", true, 1, false},
    {"a lone hyphen: cleaned to nothing, one beep, no search", "-", "", true, 1, false},
    {"full-width full stop becomes a kept full stop", "1000001．", "1000001.", false, 0, true},
};

void PrintTo(const StartCase& c, std::ostream* os) { *os << c.name; }

class StartCodeSearchTest : public ::testing::TestWithParam<StartCase> {};

TEST_P(StartCodeSearchTest, Starts) {
  const CodeSearchStart start = StartCodeSearch(U(GetParam().typed));
  EXPECT_EQ(start.text, U(GetParam().text));
  EXPECT_EQ(start.cleaned, GetParam().cleaned);
  EXPECT_EQ(start.beeps, GetParam().beeps);
  EXPECT_EQ(start.search, GetParam().search);
}

INSTANTIATE_TEST_SUITE_P(Table, StartCodeSearchTest, ::testing::ValuesIn(kStartCases), CaseName());

}  // namespace

}  // namespace mirabo
