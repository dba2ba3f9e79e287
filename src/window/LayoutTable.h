// The main window's controls as one table: kind, container, caption, place, tab index, font.
#pragma once

#include <QRect>
#include <QString>
#include <vector>

enum class ControlKind { List, TextBox, Button, Option, Frame, Label, Shape };

struct FontSpec {
  const char* family = nullptr;  // nullptr: the window's default font
  double points = 0;
  bool underline = false;
};

struct ControlSpec {
  const char* name;
  ControlKind kind;
  const char* container;  // nullptr: the window's client area
  const char* caption;
  int left, top, width, height;  // twips, from the container's top-left corner
  int tabIndex;                  // -1: takes no part in the tab order
  FontSpec font;
};

inline const QString kGothic = QStringLiteral("ＭＳ ゴシック");
inline const QString kPGothic = QStringLiteral("ＭＳ Ｐゴシック");
inline const QString kWindowTitle = QStringLiteral("郵便番号検索(Ver.2.5)");
inline const QString kSearchPageUrl = QStringLiteral("http://www.post.japanpost.jp/newnumber/search.htm");

// The controls in creation order; a container always stands before what it holds.
const std::vector<ControlSpec>& ControlTable();

// The instruction text of the update panel.
QString UpdateInstructionText();

// Twips to pixels at `twipsPerPixel`, rounded to the nearest pixel.
int TwipsToPixels(int twips, double twipsPerPixel);
QRect TwipsToPixels(int left, int top, int width, int height, double twipsPerPixel);
