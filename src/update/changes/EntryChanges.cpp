// Comparing two entry files as multisets of identities.
//
// Two editions of the national file are nearly the same rows in nearly the same
// order. A walk through both in step cancels equal records pair by pair (taking one
// equal identity out of both sides leaves the difference as it was) and leaves only
// the rows around the changes to be counted in a hash table. Only the changed
// identities are ever decoded. Reordered or wholly different files still come out
// right: their records simply all go to the table.
#include "update/changes/EntryChanges.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "data/Cp932Codec.h"
#include "data/Records.h"

namespace mirabo {

namespace {

// How far the walk looks ahead for a record that was inserted or removed.
constexpr qsizetype kLookAhead = 64;

std::string_view Trimmed(const char* field, int width) {
  std::string_view text(field, size_t(width));
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string_view CodeOf(const char* record) { return Trimmed(record + EntryRecord::CodeOffset, EntryRecord::CodeWidth); }

struct Identity {
  std::string_view code, pref, city, town;

  static Identity Of(const char* record) {
    return {CodeOf(record), Trimmed(record + EntryRecord::PrefOffset, EntryRecord::PrefWidth),
            Trimmed(record + EntryRecord::CityOffset, EntryRecord::CityWidth),
            Trimmed(record + EntryRecord::TownOffset, EntryRecord::TownWidth)};
  }
  bool operator==(const Identity&) const = default;
};

struct IdentityHash {
  size_t operator()(const Identity& id) const {
    const std::hash<std::string_view> hash;
    size_t h = hash(id.code);
    for (std::string_view part : {id.pref, id.city, id.town}) h ^= hash(part) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
    return h;
  }
};

// Equal bytes are equal identities; records that differ only in spaces around a text
// are left to the table, which trims. The code differs first in most pairs.
bool SameBytes(const char* a, const char* b) {
  return std::memcmp(a + EntryRecord::CodeOffset, b + EntryRecord::CodeOffset, EntryRecord::CodeWidth) == 0 &&
         std::memcmp(a, b, EntryRecord::CodeOffset) == 0;
}

struct Records {
  const char* data;
  qsizetype count;
  const char* operator[](qsizetype i) const { return data + i * EntryRecord::Size; }
};

// The first d in 1..kLookAhead with `record` equal to side[from + d], or 0.
qsizetype Ahead(const char* record, const Records& side, qsizetype from) {
  const qsizetype last = std::min(side.count - 1, from + kLookAhead);
  for (qsizetype k = from + 1; k <= last; ++k)
    if (SameBytes(record, side[k])) return k - from;
  return 0;
}

// Cancels records equal in both sides; what is left of each side goes to `left`.
void WalkInStep(const Records& before, const Records& after, std::vector<const char*>& leftBefore,
                std::vector<const char*>& leftAfter) {
  qsizetype i = 0, j = 0;
  while (i < before.count && j < after.count) {
    if (SameBytes(before[i], after[j])) {
      ++i, ++j;
      continue;
    }
    const qsizetype inserted = Ahead(before[i], after, j);
    const qsizetype removed = Ahead(after[j], before, i);
    if (inserted > 0 && (removed == 0 || inserted <= removed)) {
      for (const qsizetype end = j + inserted; j < end; ++j) leftAfter.push_back(after[j]);
    } else if (removed > 0) {
      for (const qsizetype end = i + removed; i < end; ++i) leftBefore.push_back(before[i]);
    } else {
      leftBefore.push_back(before[i++]);
      leftAfter.push_back(after[j++]);
    }
  }
  for (; i < before.count; ++i) leftBefore.push_back(before[i]);
  for (; j < after.count; ++j) leftAfter.push_back(after[j]);
}

struct Tally {
  qint64 before = 0;
  qint64 after = 0;
};

struct Change {
  EntryChange::Kind kind;
  Identity id;
};

// char_traits<char> compares as unsigned bytes, which is code page 932 order.
bool ReportOrder(const Change& a, const Change& b) {
  if (a.id.code != b.id.code) return a.id.code < b.id.code;
  if (a.kind != b.kind) return a.kind < b.kind;
  if (a.id.pref != b.id.pref) return a.id.pref < b.id.pref;
  if (a.id.city != b.id.city) return a.id.city < b.id.city;
  return a.id.town < b.id.town;
}

std::vector<Change> Difference(const std::vector<const char*>& before, const std::vector<const char*>& after) {
  std::unordered_map<Identity, Tally, IdentityHash> tallies;
  for (const char* record : before) ++tallies[Identity::Of(record)].before;
  for (const char* record : after) ++tallies[Identity::Of(record)].after;
  std::vector<Change> changes;
  for (const auto& [id, tally] : tallies) {
    for (qint64 n = tally.before; n < tally.after; ++n) changes.push_back({EntryChange::Added, id});
    for (qint64 n = tally.after; n < tally.before; ++n) changes.push_back({EntryChange::Removed, id});
  }
  std::sort(changes.begin(), changes.end(), ReportOrder);
  return changes;
}

// Counts the changed codes that one whole side does not hold at all.
void CountCodes(const Records& before, const Records& after, const std::vector<Change>& changes, EntryChanges& result) {
  std::unordered_map<std::string_view, Tally> codes;
  for (const Change& change : changes) codes.emplace(change.id.code, Tally{});
  if (codes.empty()) return;
  for (qsizetype i = 0; i < before.count; ++i)
    if (const auto found = codes.find(CodeOf(before[i])); found != codes.end()) ++found->second.before;
  for (qsizetype j = 0; j < after.count; ++j)
    if (const auto found = codes.find(CodeOf(after[j])); found != codes.end()) ++found->second.after;
  for (const auto& [code, tally] : codes) {
    if (tally.before == 0) ++result.newCodes;
    if (tally.after == 0) ++result.retiredCodes;
  }
}

QString Decode(std::string_view bytes) { return cp932::Decode(bytes.data(), qsizetype(bytes.size())); }

}  // namespace

EntryChanges CompareEntries(const QByteArray& oldEntries, const QByteArray& newEntries) {
  const Records before{oldEntries.constData(), oldEntries.size() / EntryRecord::Size};
  const Records after{newEntries.constData(), newEntries.size() / EntryRecord::Size};
  std::vector<const char*> leftBefore, leftAfter;
  WalkInStep(before, after, leftBefore, leftAfter);
  const std::vector<Change> changes = Difference(leftBefore, leftAfter);

  EntryChanges result;
  CountCodes(before, after, changes, result);
  result.changes.reserve(qsizetype(changes.size()));
  for (const Change& change : changes) {
    result.changes.append({change.kind, Decode(change.id.code), Decode(change.id.pref), Decode(change.id.city),
                           Decode(change.id.town)});
    ++(change.kind == EntryChange::Added ? result.added : result.removed);
  }
  return result;
}

}  // namespace mirabo
