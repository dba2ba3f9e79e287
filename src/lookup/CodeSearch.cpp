// Bisection over the code index, the walk back to the first match, and the listing walk.
#include "lookup/CodeSearch.h"

#include "lookup/CodeInput.h"
#include "data/WidthMapping.h"

namespace {

constexpr qsizetype kCodeFieldChars = 10;

// The part of index record n's code that is compared with a key of `length` characters.
QString PrefixOf(DataSet& data, qint32 n, qsizetype length) {
  data.ReadIndex(n);
  return data.IndexRec.Code.left(qMin(length, kCodeFieldChars));
}

// The lowest record of the unbroken run of records ending at `pos` whose prefix is `key`.
qint32 WalkBack(DataSet& data, const QString& key, qint32 pos) {
  while (pos > 1 && PrefixOf(data, pos - 1, key.size()) == key) --pos;
  return pos;
}

}  // namespace

CodeMatch FindFirstCode(DataSet& data, const QString& key) {
  const qint32 count = data.IndexCount;
  qint32 hi = count;
  qint32 lo = 1;
  // With fewer than two records the midpoint would be 0; a single record is probed directly.
  qint32 mid = count >= 1 ? qMax(count / 2, 1) : 0;
  if (mid < 1) return {};

  while (mid > 0) {
    const QString prefix = PrefixOf(data, mid, key.size());
    if (prefix == key) return {true, WalkBack(data, key, mid)};
    if (prefix > key) hi = mid;
    else lo = mid;
    if (hi == lo) return {};
    if (qint64(hi) == qint64(lo) + 1) {
      // Adjacent ends: probe the one that may be unread. The top record is checked
      // first, so that the second record of a two-record index is read as well.
      if (lo == count - 1) {
        mid = hi;
        lo = hi;
      } else if (hi == 2) {
        mid = 1;
        hi = 1;
      } else {
        lo = hi;
        mid = hi;
      }
    } else {
      // The midpoint rounds up; hi + 1 would overflow for a count of INT_MAX.
      mid = qint32(lo + (qint64(hi) + 1 - lo) / 2);
    }
  }
  return {};
}

SearchTally ListCodeMatches(DataSet& data, const QString& key, qint32 matchPos, SearchSink& sink) {
  ResultListing listing(sink);
  for (qint64 pos = matchPos; pos <= data.IndexCount; ++pos) {
    data.ReadIndex(qint32(pos));
    data.ReadEntry(data.IndexRec.EntryNo);
    if (!data.EntryRec.Code.startsWith(key)) break;
    if (!listing.Add(data.EntryRec, data.IndexRec.EntryNo)) break;
  }
  return listing.Tally();
}

CodeSearchStart StartCodeSearch(const QString& typed) {
  CodeSearchStart start;
  start.text = ToHalfWidth(typed);
  if (start.text.isEmpty()) {
    start.beeps = 1;
    return start;
  }
  const CleanOutcome outcome = CleanCodeInput(start.text);
  start.cleaned = outcome.removed;
  start.beeps = outcome.beep ? 1 : 0;
  // An emptied key would begin every code and list the first 2000; stop instead,
  // with the empty box's beep when only hyphens went.
  start.search = !start.text.isEmpty();
  if (!start.search) start.beeps = 1;
  return start;
}

CodeSearchResult SearchCode(DataSet& data, const QString& key, SearchSink& sink) {
  CodeSearchResult result;
  const CodeMatch match = FindFirstCode(data, key);
  result.found = match.found;
  if (match.found) result.tally = ListCodeMatches(data, key, match.pos, sink);
  return result;
}
