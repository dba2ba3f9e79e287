// Byte-level twins of the text operations behind the result lines. They give the same
// characters as decoding first, because every step keeps to character boundaries:
// NUL and space bytes are never the second byte of a double-byte character, and a
// character's width in bytes is the number of bytes it was decoded from.
#include "lookup/EntryBytes.h"

#include <charconv>
#include <cstring>

#include "data/Cp932Codec.h"
#include "data/Records.h"

namespace mirabo {

namespace {

// A run of stored bytes.
struct Bytes {
  const char* begin;
  const char* end;
};

Bytes Field(const char* record, int offset, int width) { return {record + offset, record + offset + width}; }

// CutAtNul on bytes: the run before the first NUL byte.
Bytes CutAtNul(Bytes field) {
  const void* nul = std::memchr(field.begin, '\0', size_t(field.end - field.begin));
  return {field.begin, nul ? static_cast<const char*>(nul) : field.end};
}

// CleanField on bytes: cut at NUL, then without leading and trailing spaces.
Bytes Clean(Bytes field) {
  Bytes cut = CutAtNul(field);
  while (cut.begin < cut.end && *cut.begin == ' ') ++cut.begin;
  // Fields are padded with spaces: drop them eight at a time first.
  while (cut.end - cut.begin >= 8 && std::memcmp(cut.end - 8, "        ", 8) == 0) cut.end -= 8;
  while (cut.end > cut.begin && cut.end[-1] == ' ') --cut.end;
  return cut;
}

void AppendUtf8(std::string& out, char16_t c) {
  // Decoding never gives a surrogate: every character of code page 932 is in the BMP.
  if (c < 0x80) {
    out += char(c);
  } else if (c < 0x800) {
    out += char(0xC0 | c >> 6);
    out += char(0x80 | (c & 0x3F));
  } else {
    out += char(0xE0 | c >> 12);
    out += char(0x80 | (c >> 6 & 0x3F));
    out += char(0x80 | (c & 0x3F));
  }
}

void AppendText(std::string& out, Bytes text) {
  char16_t units[EntryRecord::Size];  // longer than any field
  const qsizetype count = cp932::DecodeInto(text.begin, text.end - text.begin, units);
  for (qsizetype i = 0; i < count; ++i) AppendUtf8(out, units[i]);
}

// FitToBytes on bytes: the text padded with spaces to `width` bytes, or cut after the
// last whole character that fits, with a space for an overhanging double-byte one.
void AppendFitted(std::string& out, Bytes text, int width) {
  const qsizetype length = text.end - text.begin;
  if (length <= width) {
    AppendText(out, text);
    out.append(size_t(width - length), ' ');
    return;
  }
  int used = 0;
  for (const char* p = text.begin; p < text.end;) {
    const cp932::DecodedChar c = cp932::DecodeNext(p, text.end - p);
    used += c.bytes;
    if (used > width) {
      if (c.bytes == 2 && used == width + 1) out += ' ';
      return;
    }
    AppendUtf8(out, c.unit);
    p += c.bytes;
  }
}

int CharCount(Bytes text) {
  char16_t units[EntryRecord::Size];
  return int(cp932::DecodeInto(text.begin, text.end - text.begin, units));
}

void AppendNumber(std::string& out, qint32 number) {
  char digits[16];
  const auto result = std::to_chars(digits, digits + sizeof digits, number);
  out.append(digits, result.ptr);
}

constexpr char kWideSpaceUtf8[] = "\xE3\x80\x80";  // U+3000

Bytes Code(const char* r) { return Field(r, EntryRecord::CodeOffset, EntryRecord::CodeWidth); }
Bytes Pref(const char* r) { return Field(r, EntryRecord::PrefOffset, EntryRecord::PrefWidth); }
Bytes City(const char* r) { return Field(r, EntryRecord::CityOffset, EntryRecord::CityWidth); }
Bytes Town(const char* r) { return Field(r, EntryRecord::TownOffset, EntryRecord::TownWidth); }

}  // namespace

void AppendSearchLineUtf8(std::string& out, const char* record, qint32 recordNo) {
  AppendFitted(out, Code(record), 7);
  out += kWideSpaceUtf8;
  AppendText(out, Clean(Pref(record)));
  out += kWideSpaceUtf8;
  AppendText(out, Clean(City(record)));
  out += kWideSpaceUtf8;
  AppendFitted(out, CutAtNul(Town(record)), 90);
  AppendNumber(out, recordNo);
  out += '\n';
}

void AppendTsvLineUtf8(std::string& out, const char* record, qint32 recordNo) {
  AppendFitted(out, Code(record), 7);
  out += '\t';
  AppendText(out, Clean(Pref(record)));
  out += '\t';
  AppendText(out, Clean(City(record)));
  out += '\t';
  AppendText(out, Clean(Town(record)));
  out += '\t';
  AppendNumber(out, recordNo);
  out += '\n';
}

int SearchTextLength(const char* record) {
  return CharCount(Clean(City(record))) + CharCount(Clean(Town(record))) + CharCount(Clean(Pref(record)));
}

void AppendAddressText(QString& out, const char* record) {
  for (const Bytes field : {Clean(City(record)), Clean(Town(record))}) {
    const qsizetype length = field.end - field.begin;
    const qsizetype start = out.size();
    out.resize(start + length);
    out.truncate(start + cp932::DecodeInto(field.begin, length, reinterpret_cast<char16_t*>(out.data()) + start));
  }
}

}  // namespace mirabo
