// The browsing selection: what choosing a prefecture, a city or a town line does to it.
#include "lookup/BrowseState.h"

#include <climits>

namespace mirabo {

namespace {

// A search line keeps its record number within its last seven characters.
constexpr qsizetype kNumberTail = 7;

bool IsBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\n'; }

// The number at the start of the text after leading blanks, up to the first
// character that is not an ASCII digit; 0 when there is none.
qint64 LeadingNumber(QStringView text) {
  qsizetype i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  qint64 number = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
    number = number * 10 + (text[i].unicode() - u'0');
  return number;
}

// The 0-based position saved for a 1-based one; a position read from a damaged
// record may be the smallest number, which has no predecessor.
qint32 SavedPosition(qint32 index) { return index == INT_MIN ? index : index - 1; }

}  // namespace

void BrowseState::Load() {
  ListMode = 1;
  PrefRecNo = SavedSelectionRecord;
  FillList();
  // With more than 47 prefectures record 48 is a prefecture, not saved positions.
  if (!IsSavedSelection(data_.PrefRec)) SelFirstCity = SelLastCity = 0;
  PrefIndex = SelFirstCity;
  CityIndex = SelLastCity;
}

void BrowseState::ChoosePref(int row) {
  if (row >= 0) PrefIndex = row + 1;
  PrefRecNo = PrefIndex;
  ListMode = 1;
  FillList();
  ListMode = 2;
}

void BrowseState::ChooseCity(int row) {
  if (row >= 0) CityIndex = row + 1;
  // Both come from the files and may be anything; a sum outside the record numbers reads nothing.
  const qint64 cityRecNo = qint64(CityIndex) + SelFirstCity - 1;
  CityRecNo = cityRecNo >= 1 && cityRecNo <= INT_MAX ? qint32(cityRecNo) : 0;
  ListMode = 3;
}

ListFill BrowseState::FillList() {
  if (ListMode == 1) {
    data_.ReadPref(PrefRecNo);
    SelFirstCity = data_.PrefRec.FirstCity;
    SelLastCity = data_.PrefRec.LastCity;
  } else if (ListMode == 2) {
    return CityListOf(data_, PrefRecNo);
  } else if (ListMode == 3) {
    data_.ReadCity(CityRecNo);
    ShownFirstEntry = data_.CityRec.FirstEntry;
    ShownLastEntry = data_.CityRec.LastEntry;
    FromSearch = false;
    return TownListOf(data_, ShownFirstEntry, ShownLastEntry);
  }
  return {};
}

std::optional<qint32> BrowseState::ChooseEntry(int row, const QString& line) {
  const std::optional<qint32> record = EntryOfLine(FromSearch, row, line, ShownFirstEntry);
  if (FromSearch && row >= 0) ShownFirstEntry = 1;
  return record;
}

// Closing the window never grows or damages fuken.DAT: a 48th prefecture, a file
// opened for reading or one too short to hold the record are left alone.
void BrowseState::SaveSelection() {
  if (!data_.CanSaveSelection() || data_.PrefCount < SavedSelectionRecord) return;
  data_.ReadPref(SavedSelectionRecord);
  if (!IsSavedSelection(data_.PrefRec)) return;
  data_.PrefRec.FirstCity = SavedPosition(PrefIndex);
  data_.PrefRec.LastCity = SavedPosition(CityIndex);
  data_.WritePref(SavedSelectionRecord);
}

std::optional<qint32> EntryOfLine(bool fromSearch, int row, const QString& line, qint32 shownFirstEntry) {
  if (row < 0) return std::nullopt;
  const qint64 record = fromSearch ? LeadingNumber(line.right(kNumberTail)) : qint64(shownFirstEntry) + row;
  // The count line reads as 0; a position before the first record names no entry either.
  if (record <= 0 || record > INT_MAX) return std::nullopt;
  return qint32(record);
}

}  // namespace mirabo
