// Building the pair lists in two passes over the joined texts, and looking pairs up.
#include "lookup/BigramIndex.h"

#include <memory>

namespace mirabo {

namespace {

quint32 PairOf(char16_t first, char16_t second) { return quint32(first) << 16 | second; }

size_t SlotOf(quint32 pair, size_t mask) { return size_t((pair * 0x9E3779B1u) >> 7) & mask; }

}  // namespace

BigramIndex::BigramIndex(QStringView joined, const std::vector<qsizetype>& offsets) : slots_(1 << 14) {
  const char16_t* text = joined.utf16();
  // Pass 1: number every pair and count the texts that hold it, once per text.
  // Written for every unit that starts a pair, and only those are read.
  const std::unique_ptr<qint32[]> pairIds(new qint32[size_t(joined.size())]);
  std::vector<qint32> counts;
  std::vector<qint32> lastText;
  for (size_t n = 1; n < offsets.size(); ++n) {
    for (qsizetype i = offsets[n - 1]; i + 1 < offsets[n]; ++i) {
      const qint32 id = Intern(PairOf(text[i], text[i + 1]));
      if (size_t(id) == counts.size()) counts.push_back(0), lastText.push_back(0);
      pairIds[size_t(i)] = id;
      if (lastText[size_t(id)] != qint32(n)) ++counts[size_t(id)], lastText[size_t(id)] = qint32(n);
    }
  }
  // Pass 2: the lists, each in text order.
  starts_.assign(size_t(pairCount_) + 1, 0);
  for (qint32 id = 0; id < pairCount_; ++id) starts_[size_t(id) + 1] = starts_[size_t(id)] + counts[size_t(id)];
  texts_.resize(size_t(starts_.back()));
  std::vector<qint32> next(starts_.begin(), starts_.end() - 1);
  std::fill(lastText.begin(), lastText.end(), 0);
  for (size_t n = 1; n < offsets.size(); ++n) {
    for (qsizetype i = offsets[n - 1]; i + 1 < offsets[n]; ++i) {
      const auto id = size_t(pairIds[size_t(i)]);
      if (lastText[id] == qint32(n)) continue;
      lastText[id] = qint32(n);
      texts_[size_t(next[id]++)] = qint32(n);
    }
  }
}

std::span<const qint32> BigramIndex::Texts(char16_t first, char16_t second) const {
  const qint32 id = Find(PairOf(first, second));
  if (id < 0) return {};
  return {texts_.data() + starts_[size_t(id)], texts_.data() + starts_[size_t(id) + 1]};
}

std::span<const qint32> BigramIndex::RarestPairOf(QStringView key) const {
  std::span<const qint32> rarest = Texts(key[0].unicode(), key[1].unicode());
  for (qsizetype i = 1; i + 1 < key.size() && !rarest.empty(); ++i) {
    const std::span<const qint32> texts = Texts(key[i].unicode(), key[i + 1].unicode());
    if (texts.size() < rarest.size()) rarest = texts;
  }
  return rarest;
}

qint32 BigramIndex::Intern(quint32 pair) {
  // At most half full, so that a probe ends soon at the pair or an empty slot.
  if (size_t(pairCount_) * 2 >= slots_.size()) Grow();
  const size_t mask = slots_.size() - 1;
  for (size_t s = SlotOf(pair, mask);; s = (s + 1) & mask) {
    Slot& slot = slots_[s];
    if (slot.id < 0) {
      slot = {pair, pairCount_++};
      return slot.id;
    }
    if (slot.pair == pair) return slot.id;
  }
}

qint32 BigramIndex::Find(quint32 pair) const {
  const size_t mask = slots_.size() - 1;
  for (size_t s = SlotOf(pair, mask);; s = (s + 1) & mask) {
    const Slot& slot = slots_[s];
    if (slot.id < 0) return -1;
    if (slot.pair == pair) return slot.id;
  }
}

void BigramIndex::Grow() {
  std::vector<Slot> old(slots_.size() * 2);
  old.swap(slots_);
  const size_t mask = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.id < 0) continue;
    size_t s = SlotOf(slot.pair, mask);
    while (slots_[s].id >= 0) s = (s + 1) & mask;
    slots_[s] = slot;
  }
}

}  // namespace mirabo
