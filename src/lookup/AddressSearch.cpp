// Search by address text: the matching entries in record order, as result lines.
#include "lookup/AddressSearch.h"

#include "lookup/AddressTexts.h"
#include "lookup/SearchLines.h"

namespace mirabo {

SearchTally ListAddressMatches(DataSet& data, const QString& key, SearchSink& sink) {
  ResultListing listing(sink);
  // Held for the whole listing: a search run from Yield may build a newer set meanwhile.
  const std::shared_ptr<const AddressTexts> texts = AddressTexts::Of(data);
  for (const qint32 recordNo : texts->Find(key, kSearchLimit)) {
    if (!listing.Add(texts->Record(recordNo), recordNo)) break;
  }
  return listing.Tally();
}

}  // namespace mirabo
