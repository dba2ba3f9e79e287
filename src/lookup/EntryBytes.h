// An entry's stored bytes turned straight into the texts that the searches show and search,
// without decoding the record into QStrings first.
#pragma once

#include <string>

#include <QString>

namespace mirabo {

// Appends the UTF-8 of SearchLine(EntryRecord::Decode(record), recordNo) and a line
// feed, without building the line as text first. `record` is EntryRecord::Size bytes.
void AppendSearchLineUtf8(std::string& out, const char* record, qint32 recordNo);

// Appends one tab-separated entry: code fitted to 7 bytes, cleaned Pref, cleaned
// City, cleaned Town and the record number, then a line feed.
void AppendTsvLineUtf8(std::string& out, const char* record, qint32 recordNo);

// SearchTextLength(EntryRecord::Decode(record)): characters of the cleaned City, Town
// and Pref together.
int SearchTextLength(const char* record);

// Appends the text the address search looks in: the cleaned City followed directly
// by the cleaned Town, as UTF-16.
void AppendAddressText(QString& out, const char* record);

}  // namespace mirabo
