// The help file split into topics, and the search over them; Qt Core only, no widgets.
#pragma once

#include <optional>
#include <utility>

#include <QList>
#include <QString>
#include <QStringList>

namespace mirabo {

// One topic of the help file: an <h1> heading and everything up to the next one.
struct HelpTopic {
  QString title;   // plain text of the heading
  QString html;    // the topic's markup, heading included
  QString folded;  // title and body as plain text, folded for searching (FoldForSearch)
};

// The text of a UTF-8 help file (a leading byte order mark dropped), or nothing
// when the file cannot be read.
std::optional<QString> ReadHelpSource(const QString& path);

// The topics of a help source in file order. Comments are dropped first; text
// before the first <h1> belongs to no topic. A heading without </h1> ends at its line's end.
QList<HelpTopic> ParseHelpTopics(const QString& source);

// The visible text of markup: tags removed (block tags leave a space, inline tags
// nothing), character references decoded, runs of white space made one space.
QString PlainTextOf(const QString& html);

// The text with compatibility forms (full-/half-width) and letter case folded away,
// one character at a time. When `origin` is given, (*origin)[i] is the index in
// `text` of the character that folded character i came from.
QString FoldForSearch(const QString& text, QList<qsizetype>* origin = nullptr);

// The words of a search query, folded; white space (the ideographic space too) separates them.
QStringList QueryWords(const QString& query);

// Whether the topic holds every word (QueryWords); true for no words.
bool TopicMatches(const HelpTopic& topic, const QStringList& words);

// Where the words occur in `text`, as [start, end) ranges of its characters, in
// order of position; matching ignores case and width as FoldForSearch does.
QList<std::pair<qsizetype, qsizetype>> FindWords(const QString& text, const QStringList& words);

}  // namespace mirabo
