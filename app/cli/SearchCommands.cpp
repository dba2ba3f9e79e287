// mirabo-cli code / address: the result list of either search button, for each TEXT.
#include <string>

#include <QFile>

#include <unistd.h>

#include "address/AddressReader.h"
#include "cli/Cli.h"
#include "cli/InputLines.h"
#include "data/TextFitting.h"
#include "lookup/AddressSearch.h"
#include "lookup/CodeSearch.h"
#include "lookup/EntryBytes.h"
#include "lookup/EntryListing.h"
#include "lookup/SearchLines.h"

namespace mirabo {

namespace {

struct SearchArgs {
  bool tsv = false;
  bool lineBuffered = false;  // the results of each batch line leave at once
  QStringList texts;  // "-" stands for the lines of standard input
};

// Options come first; "--" ends them so that a TEXT may begin with a hyphen.
bool ParseSearchArgs(const QStringList& args, SearchArgs& parsed) {
  bool options = true;
  for (const QString& arg : args) {
    if (options && arg == u"--") {
      options = false;
    } else if (options && arg == u"--tsv") {
      parsed.tsv = true;
    } else if (options && arg == u"--line-buffered") {
      parsed.lineBuffered = true;
    } else if (options && arg.size() > 1 && arg.startsWith(u'-')) {
      return false;
    } else {
      options = false;
      parsed.texts << arg;
    }
  }
  return !parsed.texts.isEmpty();
}

// Prints result lines as the result list holds them, or one tab-separated entry per
// line. Lines are built as UTF-8 straight from the stored bytes and collected in one
// large buffer, which goes to standard output when full, before a message on standard
// error, at Flush and at the end.
class ConsoleSink : public SearchSink {
 public:
  ConsoleSink(Cli& cli, bool tsv) : cli_(cli), tsv_(tsv) {
    cli_.out.flush();  // whatever the stream holds comes first
    buffer_.reserve(kBufferBytes + 4096);
  }
  ~ConsoleSink() override { Flush(); }

  void AddEntry(const char* record, qint32 recordNo) override {
    if (tsv_) AppendTsvLineUtf8(buffer_, record, recordNo);
    else AppendSearchLineUtf8(buffer_, record, recordNo);
    if (buffer_.size() >= kBufferBytes) Write();
  }
  // An entry the search had only as text (a damaged index names no record).
  void AddLine(const QString& line, const EntryRecord& entry, qint32 recordNo) override {
    const QString text = tsv_ ? FitToBytes(entry.Code, 7) + u'\t' + CleanField(entry.Pref) + u'\t' +
                                    CleanField(entry.City) + u'\t' + CleanField(entry.Town) + u'\t' +
                                    QString::number(recordNo)
                              : line;
    buffer_ += (text + u'\n').toStdString();
  }
  void Yield() override {}
  void TooMany() override {
    Flush();  // the message follows the lines it speaks of when both reach a terminal
    cli_.platform.MessageBox(kTooManyMessage, kSearchMessageTitle);
  }
  // The count line that closes the result list, after the note that the lines are
  // an address reading's candidates; tab-separated output has neither.
  void Closing(int lineCount, bool reading = false) {
    if (tsv_) return;
    if (reading) buffer_ += (kReadingNote + u'\n').toStdString();
    // A batch of codes mostly closes with the same count: its line is made once.
    if (lineCount != closingCount_) {
      closingCount_ = lineCount;
      closingLine_ = (CountLine(lineCount) + u'\n').toStdString();
    }
    buffer_ += closingLine_;
  }
  // Everything so far to standard output, now.
  void Flush() {
    Write();
    static_cast<QFileDevice*>(cli_.out.device())->flush();
  }

 private:
  static constexpr size_t kBufferBytes = size_t(1) << 18;

  // A failed write is noted by the device; main reports it and exits with 2.
  void Write() {
    if (buffer_.empty()) return;
    cli_.out.device()->write(buffer_.data(), qint64(buffer_.size()));
    buffer_.clear();
  }

  Cli& cli_;
  bool tsv_;
  std::string buffer_;
  int closingCount_ = -1;  // the count closingLine_ holds
  std::string closingLine_;
};

// What "番号検索" does with the text; true when it listed an entry.
bool SearchCodeText(Cli& cli, DataSet& data, const QString& text, ConsoleSink& sink) {
  const CodeSearchStart start = StartCodeSearch(text);
  for (int i = 0; i < start.beeps; ++i) cli.platform.Beep();
  if (!start.search) return false;
  const CodeSearchResult result = SearchCode(data, start.text, sink);
  if (!result.found) cli.platform.Beep();
  sink.Closing(result.tally.lineCount);
  return result.tally.lineCount > 0;
}

// What "住所検索" does with the text; true when it listed an entry.
bool SearchAddressText(Cli& cli, DataSet& data, const QString& text, ConsoleSink& sink) {
  const QString key = TrimSpaces(text);
  if (key.isEmpty()) {
    cli.platform.Beep();
    return false;
  }
  SearchTally tally = ListAddressMatches(data, key, sink);
  // When no entry contains the text, the reader's candidates for it as an address.
  bool reading = false;
  if (tally.lineCount == 0) {
    const QList<qint32> candidates = AddressReader::Of(data)->Candidates(key, kReadingLimit);
    reading = !candidates.isEmpty();
    if (reading) tally = ListEntries(data, candidates, sink);
  }
  sink.Closing(tally.lineCount, reading);
  return tally.lineCount > 0;
}

using SearchText = bool (*)(Cli&, DataSet&, const QString&, ConsoleSink&);

int RunSearch(Cli& cli, const QStringList& args, const char* command, SearchText search) {
  SearchArgs parsed;
  if (!ParseSearchArgs(args, parsed))
    return cli.Fail(QStringLiteral("usage: %1 [--tsv] [--line-buffered] [--] TEXT... (TEXT - reads standard input)").arg(command));
  DataSet data;
  if (const auto failed = cli.OpenForReading(data)) return *failed;
  ConsoleSink sink(cli, parsed.tsv);
  // Someone may be reading each answer as it comes: a terminal, or a pipe that asked for it.
  const bool flushEachLine = parsed.lineBuffered || ::isatty(STDOUT_FILENO);

  bool allFound = true;
  for (const QString& text : parsed.texts) {
    if (text != u"-") {
      allFound = search(cli, data, text, sink) && allFound;
      continue;
    }
    InputLines lines(stdin);
    QByteArray line;
    while (lines.Next(line)) {
      // A blank line in a list (often the last one) is no search that failed.
      if (line.isEmpty()) continue;
      allFound = search(cli, data, QString::fromUtf8(line), sink) && allFound;
      if (flushEachLine) sink.Flush();
    }
    sink.Flush();
    if (lines.TooLong())
      return cli.Fail(QStringLiteral("standard input: line %1 is longer than %2 bytes")
                          .arg(lines.Number())
                          .arg(InputLines::kMaxLineBytes));
    if (lines.Failed()) return cli.Fail(QStringLiteral("cannot read standard input"));
  }
  sink.Flush();
  return allFound ? kExitOk : kExitNothingFound;
}

}  // namespace

int RunCode(Cli& cli, const QStringList& args) { return RunSearch(cli, args, "code", SearchCodeText); }

int RunAddress(Cli& cli, const QStringList& args) { return RunSearch(cli, args, "address", SearchAddressText); }

}  // namespace mirabo
