#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

// One control event kept for the main window: its name and the few values
// the main window acts on. The texts are fixed-width fields, padded with
// blanks. A field that an event does not fill keeps its initial value.
struct EventMessageRecord {
  static constexpr std::size_t kNameWidth = 64;
  static constexpr std::size_t kTagWidth = 20;

  std::string MQ_MESSAGENAME = std::string(kNameWidth, ' ');
  std::int32_t MQ_LPARAM1 = 0;
  std::int32_t MQ_LPARAM2 = 0;
  std::int32_t MQ_LPARAM3 = 0;
  std::int32_t MQ_LPARAM4 = 0;
  std::string MQ_TAG = std::string(kTagWidth, ' ');
};

// The control events waiting for the main window, oldest first: the event
// callback appends one record for each event it posts, and the main window
// takes the oldest on each posted event. Producer and consumer run on the
// main window's thread, so there is no lock.
using EventMessageQueueType = std::deque<EventMessageRecord>;
extern EventMessageQueueType EventMessageQueue;
