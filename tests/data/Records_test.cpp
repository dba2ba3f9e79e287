// Byte layouts of the four record types, encoded and decoded against hand-written bytes.
#include "data/Records.h"

#include <gtest/gtest.h>

#include "support/CaseName.h"
#include "support/TestText.h"
#include "support/TestFiles.h"

namespace mirabo {

namespace {

// Encodes into a buffer with guard bytes after the record, so an overrun shows.
template <typename Record>
QByteArray Encoded(const Record& record) {
  QByteArray buffer(Record::Size + 4, char(0xEE));
  record.Encode(buffer.data());
  EXPECT_EQ(ToHex(buffer.mid(Record::Size)), ToHex(Hex("EE EE EE EE")));
  return buffer.left(Record::Size);
}

QByteArray Spaces(int count) { return QByteArray(count, ' '); }

TEST(Records, PrefRecordLayout) {
  const QByteArray bytes = Hex("90 5F 93 DE 90 EC 8C A7 20 20"  // 神奈川県 and two spaces
                               "0E 00 00 00"                    // FirstCity 14
                               "2D 01 00 00");                  // LastCity 301
  EXPECT_EQ(ToHex(Encoded(PrefRecord{Text(u"神奈川県"), 14, 301})), ToHex(bytes));
  const PrefRecord decoded = PrefRecord::Decode(bytes.constData());
  EXPECT_EQ(decoded.Name, Text(u"神奈川県  "));
  EXPECT_EQ(decoded.FirstCity, 14);
  EXPECT_EQ(decoded.LastCity, 301);
}

TEST(Records, SentinelPrefRecordIsFourIdeographicSpacesAndTwoSpaces) {
  const QByteArray bytes = Hex("81 40 81 40 81 40 81 40 20 20 00 00 00 00 00 00 00 00");
  EXPECT_EQ(ToHex(Encoded(PrefRecord{Text(u"\u3000\u3000\u3000\u3000"), 0, 0})), ToHex(bytes));
}

TEST(Records, CityRecordLayout) {
  const QByteArray bytes = Hex("90 E7 91 E3 93 63 8B E6") + Spaces(22)  // 千代田区
                           + Hex("01 00 00 00")                            // FirstEntry 1
                           + Hex("FF FF FF 7F");                           // LastEntry 2^31 - 1
  EXPECT_EQ(ToHex(Encoded(CityRecord{Text(u"千代田区"), 1, 0x7FFFFFFF})), ToHex(bytes));
  const CityRecord decoded = CityRecord::Decode(bytes.constData());
  EXPECT_EQ(decoded.Name, Text(u"千代田区") + QString(22, u' '));
  EXPECT_EQ(decoded.FirstEntry, 1);
  EXPECT_EQ(decoded.LastEntry, 0x7FFFFFFF);
}

TEST(Records, EntryRecordLayout) {
  const QByteArray bytes = Hex("93 8C 8B 9E 93 73") + Spaces(4)            // Pref 東京都
                           + Hex("90 E7 91 E3 93 63 8B E6") + Spaces(22)   // City 千代田区
                           + Hex("90 E7 91 E3 93 63") + Spaces(74)         // Town 千代田
                           + Hex("31 30 30 30 30 30 31 20 20 20");         // Code 1000001
  ASSERT_EQ(bytes.size(), 130);
  const EntryRecord entry{Text(u"東京都"), Text(u"千代田区"), Text(u"千代田"), Text(u"1000001")};
  EXPECT_EQ(ToHex(Encoded(entry)), ToHex(bytes));
  const EntryRecord decoded = EntryRecord::Decode(bytes.constData());
  EXPECT_EQ(decoded.Pref, Text(u"東京都    "));
  EXPECT_EQ(decoded.City, Text(u"千代田区") + QString(22, u' '));
  EXPECT_EQ(decoded.Town, Text(u"千代田") + QString(74, u' '));
  EXPECT_EQ(decoded.Code, Text(u"1000001   "));
}

TEST(Records, IndexRecordLayout) {
  const QByteArray bytes = Hex("30 36 30 30 30 30 30 20 20 20"  // 0600000 and three spaces
                               "A0 E3 01 00");                  // EntryNo 123808
  EXPECT_EQ(ToHex(Encoded(IndexRecord{Text(u"0600000"), 123808})), ToHex(bytes));
  const IndexRecord decoded = IndexRecord::Decode(bytes.constData());
  EXPECT_EQ(decoded.Code, Text(u"0600000   "));
  EXPECT_EQ(decoded.EntryNo, 123808);
}

struct NumberCase {
  const char* name;
  qint32 value;
  const char* bytes;
};
void PrintTo(const NumberCase& c, std::ostream* os) { *os << c.name; }

class RecordNumber : public ::testing::TestWithParam<NumberCase> {};

// Numbers are signed 32-bit little-endian, both ways.
TEST_P(RecordNumber, IsSignedLittleEndian) {
  char out[4];
  record::PutNumber(out, GetParam().value);
  EXPECT_EQ(ToHex(QByteArray(out, 4)), ToHex(Hex(GetParam().bytes)));
  EXPECT_EQ(record::GetNumber(Hex(GetParam().bytes).constData()), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Table, RecordNumber,
                         ::testing::Values(NumberCase{"bytes in reverse", 0x01020304, "04 03 02 01"},
                                           NumberCase{"minus one", -1, "FF FF FF FF"},
                                           NumberCase{"smallest", -2147483647 - 1, "00 00 00 80"},
                                           NumberCase{"largest", 0x7FFFFFFF, "FF FF FF 7F"},
                                           NumberCase{"zero", 0, "00 00 00 00"},
                                           NumberCase{"256", 256, "00 01 00 00"}),
                         CaseName());

TEST(Records, TextLongerThanItsFieldIsCutAtAWholeCharacter) {
  // A 東京都東京 is 11 bytes; the last 京 would overhang the tenth byte.
  EXPECT_EQ(ToHex(Encoded(PrefRecord{Text(u"A東京都東京"), 0, 0}).left(10)),
            ToHex(Hex("41 93 8C 8B 9E 93 73 93 8C 20")));
  // Sixteen kanji are 32 bytes; fifteen fit the 30-byte city name.
  const QByteArray city = Encoded(CityRecord{QString(16, u'東'), 7, 8});
  EXPECT_EQ(city.left(30), Hex("93 8C").repeated(15));
  EXPECT_EQ(ToHex(city.mid(30)), ToHex(Hex("07 00 00 00 08 00 00 00")));
}

TEST(Records, LeadByteEndingOneFieldDoesNotTakeTheNextFieldsFirstByte) {
  QByteArray bytes = Hex("93 8C 8B 9E 93 73 20 20 20 93")  // 東京都, three spaces, a lone lead byte
                     + Hex("41") + Spaces(29)              // City: A
                     + Spaces(80) + Hex("31 32 33 34 35 36 37 20 20 20");
  const EntryRecord decoded = EntryRecord::Decode(bytes.constData());
  EXPECT_EQ(decoded.Pref, Text(u"東京都   \uFFFD"));
  EXPECT_EQ(decoded.City, Text(u"A") + QString(29, u' '));
  EXPECT_EQ(decoded.Code, Text(u"1234567   "));
}

}  // namespace

}  // namespace mirabo
