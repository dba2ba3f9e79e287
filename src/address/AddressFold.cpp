// Numerals before counters, and the spelling variants that people write for the same name.
#include "address/AddressFold.h"

#include <algorithm>
#include <array>

#include "address/AddressText.h"

namespace mirabo {

namespace {

// Longest first, so that "丁目" is taken before "丁" and "番地" before "番".
constexpr std::array<const char16_t*, 12> kCounters = {u"丁目", u"番町", u"番地", u"地割", u"町目", u"条",
                                                       u"丁",   u"線",   u"号",   u"番",   u"区",   u"階"};

int DigitOf(QChar c) {
  static const QString digits = QStringLiteral("〇一二三四五六七八九");
  return int(digits.indexOf(c));
}

int MultiplierOf(QChar c) {
  if (c == u'十') return 10;
  if (c == u'百') return 100;
  if (c == u'千') return 1000;
  return 0;
}

bool IsKanjiNumeral(QChar c) { return DigitOf(c) >= 0 || MultiplierOf(c) > 0; }

// The value of a run of kanji numerals: "二十四" 24, "十一" 11, "百五" 105, "二〇" 20.
int KanjiValue(QStringView run) {
  bool positional = true;
  for (const QChar c : run)
    if (MultiplierOf(c) > 0) positional = false;
  int value = 0;
  if (positional) {
    for (const QChar c : run) value = value * 10 + DigitOf(c);
    return value;
  }
  int digit = -1;
  for (const QChar c : run) {
    const int multiplier = MultiplierOf(c);
    if (multiplier == 0) {
      digit = DigitOf(c);
      continue;
    }
    value += (digit < 0 ? 1 : digit) * multiplier;
    digit = -1;
  }
  return value + (digit < 0 ? 0 : digit);
}

bool CounterAt(const QString& text, qsizetype at) {
  const QStringView rest = QStringView(text).mid(at);
  for (const char16_t* counter : kCounters)
    if (rest.startsWith(QStringView(counter))) return true;
  return false;
}

bool IsKanji(QChar c) { return (c >= u'\u4E00' && c <= u'\u9FFF') || (c >= u'\uF900' && c <= u'\uFAFF') || c == u'々'; }

QChar FoldedKanji(QChar c) {
  static const QString from = QStringLiteral("﨑髙邊邉澤濱冨舘檜龍萬嶋廣國");
  static const QString to = QStringLiteral("崎高辺辺沢浜富館桧竜万島広国");
  const qsizetype at = from.indexOf(c);
  return at < 0 ? c : to[at];
}

bool IsKeVariant(QChar c) {
  return c == u'ヶ' || c == u'ケ' || c == u'が' || c == u'ガ' || c == u'ヵ' || c == u'カ';
}

}  // namespace

QString ArabicCounters(const QString& text) {
  if (!std::any_of(text.begin(), text.end(), IsKanjiNumeral)) return text;  // shared, not copied
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size();) {
    qsizetype end = i;
    while (end < text.size() && IsKanjiNumeral(text[end])) ++end;
    if (end > i && CounterAt(text, end)) {
      out += QString::number(KanjiValue(QStringView(text).mid(i, end - i)));
      i = end;
    } else if (end > i) {
      out += QStringView(text).mid(i, end - i);
      i = end;
    } else {
      out += text[i++];
    }
  }
  return out;
}

namespace {

// Kanji, hiragana and katakana that NFKC leaves as they are: most stored names hold
// nothing else, and NFKC is the dearest step of building the reader.
bool StableUnderNfkc(const QString& text) {
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    const bool stable = (u >= 0x4E00 && u <= 0x9FFF) || (u >= 0x3041 && u <= 0x3096) ||
                        (u >= 0x30A1 && u <= 0x30FA) || u == 0x30FC || u == 0x3005;
    if (!stable) return false;
  }
  return true;
}

}  // namespace

QString NormalForm(const QString& text) {
  return ArabicCounters(StableUnderNfkc(text) ? text : NormalizeForMatch(text));
}

QString FoldVariants(const QString& normal) {
  QString folded = normal;
  for (qsizetype i = 0; i < folded.size(); ++i) {
    const QChar c = normal[i];
    QChar to = c;
    if (c == u'之' || c == u'ノ') {
      to = u'の';
    } else if (IsKeVariant(c)) {
      // Between kanji only: カ and が are ordinary kana elsewhere (カタカナ, ながの).
      if (i > 0 && i + 1 < normal.size() && IsKanji(normal[i - 1]) && IsKanji(normal[i + 1])) to = u'ヶ';
    } else {
      to = FoldedKanji(c);
    }
    if (to != c) folded[i] = to;  // the copy is made on the first change only
  }
  return folded;
}

}  // namespace mirabo
