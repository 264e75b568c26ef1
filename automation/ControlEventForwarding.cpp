#include "automation/ControlEventForwarding.h"

#include "automation/EventMessageQueue.h"
#include "platform/container/OleContainer.h"
#include "platform/ole/FixedText.h"
#include "platform/ole/NumberText.h"

#include <string_view>
#include <utility>

std::int32_t MainWindowThread = 0;

namespace {

constexpr std::int32_t kForwarded = 1;
constexpr std::string_view kTagName = "x";

ObjectTagReader& TagReader() {
  static ObjectTagReader reader;
  return reader;
}

std::int32_t Parameter(const ole::DISPPARAMS* params, int number) {
  return ole::NumberText::ReadLong(container::EventParameterText(params, number));
}

std::string ObjectTag() {
  const ObjectTagReader& reader = TagReader();
  return reader ? reader(kTagName) : std::string();
}

// Fills the record for a kept event; false for an event that is dropped.
bool FillRecord(std::string_view name, const ole::DISPPARAMS* params, EventMessageRecord& record) {
  if (name == "OnHotSpot") {
    record.MQ_LPARAM1 = Parameter(params, 1);
    record.MQ_LPARAM2 = Parameter(params, 2);
    record.MQ_LPARAM3 = Parameter(params, 3);
    record.MQ_TAG = ole::FixedText(ObjectTag(), EventMessageRecord::kTagWidth);
  } else if (name == "MouseUp") {
    record.MQ_LPARAM1 = Parameter(params, 1);
  } else if (name != "HitObject") {
    return false;
  }
  record.MQ_MESSAGENAME = ole::FixedText(name, EventMessageRecord::kNameWidth);
  return true;
}

} // namespace

void SetObjectTagReader(ObjectTagReader reader) { TagReader() = std::move(reader); }

std::int32_t ForwardControlEvent(ole::DISPPARAMS* params, std::int16_t controlNumber, ole::DISPID dispatchId) {
  // Mouse moves come often and are never kept: they cost no read at all.
  if (dispatchId == ole::DISPID_MOUSEMOVE) {
    return kForwarded;
  }
  const std::string eventName = container::GetMember(
      nullptr, controlNumber, ole::NumberText::Long(container::PROP_LastEventName));
  EventMessageRecord record;
  if (FillRecord(ole::TrimTrailingBlanks(eventName), params, record)) {
    EventMessageQueue.push_back(std::move(record));
    window::PostEvent(ControlMessageEvent, 0, MainWindowThread);
  }
  return kForwarded;
}
