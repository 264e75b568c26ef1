#pragma once

#include "platform/ole/ComPtr.h"
#include "platform/ole/Dispatch.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace container {

// The container's table of live interface references. An object reference
// text ("`" and a decimal number) names an entry of this table, never an
// address, so a text that names no live entry can never lead to a call
// through an invalid pointer. Each entry holds one reference on its
// interface; entry numbers are never reused.
class ReferenceTable {
public:
  static ReferenceTable& Instance();

  // The entry that holds the interface, made on first use.
  std::int64_t Enter(ole::IDispatch* object);
  // The interface of a live entry, or null. No reference is added.
  ole::IDispatch* Find(std::int64_t entry) const;
  // Drops a live entry and its reference; false when none has that number.
  bool Release(std::int64_t entry);
  // Drops every entry that holds the interface (its control has gone).
  void Forget(ole::IDispatch* object);

  // "`" and the entry number.
  static std::string ReferenceText(std::int64_t entry);
  // The entry number of a reference text: "`" and decimal digits, nothing
  // else. Says nothing about whether the entry is live.
  static std::optional<std::int64_t> ParseReferenceText(std::string_view text) {
    // Most texts are not references; they are told apart here, inline.
    if (text.size() < 2 || text.front() != '`') {
      return std::nullopt;
    }
    return ParseEntryNumber(text.substr(1));
  }

private:
  static std::optional<std::int64_t> ParseEntryNumber(std::string_view digits);

  mutable std::mutex mutex_;
  std::map<std::int64_t, ole::ComPtr<ole::IDispatch>> entries_;
  std::int64_t lastEntry_ = 0;
};

} // namespace container
