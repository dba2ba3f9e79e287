// Reading the notes of the national rows, and the house numbers people write after a town.
#include "address/TownNote.h"

#include <QRegularExpression>
#include <QStringList>

#include "address/AddressFold.h"

namespace mirabo {

namespace {

// One item of a list of numbers: "3", "1~19", "459-4".
bool ParseSpan(QStringView item, TownNote::Span& span) {
  static const QRegularExpression form(QStringLiteral("^(\\d+)(?:[~〜～](\\d+)|-(\\d+))?$"));
  const QRegularExpressionMatch match = form.match(item);
  if (!match.hasMatch()) return false;
  span.low = match.captured(1).toInt();
  span.high = match.hasCaptured(2) ? match.captured(2).toInt() : span.low;
  span.branch = match.hasCaptured(3) ? match.captured(3).toInt() : -1;
  return span.low <= span.high;
}

// The unit an item ends with, removed from it: its kind, or Whole for none.
TownNote::Kind TakeUnit(QString& item) {
  static const std::pair<const char16_t*, TownNote::Kind> units[] = {
      {u"丁目", TownNote::Kind::Chome}, {u"番地", TownNote::Kind::Banchi}, {u"番", TownNote::Kind::Banchi},
      {u"階", TownNote::Kind::Floor}};
  for (const auto& [unit, kind] : units) {
    const QStringView text(unit);
    if (item.endsWith(text)) {
      item.chop(text.size());
      return kind;
    }
  }
  return TownNote::Kind::Whole;
}

// A list of numbers joined by "、", each item or only the last with its unit.
bool ParseNumberList(const QString& note, TownNote& parsed) {
  TownNote::Kind kind = TownNote::Kind::Whole;
  for (QString item : note.split(u'、')) {
    const TownNote::Kind unit = TakeUnit(item);
    if (unit != TownNote::Kind::Whole) {
      if (kind != TownNote::Kind::Whole && kind != unit) return false;
      kind = unit;
    }
    TownNote::Span span;
    if (!ParseSpan(item, span)) return false;
    parsed.spans << span;
  }
  // Numbers without a unit, as in "８８－２、２７１－１０", are banchi.
  parsed.kind = kind == TownNote::Kind::Whole ? TownNote::Kind::Banchi : kind;
  return true;
}

}  // namespace

bool TownNote::Covers(int number, int branch) const {
  for (const Span& span : spans)
    if (number >= span.low && number <= span.high && (span.branch < 0 || span.branch == branch)) return true;
  return false;
}

TownNote ParseTownNote(const QString& normalNote) {
  TownNote note;
  if (normalNote.isEmpty() || normalNote == u"次のビルを除く") return note;
  if (normalNote == u"その他") {
    note.kind = TownNote::Kind::Others;
  } else if (normalNote == u"地階・階層不明") {
    note.kind = TownNote::Kind::Basement;
  } else if (!ParseNumberList(normalNote, note)) {
    note = {};
    note.kind = TownNote::Kind::Named;
    note.name = FoldVariants(normalNote);
  }
  return note;
}

HouseNumbers ReadHouseNumbers(QStringView rest) {
  static const QRegularExpression leading(QStringLiteral("^(\\d+)(丁目)?"));
  static const QRegularExpression next(QStringLiteral("^(?:番地|番|号|の|[-ー−‐―－])?(\\d+)"));
  static const QRegularExpression floor(QStringLiteral("(\\d+)(?:階|[Ff](?![A-Za-z]))"));
  static const QRegularExpression basement(QStringLiteral("地下|地階|B\\d"));
  HouseNumbers house;
  QRegularExpressionMatch match = leading.match(rest);
  if (match.hasMatch()) {
    house.numbers << match.captured(1).toInt();
    house.chomeWritten = match.hasCaptured(2);
    qsizetype at = match.capturedEnd(0);
    while (house.numbers.size() < 3 && (match = next.match(rest.mid(at))).hasMatch()) {
      house.numbers << match.captured(1).toInt();
      at += match.capturedEnd(0);
    }
  }
  house.basement = basement.match(rest).hasMatch();
  if (!house.basement && (match = floor.match(rest)).hasMatch()) house.floor = match.captured(1).toInt();
  return house;
}

}  // namespace mirabo
