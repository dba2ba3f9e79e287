// Bisection over the code index, the walk back to the first match, and the listing walk.
#include "lookup/CodeSearch.h"

#include "data/Cp932Codec.h"
#include "data/WidthMapping.h"
#include "lookup/CodeInput.h"

namespace mirabo {

namespace {

constexpr qsizetype kCodeFieldChars = 10;

// The stored code of a record, as the index or the entry file holds it.
const char* IndexCode(const RecordImage& index, qint32 n) { return index.Record(n) + IndexRecord::CodeOffset; }

// Compares the first min(key length, 10) characters of a stored code field with `key`,
// as the decoded texts compare: below, equal to or above zero. Bytes below 0x80 are
// one character each, equal to the byte, so such a prefix is compared as it stands;
// any other is decoded first.
int ComparePrefix(const char* field, const QString& key) {
  const qsizetype length = qMin(key.size(), kCodeFieldChars);
  for (qsizetype i = 0; i < length; ++i) {
    if (quint8(field[i]) >= 0x80) {
      const QString prefix = cp932::Decode(field, IndexRecord::CodeWidth).left(length);
      return prefix.compare(key);
    }
  }
  for (qsizetype i = 0; i < length; ++i) {
    const char16_t stored = quint8(field[i]);
    if (stored != key[i].unicode()) return stored < key[i].unicode() ? -1 : 1;
  }
  return length < key.size() ? -1 : 0;
}

// True when the decoded code field begins with `key`.
bool CodeStartsWith(const char* field, const QString& key) {
  if (key.size() > kCodeFieldChars) return cp932::Decode(field, EntryRecord::CodeWidth).startsWith(key);
  return ComparePrefix(field, key) == 0;
}

// Entry record n: from the copy, or past its end from the file, which may have grown
// since it was opened. Null where the file gives no record (n <= 0, a closed file).
const char* EntryAt(DataSet& data, const RecordImage& entries, qint32 n, char* spare) {
  if (n <= 0 || !data.EntryFile.IsOpen()) return nullptr;
  if (n <= entries.Count()) return entries.Record(n);
  return data.EntryFile.Read(n, spare) ? spare : nullptr;
}

// The lowest record of the unbroken run of records ending at `pos` whose prefix is `key`.
qint32 WalkBack(const RecordImage& index, const QString& key, qint32 pos) {
  while (pos > 1 && ComparePrefix(IndexCode(index, pos - 1), key) == 0) --pos;
  return pos;
}

CodeMatch FindFirst(qint32 count, const RecordImage& index, const QString& key) {
  qint32 hi = count;
  qint32 lo = 1;
  // With fewer than two records the midpoint would be 0; a single record is probed directly.
  qint32 mid = count >= 1 ? qMax(count / 2, 1) : 0;
  if (mid < 1) return {};

  while (mid > 0) {
    // Either way the bisection goes next, that record is on its way meanwhile.
    index.Prefetch(qint32(lo + (qint64(mid) + 1 - lo) / 2));
    index.Prefetch(qint32(mid + (qint64(hi) + 1 - mid) / 2));
    const int order = ComparePrefix(IndexCode(index, mid), key);
    if (order == 0) return {true, WalkBack(index, key, mid)};
    if (order > 0) hi = mid;
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

SearchTally ListMatches(DataSet& data, const RecordImage& index, const RecordImage& entries, const QString& key,
                        qint32 matchPos, SearchSink& sink) {
  ResultListing listing(sink);
  char spare[EntryRecord::Size];
  const char* entry = nullptr;  // the last entry read
  for (qint64 pos = matchPos; pos <= data.IndexCount; ++pos) {
    const qint32 entryNo = record::GetNumber(index.Record(qint32(pos)) + IndexRecord::EntryNoOffset);
    if (const char* read = EntryAt(data, entries, entryNo, spare)) {
      entry = read;
    } else if (!entry) {
      // No record with that number: the entry buffer as it stood is listed again.
      if (!data.EntryRec.Code.startsWith(key)) break;
      if (!listing.Add(data.EntryRec, entryNo)) break;
      continue;
    }
    if (!CodeStartsWith(entry + EntryRecord::CodeOffset, key)) break;
    if (!listing.Add(entry, entryNo)) break;
  }
  if (entry) data.EntryRec = EntryRecord::Decode(entry);
  return listing.Tally();
}

}  // namespace

CodeMatch FindFirstCode(DataSet& data, const QString& key) {
  return FindFirst(data.IndexCount, *data.IndexImage(), key);
}

SearchTally ListCodeMatches(DataSet& data, const QString& key, qint32 matchPos, SearchSink& sink) {
  // Held for the whole listing: a search run from Yield may take newer copies meanwhile.
  const std::shared_ptr<const RecordImage> index = data.IndexImage();
  const std::shared_ptr<const RecordImage> entries = data.EntryImage();
  return ListMatches(data, *index, *entries, key, matchPos, sink);
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
  // One look at each file's stamp for the whole search.
  const std::shared_ptr<const RecordImage> index = data.IndexImage();
  const CodeMatch match = FindFirst(data.IndexCount, *index, key);
  result.found = match.found;
  if (match.found) result.tally = ListMatches(data, *index, *data.EntryImage(), key, match.pos, sink);
  return result;
}

}  // namespace mirabo
