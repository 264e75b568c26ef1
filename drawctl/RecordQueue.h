#pragma once

#include <cstddef>
#include <vector>

namespace drawctl {

// An in-memory queue of records with a record buffer: Add appends a copy of
// the buffer, Get copies an entry into the buffer and makes it the current
// entry. Entries are numbered from 1.
template <typename Record> class RecordQueue {
public:
  // The record buffer: what Add appends and Get fills.
  Record Buffer{};

  void Add() {
    records_.push_back(Buffer);
    pointer_ = records_.size();
  }
  void Add(const Record& record) {
    Buffer = record;
    Add();
  }

  // Makes entry (1 to Records()) current and copies it into the buffer;
  // false, with nothing changed, for any other number.
  bool Get(std::size_t entry) {
    if (entry < 1 || entry > records_.size()) {
      return false;
    }
    Buffer = records_[entry - 1];
    pointer_ = entry;
    return true;
  }

  // Empties the queue; the buffer keeps its contents.
  void Free() {
    records_.clear();
    pointer_ = 0;
  }

  std::size_t Records() const { return records_.size(); }
  // The number of the current entry, 0 when there is none.
  std::size_t Pointer() const { return pointer_; }
  // Entry n (1 to Records()) as stored.
  const Record& Entry(std::size_t entry) const { return records_.at(entry - 1); }

private:
  std::vector<Record> records_;
  std::size_t pointer_ = 0;
};

} // namespace drawctl
