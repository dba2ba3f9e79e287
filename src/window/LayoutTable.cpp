// The control table of the main window, in twips.
#include "window/LayoutTable.h"

#include <cmath>

#include "data/TextFitting.h"
#include "platform/DataLayout.h"

namespace mirabo {

namespace {
constexpr const char* G = kGothicName;
constexpr const char* P = kPGothicName;
using K = ControlKind;
}  // namespace

const std::vector<ControlSpec>& ControlTable() {
  static const std::vector<ControlSpec> table = {
      {"List1", K::List, nullptr, "", {150, 255, 1185, 2085}, 20, {P, 11.25}},
      {"List2", K::List, nullptr, "", {1410, 255, 1995, 2085}, 21, {G, 11.25}},
      {"Frame1", K::Frame, nullptr, "", {3540, 150, 1800, 525}, 0, {}},
      {"Option1", K::Option, "Frame1", "番号", {180, 210, 690, 240}, 3, {G, 9}},
      {"Option2", K::Option, "Frame1", "住所", {1020, 165, 690, 315}, 2, {G, 9}},
      {"Frame2", K::Frame, nullptr, "", kOptionPanel, 4, {}},
      {"Frame3", K::Frame, "Frame2", "", {150, 180, 1545, 510}, 5, {}},
      {"Option4", K::Option, "Frame3", "半角", {105, 180, 690, 240}, 6, {G, 9}},
      {"Option3", K::Option, "Frame3", "全角", {780, 180, 660, 240}, 7, {G, 9}},
      {"Frame4", K::Frame, "Frame2", "", {150, 840, 1500, 540}, 8, {}},
      {"Option6", K::Option, "Frame4", "－付", {75, 195, 690, 240}, 9, {G, 9}},
      {"Option5", K::Option, "Frame4", "－無", {780, 165, 690, 315}, 10, {G, 9}},
      {"Frame5", K::Frame, nullptr, "", kOptionPanel, 11, {}},
      {"Frame6", K::Frame, "Frame5", "", {150, 120, 1515, 675}, 12, {}},
      {"Option8", K::Option, "Frame6", "府県名無", {150, 180, 1065, 210}, 13, {G, 9}},
      {"Option7", K::Option, "Frame6", "府県名付", {150, 345, 1065, 315}, 14, {G, 9}},
      {"Frame7", K::Frame, "Frame5", "", {150, 795, 1515, 690}, 15, {}},
      {"Option10", K::Option, "Frame7", "空白なし", {150, 330, 1290, 285}, 16, {G, 9}},
      {"Option9", K::Option, "Frame7", "市町で空白", {150, 150, 1290, 240}, 17, {G, 9}},
      {"List3", K::List, nullptr, "", {150, 2520, 5205, 2085}, 22, {G, 11.25}},
      {"Command1", K::Button, nullptr, "コピー(&C)", {150, 4800, 975, 405}, 18, {}},
      {"Text1", K::TextBox, nullptr, "", {1290, 4800, 1830, 345}, 1, {P, 11.25}},
      {"Command2", K::Button, nullptr, "番号検索", {3300, 4785, 915, 390}, 19, {}},
      {"Command4", K::Button, nullptr, "住所検索", {4440, 4800, 915, 390}, 27, {}},
      // The panel is taller than at first to hold the download and file buttons below the link.
      {"Frame8", K::Frame, nullptr, "", {150, 5475, 5265, 2790}, 23, {}},
      {"Command3", K::Button, "Frame8", "郵便番号ファイル更新", {300, 600, 2100, 450}, 24, {}},
      {"Label2", K::Label, "Frame8", "", {2625, 300, 2205, 1380}, 26, {}},
      // The outline stands before the link so that the link is drawn on top of it.
      {"Shape1", K::Shape, "Frame8", "", {525, 1650, 4065, 315}, -1, {}},
      {"Label3", K::Label, "Frame8", "", {600, 1725, 4140, 225}, 25, {P, 9, true}},
      // No tab stops: the keyboard reaches both through their items in the help menu.
      {"Command5", K::Button, "Frame8", "最新データをダウンロードして更新", {300, 2130, 2850, 450}, -1, {}},
      {"Command6", K::Button, "Frame8", "ファイルを選んで更新…", {3255, 2130, 1950, 450}, -1, {}},
  };
  return table;
}

QString UpdateInstructionText() {
  return QStringLiteral("郵政省のホームページよりダウンロードしたファイルを解凍しプログラムと同じフォルダーに入れて下さい。") +
         QString(24, kWideSpace) + QStringLiteral("ファイル名は") + kNationalCsvName + QStringLiteral("　にして下さい。");
}

int TwipsToPixels(int twips, double twipsPerPixel) { return int(std::lround(twips / twipsPerPixel)); }

QRect TwipsToPixels(const TwipsRect& place, double twipsPerPixel) {
  return QRect(TwipsToPixels(place.left, twipsPerPixel), TwipsToPixels(place.top, twipsPerPixel),
               TwipsToPixels(place.width, twipsPerPixel), TwipsToPixels(place.height, twipsPerPixel));
}

}  // namespace mirabo
