// Encoding and decoding of the four record layouts.
#include "data/Records.h"

#include "data/Cp932Codec.h"

namespace mirabo {

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
using record::kNumberWidth;
using record::PutNumber;

// Each layout's fields follow one another without a gap and fill the record.
static_assert(PrefRecord::NameOffset + PrefRecord::NameWidth == PrefRecord::FirstCityOffset);
static_assert(PrefRecord::FirstCityOffset + kNumberWidth == PrefRecord::LastCityOffset);
static_assert(PrefRecord::LastCityOffset + kNumberWidth == PrefRecord::Size);
static_assert(CityRecord::NameOffset + CityRecord::NameWidth == CityRecord::FirstEntryOffset);
static_assert(CityRecord::FirstEntryOffset + kNumberWidth == CityRecord::LastEntryOffset);
static_assert(CityRecord::LastEntryOffset + kNumberWidth == CityRecord::Size);
static_assert(EntryRecord::PrefOffset + EntryRecord::PrefWidth == EntryRecord::CityOffset);
static_assert(EntryRecord::CityOffset + EntryRecord::CityWidth == EntryRecord::TownOffset);
static_assert(EntryRecord::TownOffset + EntryRecord::TownWidth == EntryRecord::CodeOffset);
static_assert(EntryRecord::CodeOffset + EntryRecord::CodeWidth == EntryRecord::Size);
static_assert(IndexRecord::CodeOffset + IndexRecord::CodeWidth == IndexRecord::EntryNoOffset);
static_assert(IndexRecord::EntryNoOffset + kNumberWidth == IndexRecord::Size);

PrefRecord PrefRecord::Decode(const char* bytes) {
  return {cp932::Decode(bytes + NameOffset, NameWidth), GetNumber(bytes + FirstCityOffset),
          GetNumber(bytes + LastCityOffset)};
}

void PrefRecord::Encode(char* bytes) const {
  cp932::PutField(bytes + NameOffset, NameWidth, Name);
  PutNumber(bytes + FirstCityOffset, FirstCity);
  PutNumber(bytes + LastCityOffset, LastCity);
}

CityRecord CityRecord::Decode(const char* bytes) {
  return {cp932::Decode(bytes + NameOffset, NameWidth), GetNumber(bytes + FirstEntryOffset),
          GetNumber(bytes + LastEntryOffset)};
}

void CityRecord::Encode(char* bytes) const {
  cp932::PutField(bytes + NameOffset, NameWidth, Name);
  PutNumber(bytes + FirstEntryOffset, FirstEntry);
  PutNumber(bytes + LastEntryOffset, LastEntry);
}

EntryRecord EntryRecord::Decode(const char* bytes) {
  return {cp932::Decode(bytes + PrefOffset, PrefWidth), cp932::Decode(bytes + CityOffset, CityWidth),
          cp932::Decode(bytes + TownOffset, TownWidth), cp932::Decode(bytes + CodeOffset, CodeWidth)};
}

void EntryRecord::Encode(char* bytes) const {
  cp932::PutField(bytes + PrefOffset, PrefWidth, Pref);
  cp932::PutField(bytes + CityOffset, CityWidth, City);
  cp932::PutField(bytes + TownOffset, TownWidth, Town);
  cp932::PutField(bytes + CodeOffset, CodeWidth, Code);
}

IndexRecord IndexRecord::Decode(const char* bytes) {
  return {cp932::Decode(bytes + CodeOffset, CodeWidth), GetNumber(bytes + EntryNoOffset)};
}

void IndexRecord::Encode(char* bytes) const {
  cp932::PutField(bytes + CodeOffset, CodeWidth, Code);
  PutNumber(bytes + EntryNoOffset, EntryNo);
}

}  // namespace mirabo
