// Splitting the help file into topics, and the case- and width-blind search over them.
#include "window/dialogs/HelpTopics.h"

#include <algorithm>

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

namespace mirabo {

namespace {

const QRegularExpression kComment(QStringLiteral("<!--.*?(-->|$)"),
                                  QRegularExpression::DotMatchesEverythingOption);
const QRegularExpression kHeadingStart(QStringLiteral("<h1(?=[\\s>])[^>]*>"),
                                       QRegularExpression::CaseInsensitiveOption);
const QRegularExpression kHeadingEnd(QStringLiteral("</h1\\s*>"), QRegularExpression::CaseInsensitiveOption);
const QRegularExpression kTag(QStringLiteral("<(/?)([a-zA-Z][a-zA-Z0-9]*)?[^>]*>"));
const QRegularExpression kReference(QStringLiteral("&(#[0-9]{1,7}|#[xX][0-9a-fA-F]{1,6}|[a-zA-Z]+);"));

// Tags that sit inside a run of text; removing them must not split a word.
bool IsInlineTag(const QString& name) {
  static const QStringList inlineTags = {"a", "b", "i", "u", "em", "strong", "code", "span", "small", "big"};
  return inlineTags.contains(name.toLower());
}

QString DecodeReference(const QString& body) {
  if (body.startsWith(u'#')) {
    bool ok = false;
    const bool hex = body.size() > 1 && (body[1] == u'x' || body[1] == u'X');
    const uint code = hex ? body.mid(2).toUInt(&ok, 16) : body.mid(1).toUInt(&ok, 10);
    if (!ok || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return QString(QChar(0xFFFD));
    const char32_t c = code;
    return QString::fromUcs4(&c, 1);
  }
  if (body == u"amp") return QStringLiteral("&");
  if (body == u"lt") return QStringLiteral("<");
  if (body == u"gt") return QStringLiteral(">");
  if (body == u"quot") return QStringLiteral("\"");
  if (body == u"apos") return QStringLiteral("'");
  if (body == u"nbsp") return QStringLiteral(" ");
  return u'&' + body + u';';  // unknown: shown as written, as a browser does
}

// The text with each match of `pattern` replaced by what `replace` makes of it.
template <typename Replace>
QString ReplaceMatches(const QString& text, const QRegularExpression& pattern, Replace replace) {
  QString result;
  qsizetype done = 0;
  for (auto it = pattern.globalMatch(text); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    result.append(QStringView(text).mid(done, m.capturedStart() - done)).append(replace(m));
    done = m.capturedEnd();
  }
  return result.append(QStringView(text).mid(done));
}

QString DecodeReferences(const QString& text) {
  return ReplaceMatches(text, kReference, [](const QRegularExpressionMatch& m) { return DecodeReference(m.captured(1)); });
}

QString StripTags(const QString& html) {
  return ReplaceMatches(html, kTag, [](const QRegularExpressionMatch& m) {
    return IsInlineTag(m.captured(2)) ? QString() : QStringLiteral(" ");
  });
}

// The heading's markup: up to </h1>, or to the end of its line when that is missing.
QString HeadingMarkup(const QString& section, qsizetype titleStart) {
  const QRegularExpressionMatch end = kHeadingEnd.match(section, titleStart);
  if (end.hasMatch()) return section.mid(titleStart, end.capturedStart() - titleStart);
  const qsizetype lineEnd = section.indexOf(u'\n', titleStart);
  return lineEnd < 0 ? section.mid(titleStart) : section.mid(titleStart, lineEnd - titleStart);
}

HelpTopic MakeTopic(const QString& section, qsizetype titleStart) {
  HelpTopic topic;
  topic.title = PlainTextOf(HeadingMarkup(section, titleStart));
  topic.html = section;
  topic.folded = FoldForSearch(topic.title + u'\n' + PlainTextOf(section));
  return topic;
}

}  // namespace

std::optional<QString> ReadHelpSource(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) return std::nullopt;
  // A bad byte becomes U+FFFD: the rest of the file is still worth showing.
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  return QString(utf8(bytes));
}

QList<HelpTopic> ParseHelpTopics(const QString& source) {
  QString text = source;
  text.remove(kComment);
  QList<QRegularExpressionMatch> headings;
  for (auto it = kHeadingStart.globalMatch(text); it.hasNext();) headings << it.next();

  QList<HelpTopic> topics;
  for (qsizetype i = 0; i < headings.size(); ++i) {
    const qsizetype from = headings[i].capturedStart();
    const qsizetype to = i + 1 < headings.size() ? headings[i + 1].capturedStart() : text.size();
    const QString section = text.mid(from, to - from).trimmed();
    topics << MakeTopic(section, headings[i].capturedLength());
  }
  return topics;
}

QString PlainTextOf(const QString& html) { return DecodeReferences(StripTags(html)).simplified(); }

QString FoldForSearch(const QString& text, QList<qsizetype>* origin) {
  QString folded;
  folded.reserve(text.size());
  if (origin) origin->clear();
  for (qsizetype i = 0; i < text.size();) {
    const qsizetype length = (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ? 2 : 1;
    const QString piece = text.mid(i, length).normalized(QString::NormalizationForm_KC).toCaseFolded();
    folded += piece;
    if (origin) origin->insert(origin->size(), piece.size(), i);
    i += length;
  }
  return folded;
}

QStringList QueryWords(const QString& query) {
  // Folding first turns the ideographic space into a plain one.
  return FoldForSearch(query).split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

bool TopicMatches(const HelpTopic& topic, const QStringList& words) {
  return std::all_of(words.begin(), words.end(), [&](const QString& w) { return topic.folded.contains(w); });
}

QList<std::pair<qsizetype, qsizetype>> FindWords(const QString& text, const QStringList& words) {
  QList<qsizetype> origin;
  const QString folded = FoldForSearch(text, &origin);
  QList<std::pair<qsizetype, qsizetype>> ranges;
  for (const QString& word : words) {
    if (word.isEmpty()) continue;
    for (qsizetype at = folded.indexOf(word); at >= 0; at = folded.indexOf(word, at + word.size())) {
      const qsizetype last = origin[at + word.size() - 1];
      const qsizetype lastLength = text[last].isHighSurrogate() && last + 1 < text.size() ? 2 : 1;
      ranges.append({origin[at], last + lastLength});
    }
  }
  std::sort(ranges.begin(), ranges.end());
  return ranges;
}

}  // namespace mirabo
