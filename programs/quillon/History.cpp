#include "programs/quillon/History.h"

#include <algorithm>

namespace quillon {

bool HistoryEntry::SameConversion(const HistoryEntry& other) const {
  return category == other.category && from == other.from && to == other.to &&
         amount == other.amount;
}

std::string SummaryOf(const HistoryEntry& entry) {
  return rtl::FormatGeneral(entry.amount) + " " + entry.from + " = " +
         rtl::FormatGeneral(entry.result) + " " + entry.to;
}

bool History::Add(const HistoryEntry& entry) {
  if (!entries_.empty() && entries_.front().SameConversion(entry) &&
      entries_.front().result == entry.result) {
    return false;
  }
  const auto same = std::find_if(entries_.begin(), entries_.end(),
                                 [&entry](const auto& e) { return e.SameConversion(entry); });
  if (same != entries_.end()) entries_.erase(same);
  entries_.insert(entries_.begin(), entry);
  if (entries_.size() > capacity_) entries_.resize(capacity_);
  return true;
}

void History::Remove(std::size_t position) {
  if (position < entries_.size()) {
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(position));
  }
}

}  // namespace quillon
