// Table-driven code page 932 codec; the tables are built once from glibc's "CP932" converter.
#include "data/Cp932Codec.h"

#include <iconv.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>

namespace mirabo {

namespace cp932 {
namespace {

constexpr char16_t kInvalid = 0xFFFD;
constexpr quint16 kUnencodable = 0xFFFF;

bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

std::string Reason(int error) {
  return std::string("the system has no code page 932 converter (iconv_open \"CP932\": ") + std::strerror(error) +
         "); glibc's gconv module CP932 is needed";
}

iconv_t Open(const char* to, const char* from) {
  const iconv_t cd = iconv_open(to, from);
  if (cd == iconv_t(-1)) throw Unavailable(Reason(errno));
  return cd;
}

// The decoding tables, built at the first use of the codec. Building them also checks
// that both directions of the converter exist, so that a later encode cannot fail.
struct DecodeTables {
  std::array<char16_t, 256> single{};                // single-byte codes; kInvalid for lead bytes and holes
  std::array<std::array<char16_t, 256>, 256> pair{};  // [lead][trail]; kInvalid where no character

  DecodeTables() {
    iconv_close(Open("CP932", "UTF-16LE"));
    iconv_t toUnicode = Open("UTF-16LE", "CP932");
    for (int b = 0; b < 256; ++b) {
      const char in[1] = {char(b)};
      single[b] = IsLeadByte(b) ? kInvalid : Convert(toUnicode, in, 1);
    }
    for (int lead = 0; lead < 256; ++lead) {
      pair[lead].fill(kInvalid);
      if (IsLeadByte(lead)) DecodeRow(toUnicode, lead, pair[lead]);
    }
    iconv_close(toUnicode);
  }

  // The trail bytes of one lead byte, converted together: one conversion per stretch
  // of valid pairs instead of one per pair, which keeps the start of every program
  // short. A refused pair is stepped over. Should a stretch not come out as one
  // character per pair, the rest of the row goes pair by pair.
  static void DecodeRow(iconv_t cd, int lead, std::array<char16_t, 256>& row) {
    constexpr int kFirstTrail = 0x40, kPairs = 0xFC - kFirstTrail + 1;
    char in[2 * kPairs];
    for (int i = 0; i < kPairs; ++i) in[2 * i] = char(lead), in[2 * i + 1] = char(kFirstTrail + i);
    for (int done = 0; done < kPairs;) {
      char out[2 * kPairs];
      char* ip = in + 2 * done;
      char* op = out;
      size_t il = size_t(2 * (kPairs - done)), ol = sizeof out;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
      const bool whole = iconv(cd, &ip, &il, &op, &ol) != size_t(-1);
      const qsizetype consumed = ip - (in + 2 * done);
      if (consumed % 2 != 0 || op - out != consumed) {
        for (int i = done; i < kPairs; ++i) row[kFirstTrail + i] = Convert(cd, in + 2 * i, 2);
        return;
      }
      for (qsizetype i = 0; i < consumed / 2; ++i)
        row[kFirstTrail + done + i] = char16_t(quint8(out[2 * i]) | quint8(out[2 * i + 1]) << 8);
      done += int(consumed / 2);
      if (whole) return;
      ++done;  // the refused pair stays kInvalid
    }
  }

  // One character from `length` bytes, or kInvalid when they are not exactly one character.
  static char16_t Convert(iconv_t cd, const char* bytes, size_t length) {
    char in[2];
    std::memcpy(in, bytes, length);
    char out[8];
    char* ip = in;
    char* op = out;
    size_t il = length, ol = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &ip, &il, &op, &ol) == size_t(-1) || il != 0 || op - out != 2) return kInvalid;
    return char16_t(quint8(out[0]) | quint8(out[1]) << 8);
  }
};

// The encoding tables, built a page of 256 units at a time when text of that page is
// first encoded or measured: asking the converter about all 65,536 units would add
// milliseconds to the start of every program, and most never meet more than a few pages.
class EncodeTables {
 public:
  EncodeTables() : fromUnicode_(Open("CP932", "UTF-16LE")) {}
  ~EncodeTables() { iconv_close(fromUnicode_); }

  // The code of `c` (one or two bytes), or kUnencodable.
  quint16 Code(char16_t c) { return Page(c)[c & 0xFF]; }
  int Width(char16_t c) {
    const quint16 code = Code(c);
    return code > 0xFF && code != kUnencodable ? 2 : 1;
  }

 private:
  const quint16* Page(char16_t c) {
    const int page = c >> 8;
    if (!ready_[page].load(std::memory_order_acquire)) Build(page);
    return &encode_[size_t(page) << 8];
  }

  void Build(int page) {
    std::lock_guard lock(building_);  // a converter serves one thread at a time
    if (ready_[page].load(std::memory_order_relaxed)) return;
    for (int low = 0; low < 256; ++low) encode_[size_t(page) << 8 | low] = EncodeOne(char16_t(page << 8 | low));
    ready_[page].store(true, std::memory_order_release);
  }

  quint16 EncodeOne(char16_t c) {
    if (c >= 0xD800 && c < 0xE000) return kUnencodable;  // a lone surrogate is no character
    char in[2] = {char(c & 0xFF), char(c >> 8)};
    char out[8];
    char* ip = in;
    char* op = out;
    size_t il = 2, ol = sizeof out;
    iconv(fromUnicode_, nullptr, nullptr, nullptr, nullptr);
    if (iconv(fromUnicode_, &ip, &il, &op, &ol) == size_t(-1)) return kUnencodable;
    if (op - out == 1) return quint8(out[0]);
    if (op - out == 2) return quint16(quint8(out[0]) << 8 | quint8(out[1]));
    return kUnencodable;
  }

  iconv_t fromUnicode_;
  std::array<quint16, 65536> encode_{};  // UTF-16 unit -> code, valid where its page is ready
  std::array<std::atomic<bool>, 256> ready_{};
  std::mutex building_;
};

const DecodeTables& Table() {
  static const std::unique_ptr<DecodeTables> tables = std::make_unique<DecodeTables>();
  return *tables;
}

EncodeTables& Encoding() {
  Table();  // a missing converter is reported as at any first use
  static const std::unique_ptr<EncodeTables> tables = std::make_unique<EncodeTables>();
  return *tables;
}

}  // namespace

void Require() { Table(); }

qsizetype DecodeInto(const char* bytes, qsizetype length, char16_t* out) {
  const DecodeTables& t = Table();
  qsizetype n = 0;
  for (qsizetype i = 0; i < length; ++i) {
    const auto b = quint8(bytes[i]);
    if (b < 0x80) {
      out[n++] = b;
    } else if (IsLeadByte(b) && i + 1 < length && t.pair[b][quint8(bytes[i + 1])] != kInvalid) {
      out[n++] = t.pair[b][quint8(bytes[++i])];
    } else {
      out[n++] = t.single[b];  // kInvalid for a lead byte without its trail byte
    }
  }
  return n;
}

QString Decode(const char* bytes, qsizetype length) {
  QString text(length, Qt::Uninitialized);
  text.truncate(DecodeInto(bytes, length, reinterpret_cast<char16_t*>(text.data())));
  return text;
}

DecodedChar DecodeNext(const char* bytes, qsizetype length) {
  const DecodeTables& t = Table();
  const auto b = quint8(bytes[0]);
  if (b < 0x80) return {b, 1};
  if (IsLeadByte(b) && length > 1 && t.pair[b][quint8(bytes[1])] != kInvalid) return {t.pair[b][quint8(bytes[1])], 2};
  return {t.single[b], 1};
}

bool IsValid(const char* bytes, qsizetype length) {
  const DecodeTables& t = Table();
  for (qsizetype i = 0; i < length; ++i) {
    const auto b = quint8(bytes[i]);
    if (b < 0x80) continue;
    if (IsLeadByte(b)) {
      if (i + 1 >= length || t.pair[b][quint8(bytes[i + 1])] == kInvalid) return false;
      ++i;
    } else if (t.single[b] == kInvalid) {
      return false;
    }
  }
  return true;
}

int CharWidth(QChar c) { return Encoding().Width(c.unicode()); }

int ByteWidth(QStringView text) {
  EncodeTables& t = Encoding();
  int bytes = 0;
  for (QChar c : text) bytes += t.Width(c.unicode());
  return bytes;
}

QByteArray Encode(QStringView text) {
  EncodeTables& t = Encoding();
  QByteArray bytes;
  bytes.reserve(text.size() * 2);
  for (QChar c : text) {
    const quint16 code = t.Code(c.unicode());
    if (code == kUnencodable) bytes.append('?');
    else if (code > 0xFF) bytes.append(char(code >> 8)).append(char(code & 0xFF));
    else bytes.append(char(code));
  }
  return bytes;
}

namespace {

// Puts character `c` at `used` when it fits in `width`; false, putting nothing, when not.
bool PutChar(EncodeTables& t, char* field, int width, int& used, char16_t c) {
  const quint16 code = t.Code(c);
  const int w = (code == kUnencodable || code <= 0xFF) ? 1 : 2;
  if (used + w > width) return false;
  if (code == kUnencodable) field[used] = '?';
  else if (w == 2) field[used] = char(code >> 8), field[used + 1] = char(code & 0xFF);
  else field[used] = char(code);
  used += w;
  return true;
}

}  // namespace

void PutField(char* field, int width, QStringView text) {
  EncodeTables& t = Encoding();
  int used = 0;
  for (QChar c : text)
    if (!PutChar(t, field, width, used, c.unicode())) break;
  std::memset(field + used, ' ', width - used);
}

void PutDecodedField(char* field, int width, const char* bytes, qsizetype length) {
  EncodeTables& t = Encoding();
  int used = 0;
  for (qsizetype i = 0; i < length;) {
    const DecodedChar c = DecodeNext(bytes + i, length - i);
    if (!PutChar(t, field, width, used, c.unit)) break;
    i += c.bytes;
  }
  std::memset(field + used, ' ', width - used);
}

}  // namespace cp932

}  // namespace mirabo
