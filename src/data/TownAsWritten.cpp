// The stored town reduced to what goes into a written address.
#include "data/TownAsWritten.h"

namespace mirabo {

QString TownAsWritten(const QString& storedTown) {
  QString town = storedTown;
  // A note split over several rows may have lost its closing parenthesis.
  const qsizetype note = town.indexOf(u'（');
  if (note >= 0) town.truncate(note);
  if (town == u"以下に掲載がない場合" || town.endsWith(u"の次に番地がくる場合")) return {};
  // "一円" after a name means "the whole of it"; alone it is a real place name.
  if (town.endsWith(u"一円") && town != u"一円") return {};
  return town;
}

}  // namespace mirabo
