// The notes of the national rows and the house numbers after a town, as data tables.
#include <gtest/gtest.h>

#include "address/TownNote.h"
#include "support/CaseName.h"
#include "support/TestText.h"

namespace mirabo {

namespace {

// A note as "kind:low-high/branch low-high/branch ..." or "kind:name".
std::string Describe(const TownNote& note) {
  static const char* kinds[] = {"whole", "chome", "banchi", "floor", "basement", "others", "named"};
  std::string text = kinds[int(note.kind)];
  text += ':';
  for (const TownNote::Span& span : note.spans)
    text += std::to_string(span.low) + '-' + std::to_string(span.high) + '/' + std::to_string(span.branch) + ' ';
  return text + note.name.toStdString();
}

struct NoteCase {
  const char* name;
  const char* note;  // normal form, as the reader passes it
  const char* parsed;
};
void PrintTo(const NoteCase& c, std::ostream* os) { *os << c.name; }

class TownNoteTest : public ::testing::TestWithParam<NoteCase> {};

TEST_P(TownNoteTest, Parses) { EXPECT_EQ(Describe(ParseTownNote(U(GetParam().note))), GetParam().parsed); }

INSTANTIATE_TEST_SUITE_P(
    Notes, TownNoteTest,
    ::testing::Values(NoteCase{"none", "", "whole:"}, NoteCase{"except buildings", "次のビルを除く", "whole:"},
                      NoteCase{"chome range", "1~19丁目", "chome:1-19/-1 "},
                      NoteCase{"banchi range", "279~353番地", "banchi:279-353/-1 "},
                      NoteCase{"list with a branch", "331、459-4、543番地", "banchi:331-331/-1 459-459/4 543-543/-1 "},
                      NoteCase{"unit on every item", "1丁目、3~4丁目", "chome:1-1/-1 3-4/-1 "},
                      NoteCase{"numbers without a unit are banchi", "88-2、814", "banchi:88-88/2 814-814/-1 "},
                      NoteCase{"floor", "38階", "floor:38-38/-1 "},
                      NoteCase{"basement", "地階・階層不明", "basement:"}, NoteCase{"others", "その他", "others:"},
                      NoteCase{"place name", "南", "named:南"}, NoteCase{"name with others", "国見その他", "named:国見その他"},
                      NoteCase{"mixed units", "1丁目、5番地", "named:1丁目、5番地"},
                      NoteCase{"backwards range", "9~3丁目", "named:9~3丁目"}),
    CaseName());

struct HouseCase {
  const char* name;
  const char* rest;
  std::vector<int> numbers;
  int chome, banchi, branch, floor;
  bool basement;
};
void PrintTo(const HouseCase& c, std::ostream* os) { *os << c.name; }

class HouseNumbersTest : public ::testing::TestWithParam<HouseCase> {};

TEST_P(HouseNumbersTest, Reads) {
  const HouseCase& c = GetParam();
  const HouseNumbers house = ReadHouseNumbers(U(c.rest));
  EXPECT_EQ(std::vector<int>(house.numbers.begin(), house.numbers.end()), c.numbers);
  EXPECT_EQ(house.Chome(), c.chome);
  EXPECT_EQ(house.Banchi(), c.banchi);
  EXPECT_EQ(house.Branch(), c.branch);
  EXPECT_EQ(house.floor, c.floor);
  EXPECT_EQ(house.basement, c.basement);
}

INSTANTIATE_TEST_SUITE_P(
    Rests, HouseNumbersTest,
    ::testing::Values(HouseCase{"hyphens", "2-5-1", {2, 5, 1}, 2, 2, 5, -1, false},
                      HouseCase{"chome written", "2丁目5-1", {2, 5, 1}, 2, 5, 1, -1, false},
                      HouseCase{"banchi and branch", "1234番地5", {1234, 5}, 1234, 1234, 5, -1, false},
                      HouseCase{"building floor and room", "1-1ビル3F201号室", {1, 1}, 1, 1, 1, 3, false},
                      HouseCase{"floor in kanji counter", "15階", {15}, 15, 15, -1, 15, false},
                      HouseCase{"basement", "地下1階", {}, -1, -1, -1, -1, true},
                      HouseCase{"a name first", "ビル", {}, -1, -1, -1, -1, false}),
    CaseName());

}  // namespace

}  // namespace mirabo
