#include "platform/container/ReferenceTable.h"

#include <charconv>
#include <vector>

namespace container {

namespace {
constexpr char kGraveAccent = '`';
}

ReferenceTable& ReferenceTable::Instance() {
  // Never destroyed: windows and slots that outlive main, such as globals,
  // still forget their controls' entries while the program ends.
  static auto* const table = new ReferenceTable;
  return *table;
}

std::int64_t ReferenceTable::Enter(ole::IDispatch* object) {
  std::lock_guard lock(mutex_);
  for (const auto& [entry, held] : entries_) {
    if (held.get() == object) {
      return entry;
    }
  }
  entries_.emplace(++lastEntry_, ole::ComPtr<ole::IDispatch>(object));
  return lastEntry_;
}

ole::IDispatch* ReferenceTable::Find(std::int64_t entry) const {
  std::lock_guard lock(mutex_);
  const auto found = entries_.find(entry);
  return found == entries_.end() ? nullptr : found->second.get();
}

bool ReferenceTable::Release(std::int64_t entry) {
  // Let go outside the lock: the last reference may end the object, which
  // may come back here.
  ole::ComPtr<ole::IDispatch> released;
  {
    std::lock_guard lock(mutex_);
    const auto found = entries_.find(entry);
    if (found == entries_.end()) {
      return false;
    }
    released = std::move(found->second);
    entries_.erase(found);
  }
  return true;
}

void ReferenceTable::Forget(ole::IDispatch* object) {
  // Let go outside the lock, as in Release.
  std::vector<ole::ComPtr<ole::IDispatch>> released;
  {
    std::lock_guard lock(mutex_);
    std::erase_if(entries_, [&](auto& entry) {
      if (entry.second.get() != object) {
        return false;
      }
      released.push_back(std::move(entry.second));
      return true;
    });
  }
}

std::string ReferenceTable::ReferenceText(std::int64_t entry) {
  char text[24] = {kGraveAccent};
  const auto end = std::to_chars(text + 1, text + sizeof text, entry).ptr;
  return std::string(text, end);
}

std::optional<std::int64_t> ReferenceTable::ParseEntryNumber(std::string_view digits) {
  if (digits.front() < '0' || digits.front() > '9') {
    return std::nullopt;
  }
  std::int64_t entry = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), entry);
  if (error != std::errc{} || end != digits.data() + digits.size()) {
    return std::nullopt;
  }
  return entry;
}

} // namespace container
