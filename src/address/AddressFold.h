// The two forms a written address and a stored town are compared in: the normal form
// (width, spaces and numerals made one) and the folded form (spelling variants made one).
#pragma once

#include <QString>

namespace mirabo {

// Kanji numerals made Arabic where they count something: before 条, 丁目, 丁, 線, 号,
// 番町, 番地, 番, 区, 地割, 階 and 町目 ("北一条西" -> "北1条西", "二十四丁目" -> "24丁目").
// Elsewhere they stay, as in 三鷹 or 十日町.
QString ArabicCounters(const QString& text);

// The normal form with its counters made Arabic: NFKC, whitespace removed, ArabicCounters.
QString NormalForm(const QString& text);

// The normal form with spelling variants made one character each, character for
// character, so positions in both forms agree: ヶ ケ が ガ ヵ カ between kanji read as ヶ;
// 之 and ノ as の; old and variant kanji (﨑 髙 邊 邉 澤 濱 冨 舘 檜 龍 萬 嶋 廣 國) as
// their common forms.
QString FoldVariants(const QString& normal);

}  // namespace mirabo
