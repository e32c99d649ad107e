// The window's history of recent conversions, newest first.
//
// An entry names its units by category name and symbol rather than by
// position, so that it still means the same conversion when the catalogue
// has grown (or shrunk) between two runs. The amount and the result are the
// values at the time of the conversion; the window recomputes the result
// when an entry is recalled.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "runtime/rtl.h"

namespace quillon {

struct HistoryEntry {
  std::string category;
  std::string from;  // symbols
  std::string to;
  rtl::Extended amount = 0;
  rtl::Extended result = 0;

  // The same conversion of the same amount (the result is not compared: it
  // follows from the rest).
  bool SameConversion(const HistoryEntry& other) const;
};

// "42.195 km = 26.2187574564543069 mi", in the general number text (with the
// current decimal separator).
std::string SummaryOf(const HistoryEntry& entry);

class History {
 public:
  static constexpr std::size_t kDefaultCapacity = 50;

  explicit History(std::size_t capacity = kDefaultCapacity) : capacity_(capacity) {}

  // Puts `entry` in front. An entry for the same conversion already in the
  // list moves to the front instead of appearing twice; beyond the capacity
  // the oldest entry is dropped. Returns false when `entry` was already the
  // newest one and nothing changed.
  bool Add(const HistoryEntry& entry);
  // Removes the entry at `position` (0 is the newest); positions outside
  // the list are ignored.
  void Remove(std::size_t position);
  void Clear() { entries_.clear(); }

  const std::vector<HistoryEntry>& Entries() const { return entries_; }
  std::size_t Capacity() const { return capacity_; }

 private:
  std::size_t capacity_;
  std::vector<HistoryEntry> entries_;
};

}  // namespace quillon
