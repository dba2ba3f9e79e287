// Encoding and decoding of the four record layouts.
#include "data/Records.h"

#include "data/Cp932Codec.h"

namespace record {

qint32 GetNumber(const char* bytes) {
  const auto* b = reinterpret_cast<const unsigned char*>(bytes);
  return qint32(quint32(b[0]) | quint32(b[1]) << 8 | quint32(b[2]) << 16 | quint32(b[3]) << 24);
}

void PutNumber(char* bytes, qint32 value) {
  const auto v = quint32(value);
  for (int i = 0; i < 4; ++i) bytes[i] = char((v >> (8 * i)) & 0xFF);
}

}  // namespace record

using record::GetNumber;
using record::PutNumber;

PrefRecord PrefRecord::Decode(const char* bytes) {
  return {cp932::Decode(bytes, 10), GetNumber(bytes + 10), GetNumber(bytes + 14)};
}

void PrefRecord::Encode(char* bytes) const {
  cp932::PutField(bytes, 10, Name);
  PutNumber(bytes + 10, FirstCity);
  PutNumber(bytes + 14, LastCity);
}

CityRecord CityRecord::Decode(const char* bytes) {
  return {cp932::Decode(bytes, 30), GetNumber(bytes + 30), GetNumber(bytes + 34)};
}

void CityRecord::Encode(char* bytes) const {
  cp932::PutField(bytes, 30, Name);
  PutNumber(bytes + 30, FirstEntry);
  PutNumber(bytes + 34, LastEntry);
}

EntryRecord EntryRecord::Decode(const char* bytes) {
  return {cp932::Decode(bytes, PrefWidth), cp932::Decode(bytes + 10, CityWidth),
          cp932::Decode(bytes + 40, TownWidth), cp932::Decode(bytes + CodeOffset, CodeWidth)};
}

void EntryRecord::Encode(char* bytes) const {
  cp932::PutField(bytes, PrefWidth, Pref);
  cp932::PutField(bytes + 10, CityWidth, City);
  cp932::PutField(bytes + 40, TownWidth, Town);
  cp932::PutField(bytes + CodeOffset, CodeWidth, Code);
}

IndexRecord IndexRecord::Decode(const char* bytes) {
  return {cp932::Decode(bytes, 10), GetNumber(bytes + 10)};
}

void IndexRecord::Encode(char* bytes) const {
  cp932::PutField(bytes, 10, Code);
  PutNumber(bytes + 10, EntryNo);
}
