// Code page 932 (Windows-31J, Microsoft's mapping) for the record files and the national file.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <stdexcept>

namespace mirabo {

namespace cp932 {

// Thrown by the first use of the codec when the system has no CP932 converter
// (iconv_open fails): silently turning every character into "?" would ruin the data.
class Unavailable : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Builds the codec's tables now; throws Unavailable when it cannot. Every function
// below does the same on its first call.
void Require();

// Decodes bytes. A byte that starts no valid character becomes U+FFFD and the
// decoding goes on with the next byte, so one bad byte never loses the rest.
QString Decode(const char* bytes, qsizetype length);
inline QString Decode(const QByteArray& bytes) { return Decode(bytes.constData(), bytes.size()); }
// Decode into `out`, which has room for `length` units; gives the units written.
qsizetype DecodeInto(const char* bytes, qsizetype length, char16_t* out);

// The first character of `length` (>= 1) bytes as Decode reads it, and how many bytes
// it takes: 2 for a double-byte character, else 1 (U+FFFD for a byte that starts no
// character). Text made of such steps equals Decode of the same bytes.
struct DecodedChar {
  char16_t unit;
  int bytes;
};
DecodedChar DecodeNext(const char* bytes, qsizetype length);

// True when every byte belongs to a character that Decode knows: no U+FFFD would appear.
bool IsValid(const char* bytes, qsizetype length);

// Encodes text; a character that code page 932 cannot hold is written as "?".
QByteArray Encode(QStringView text);

// Bytes of one character in code page 932: 2 for a double-byte character, else 1
// (ASCII, half-width katakana, NUL, and anything written as "?").
int CharWidth(QChar c);
inline bool IsDoubleByte(QChar c) { return CharWidth(c) == 2; }

// Bytes of the whole text in code page 932.
int ByteWidth(QStringView text);

// Writes text into a field of `width` bytes at `field`: cut after the last whole
// character that fits, then filled with spaces to the width.
void PutField(char* field, int width, QStringView text);

// PutField(field, width, Decode(bytes, length)), without the text in between.
void PutDecodedField(char* field, int width, const char* bytes, qsizetype length);

}  // namespace cp932

}  // namespace mirabo
