// The main window's controls as one table: kind, container, caption, place, tab index, font.
#pragma once

#include <QRect>
#include <QString>
#include <vector>

namespace mirabo {

enum class ControlKind { List, TextBox, Button, Option, Frame, Label, Shape };

struct FontSpec {
  const char* family = nullptr;  // nullptr: the window's default font
  double points = 0;
  bool underline = false;
};

struct TwipsRect {
  int left, top, width, height;  // twips, from the container's top-left corner
};

// Frame2 and Frame5, the two option panels that take turns in one place.
inline constexpr TwipsRect kOptionPanel{3540, 700, 1800, 1620};

struct ControlSpec {
  const char* name;
  ControlKind kind;
  const char* container;  // nullptr: the window's client area
  const char* caption;
  TwipsRect place;
  int tabIndex;                  // -1: takes no part in the tab order
  FontSpec font;
};

inline constexpr char kGothicName[] = "ＭＳ ゴシック";
inline constexpr char kPGothicName[] = "ＭＳ Ｐゴシック";
inline const QString kGothic = QString::fromUtf8(kGothicName);
inline const QString kPGothic = QString::fromUtf8(kPGothicName);
inline const QString kWindowTitle = QStringLiteral("郵便番号検索(Ver.2.5)");
inline const QString kSearchPageUrl = QStringLiteral("http://www.post.japanpost.jp/newnumber/search.htm");

// The controls in creation order; a container always stands before what it holds.
const std::vector<ControlSpec>& ControlTable();

// The instruction text of the update panel.
QString UpdateInstructionText();

// Twips to pixels at `twipsPerPixel`, rounded to the nearest pixel.
int TwipsToPixels(int twips, double twipsPerPixel);
QRect TwipsToPixels(const TwipsRect& place, double twipsPerPixel);

}  // namespace mirabo
