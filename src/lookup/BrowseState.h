// The browsing selection behind the three lists: which prefecture and city are chosen,
// which records the lists show, and which record a list position stands for.
#pragma once

#include <optional>

#include "data/DataSet.h"
#include "lookup/Browse.h"

namespace mirabo {

class BrowseState {
 public:
  explicit BrowseState(DataSet& data) : data_(data) {}

  // 1-based positions of the chosen prefecture and city, and the records FillList reads.
  qint32 PrefIndex = 0, CityIndex = 0, PrefRecNo = 0, CityRecNo = 0;
  // The chosen prefecture's city range; the entry range the town list shows.
  qint32 SelFirstCity = 0, SelLastCity = 0, ShownFirstEntry = 0, ShownLastEntry = 0;
  // What FillList does: 1 reads the city range, 2 lists the cities, 3 the towns.
  qint32 ListMode = 0;
  // The town list holds search results rather than one city's entries.
  bool FromSearch = false;

  // Once the files are open: the saved positions become PrefIndex and CityIndex,
  // which the caller then selects. Without a saved-selection record both are 0.
  void Load();
  // The prefecture list's first selected row (-1 for none keeps the choice) is chosen
  // and its city range read; ListMode is then 2, for the city list.
  void ChoosePref(int row);
  // The city list's first selected row (-1 for none keeps the choice) is chosen;
  // ListMode is then 3, for the town list.
  void ChooseCity(int row);
  // Runs ListMode: the lines of the city list (2) or the town list (3); no lines for
  // mode 1, which only reads the city range, nor for any other mode.
  ListFill FillList();
  // The entry of the town list's `row` holding `line`, if it names one. Choosing a
  // search result also sets ShownFirstEntry to 1.
  std::optional<qint32> ChooseEntry(int row, const QString& line);
  // Saves PrefIndex - 1 and CityIndex - 1 in the saved-selection record, only where
  // that record exists, is the selection and may be written.
  void SaveSelection();

 private:
  DataSet& data_;
};

// The entry record that town-list line `row` stands for: shownFirstEntry + row after
// a browse, the number at the end of the line after a search. Nothing for no
// selection (row < 0) or a line that names no entry (the count line).
std::optional<qint32> EntryOfLine(bool fromSearch, int row, const QString& line, qint32 shownFirstEntry);

}  // namespace mirabo
