// What a stored town's note in parentheses covers, and the numbers written after a town.
#pragma once

#include <QList>
#include <QString>
#include <QStringView>

namespace mirabo {

// A town's note, as in "大通西（１～１９丁目）" or "丸の内ＪＰタワー（１階）".
struct TownNote {
  enum class Kind {
    Whole,     // no note, "次のビルを除く", or a note that says nothing about numbers
    Chome,     // "１～３丁目", "１丁目", "１、３丁目"
    Banchi,    // "２７９～３５３番地", "１０番", "３３１、４５９－４番地" (459 branch 4 only), "８８－２、８１４"
    Floor,     // "１階"
    Basement,  // "地階・階層不明": the building without a floor, or below ground
    Others,    // "その他": every number that no sibling's note lists
    Named,     // a part known by its own name, as "（南）" or "（国見その他）"
  };
  struct Span {
    int low = 0;
    int high = 0;
    int branch = -1;  // -1: any branch
  };
  Kind kind = Kind::Whole;
  QList<Span> spans;  // Chome, Banchi, Floor
  QString name;       // Named: the note in folded form

  bool Covers(int number, int branch) const;
};

// The note's text in normal form, without its parentheses.
TownNote ParseTownNote(const QString& normalNote);

// The numbers that follow a town in a written address (normal form): "2丁目5-1",
// "2-5-1", "5番地", "1234-5", "3F", "地下1階". Numbers not written are -1.
struct HouseNumbers {
  QList<int> numbers;         // the leading numbers, in the order written
  bool chomeWritten = false;  // the first of them was followed by 丁目
  int floor = -1;
  bool basement = false;

  int Chome() const { return numbers.value(0, -1); }
  int Banchi() const { return numbers.value(chomeWritten ? 1 : 0, -1); }
  int Branch() const { return numbers.value(chomeWritten ? 2 : 1, -1); }
};
HouseNumbers ReadHouseNumbers(QStringView normalRest);

}  // namespace mirabo
