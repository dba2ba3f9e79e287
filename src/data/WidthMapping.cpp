// Full-width and half-width forms from one explicit table, so that every result is a
// character that code page 932 can hold.
#include "data/WidthMapping.h"

#include <array>

#include "data/TextFitting.h"

namespace mirabo {

namespace {

constexpr char16_t kVoiced = 0xFF9E;      // ﾞ
constexpr char16_t kSemiVoiced = 0xFF9F;  // ﾟ
constexpr char16_t kHalfFirst = 0xFF61;   // ｡, the first half-width katakana form
constexpr char16_t kHalfLast = 0xFF9F;

// Full-width form of each half-width character U+FF61..U+FF9F, in code order.
constexpr std::array<char16_t, kHalfLast - kHalfFirst + 1> kFullOfHalf = {
    0x3002, 0x300C, 0x300D, 0x3001, 0x30FB,  // ｡｢｣､･  。「」、・
    0x30F2,                                  // ｦ ヲ
    0x30A1, 0x30A3, 0x30A5, 0x30A7, 0x30A9,  // ｧｨｩｪｫ ァィゥェォ
    0x30E3, 0x30E5, 0x30E7, 0x30C3,          // ｬｭｮｯ ャュョッ
    0x30FC,                                  // ｰ ー
    0x30A2, 0x30A4, 0x30A6, 0x30A8, 0x30AA,  // ｱｲｳｴｵ
    0x30AB, 0x30AD, 0x30AF, 0x30B1, 0x30B3,  // ｶｷｸｹｺ
    0x30B5, 0x30B7, 0x30B9, 0x30BB, 0x30BD,  // ｻｼｽｾｿ
    0x30BF, 0x30C1, 0x30C4, 0x30C6, 0x30C8,  // ﾀﾁﾂﾃﾄ
    0x30CA, 0x30CB, 0x30CC, 0x30CD, 0x30CE,  // ﾅﾆﾇﾈﾉ
    0x30CF, 0x30D2, 0x30D5, 0x30D8, 0x30DB,  // ﾊﾋﾌﾍﾎ
    0x30DE, 0x30DF, 0x30E0, 0x30E1, 0x30E2,  // ﾏﾐﾑﾒﾓ
    0x30E4, 0x30E6, 0x30E8,                  // ﾔﾕﾖ
    0x30E9, 0x30EA, 0x30EB, 0x30EC, 0x30ED,  // ﾗﾘﾙﾚﾛ
    0x30EF, 0x30F3,                          // ﾜﾝ
    0x309B, 0x309C,                          // ﾞﾟ ゛゜
};

constexpr char16_t kHalfU = 0xFF73;  // ｳ, whose voiced form ヴ is not its code + 1
constexpr char16_t kFullVu = 0x30F4;  // ヴ

// ｶ..ﾄ and ﾊ..ﾎ take ﾞ; their voiced full-width form is the plain one + 1.
bool TakesVoiced(char16_t half) {
  return (half >= 0xFF76 && half <= 0xFF84) || (half >= 0xFF8A && half <= 0xFF8E);
}
// ﾊ..ﾎ take ﾟ; their semi-voiced full-width form is the plain one + 2.
bool TakesSemiVoiced(char16_t half) { return half >= 0xFF8A && half <= 0xFF8E; }

// Half-width spelling of a character of the block U+3000..U+30FF: a base and an
// optional mark, or nothing when the character has no half-width form.
struct HalfForm {
  char16_t base = 0;
  char16_t mark = 0;
};

std::array<HalfForm, 0x100> BuildHalfForms() {
  std::array<HalfForm, 0x100> forms{};
  forms[0] = {u' ', 0};  // the ideographic space
  for (char16_t half = kHalfFirst; half <= kHalfLast; ++half) {
    const char16_t full = kFullOfHalf[half - kHalfFirst];
    forms[full - 0x3000] = {half, 0};
    if (TakesVoiced(half)) forms[full + 1 - 0x3000] = {half, kVoiced};
    if (TakesSemiVoiced(half)) forms[full + 2 - 0x3000] = {half, kSemiVoiced};
  }
  forms[kFullVu - 0x3000] = {kHalfU, kVoiced};
  return forms;
}

const std::array<HalfForm, 0x100>& HalfForms() {
  static const std::array<HalfForm, 0x100> forms = BuildHalfForms();
  return forms;
}

// The full-width letter for a half-width base followed by `mark`, or 0 when they do not join.
char16_t Joined(char16_t half, char16_t mark) {
  if (mark == kVoiced && half == kHalfU) return kFullVu;
  if (mark == kVoiced && TakesVoiced(half)) return kFullOfHalf[half - kHalfFirst] + 1;
  if (mark == kSemiVoiced && TakesSemiVoiced(half)) return kFullOfHalf[half - kHalfFirst] + 2;
  return 0;
}

}  // namespace

QString ToHalfWidth(const QString& text) {
  QString half;
  half.reserve(text.size());
  for (QChar qc : text) {
    const char16_t c = qc.unicode();
    if (c >= 0xFF01 && c <= 0xFF5E) {
      half += QChar(char16_t(c - 0xFF01 + 0x21));
    } else if (c >= 0x3000 && c <= 0x30FF && HalfForms()[c - 0x3000].base != 0) {
      const HalfForm form = HalfForms()[c - 0x3000];
      half += QChar(form.base);
      if (form.mark) half += QChar(form.mark);
    } else {
      half += qc;
    }
  }
  return half;
}

QString ToFullWidth(const QString& text) {
  QString full;
  full.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t c = text[i].unicode();
    if (c >= 0x21 && c <= 0x7E) {
      full += QChar(char16_t(c - 0x21 + 0xFF01));
    } else if (c == u' ') {
      full += kWideSpace;
    } else if (c >= kHalfFirst && c <= kHalfLast) {
      const char16_t next = i + 1 < text.size() ? text[i + 1].unicode() : 0;
      const char16_t joined = Joined(c, next);
      if (joined) ++i;
      full += QChar(joined ? joined : kFullOfHalf[c - kHalfFirst]);
    } else {
      full += QChar(c);
    }
  }
  return full;
}

}  // namespace mirabo
