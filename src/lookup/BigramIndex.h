// For each pair of adjacent UTF-16 units, the entries whose address text holds it.
#pragma once

#include <span>
#include <vector>

#include <QString>

namespace mirabo {

// A text that holds a key of two or more units holds every pair of the key, so the
// entries listed under the key's rarest pair are all that a search needs to look at.
class BigramIndex {
 public:
  // Text n (from 1) of `joined` is [offsets[n-1], offsets[n]). A pair is counted
  // only inside one text, never across the border of two.
  BigramIndex(QStringView joined, const std::vector<qsizetype>& offsets);

  // Text numbers, ascending, of the texts that hold `first` followed by `second`.
  std::span<const qint32> Texts(char16_t first, char16_t second) const;

  // The shortest list among the pairs of `key` (two units or more).
  std::span<const qint32> RarestPairOf(QStringView key) const;

 private:
  // The pair's number in slots_, given on first sight; -1 from Find when unseen.
  qint32 Intern(quint32 pair);
  qint32 Find(quint32 pair) const;
  void Grow();

  struct Slot {
    quint32 pair = 0;
    qint32 id = -1;  // -1: empty
  };
  std::vector<Slot> slots_;  // open addressing, a power of two in size
  qint32 pairCount_ = 0;
  std::vector<qint32> starts_;  // texts of pair i are texts_[starts_[i], starts_[i + 1])
  std::vector<qint32> texts_;
};

}  // namespace mirabo
