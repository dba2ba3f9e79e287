// The codec against glibc's own "CP932" converter, called one code at a time.
#include "data/Cp932Codec.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <optional>

#include "support/TestText.h"

namespace mirabo {

namespace {

// glibc's converter in both directions, reset before every conversion.
class PlatformCp932 {
 public:
  PlatformCp932()
      : toUnicode_(iconv_open("UTF-16LE", "CP932")), fromUnicode_(iconv_open("CP932", "UTF-16LE")) {}
  ~PlatformCp932() {
    if (Usable()) {
      iconv_close(toUnicode_);
      iconv_close(fromUnicode_);
    }
  }
  bool Usable() const { return toUnicode_ != iconv_t(-1) && fromUnicode_ != iconv_t(-1); }

  // The one UTF-16 unit these bytes spell, or nothing when they are not exactly one character.
  std::optional<char16_t> Decode(const char* bytes, size_t length) {
    char in[2];
    std::copy(bytes, bytes + length, in);
    char out[8];
    char* ip = in;
    char* op = out;
    size_t il = length, ol = sizeof out;
    iconv(toUnicode_, nullptr, nullptr, nullptr, nullptr);
    if (iconv(toUnicode_, &ip, &il, &op, &ol) == size_t(-1) || il != 0 || op - out != 2) return {};
    return char16_t(quint8(out[0]) | quint8(out[1]) << 8);
  }

  // The bytes of one UTF-16 unit, or nothing when the converter cannot hold it.
  std::optional<QByteArray> Encode(char16_t unit) {
    char in[2] = {char(unit & 0xFF), char(unit >> 8)};
    char out[8];
    char* ip = in;
    char* op = out;
    size_t il = 2, ol = sizeof out;
    iconv(fromUnicode_, nullptr, nullptr, nullptr, nullptr);
    if (iconv(fromUnicode_, &ip, &il, &op, &ol) == size_t(-1) || il != 0) return {};
    return QByteArray(out, op - out);
  }

 private:
  iconv_t toUnicode_;
  iconv_t fromUnicode_;
};

bool IsLead(int b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool IsTrail(int b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

std::string CodeText(int code) { return QString::number(code, 16).toUpper().toStdString(); }

TEST(Cp932Platform, EveryDoubleByteCodeDecodesLikeThePlatformConverter) {
  PlatformCp932 platform;
  ASSERT_TRUE(platform.Usable()) << "glibc has no CP932 converter";
  int valid = 0;
  int mismatches = 0;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (!IsLead(lead)) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (!IsTrail(trail)) continue;
      const char bytes[2] = {char(lead), char(trail)};
      const std::optional<char16_t> expected = platform.Decode(bytes, 2);
      const QString decoded = cp932::Decode(bytes, 2);
      const int code = lead << 8 | trail;
      if (expected) {
        ++valid;
        if (decoded != QString(QChar(*expected)) && ++mismatches <= 20) {
          ADD_FAILURE() << "code " << CodeText(code) << ": platform U+" << CodeText(*expected)
                        << ", codec " << ::testing::PrintToString(decoded);
        }
      } else if ((decoded.isEmpty() || decoded[0] != QChar(u'\uFFFD')) && ++mismatches <= 20) {
        ADD_FAILURE() << "code " << CodeText(code) << " is invalid, codec gives "
                      << ::testing::PrintToString(decoded);
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
  // JIS X 0208 (6,879), NEC row 13 (83), the NEC-selected IBM extensions (374), the
  // IBM extensions (388) and the user-defined area 0xF040..0xF9FC (1,880).
  EXPECT_EQ(valid, 9604);
}

TEST(Cp932Platform, EverySingleByteDecodesLikeThePlatformConverter) {
  PlatformCp932 platform;
  ASSERT_TRUE(platform.Usable());
  int valid = 0;
  for (int b = 0; b <= 0xFF; ++b) {
    if (IsLead(b)) continue;
    const char byte = char(b);
    const std::optional<char16_t> expected = platform.Decode(&byte, 1);
    const QString decoded = cp932::Decode(&byte, 1);
    EXPECT_EQ(decoded, QString(QChar(expected.value_or(u'\uFFFD')))) << "byte " << CodeText(b);
    if (decoded != QString(QChar(u'\uFFFD'))) ++valid;
  }
  EXPECT_EQ(valid, 128 + 63);  // ASCII and the half-width katakana 0xA1..0xDF
}

TEST(Cp932Platform, EveryUtf16UnitEncodesLikeThePlatformConverterOrAsQuestionMark) {
  PlatformCp932 platform;
  ASSERT_TRUE(platform.Usable());
  int mismatches = 0;
  for (int unit = 0; unit <= 0xFFFF; ++unit) {
    const bool surrogate = unit >= 0xD800 && unit < 0xE000;
    const std::optional<QByteArray> platformBytes =
        surrogate ? std::nullopt : platform.Encode(char16_t(unit));
    const QByteArray expected = platformBytes.value_or(QByteArray("?"));
    const QChar c{char16_t(unit)};
    const QByteArray encoded = cp932::Encode(QStringView(&c, 1));
    const bool sameWidth = cp932::CharWidth(c) == expected.size() &&
                           cp932::IsDoubleByte(c) == (expected.size() == 2);
    if ((encoded != expected || !sameWidth) && ++mismatches <= 20) {
      ADD_FAILURE() << "U+" << CodeText(unit) << ": expected " << expected.toHex(' ').toStdString()
                    << ", codec " << encoded.toHex(' ').toStdString() << " width "
                    << cp932::CharWidth(c);
    }
  }
  EXPECT_EQ(mismatches, 0);
}

}  // namespace

}  // namespace mirabo
