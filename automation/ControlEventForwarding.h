#pragma once

#include "platform/ole/Dispatch.h"
#include "platform/window/ThreadMailbox.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// The event posted to the main window for every control event kept in
// EventMessageQueue.
inline constexpr std::int32_t ControlMessageEvent = window::EVENT_User;

// The platform thread number of the main window, where the callback posts.
extern std::int32_t MainWindowThread;

// Reads an object tag of the control's current object through the
// drawing-control wrapper. The program supplies it when it registers the
// callback, since the wrapper sits above this layer.
using ObjectTagReader = std::function<std::string(std::string_view tagName)>;
void SetObjectTagReader(ObjectTagReader reader);

// The event callback of the drawing control's slot, called by the
// container while the control fires an event. It keeps "OnHotSpot" (its
// three parameters and the object's "x" tag), "HitObject" and "MouseUp"
// (its button) as records in EventMessageQueue, posting one
// ControlMessageEvent (control 0) to MainWindowThread for each, and drops
// every other event; a mouse move is dropped before anything is read.
// Returns 1.
std::int32_t ForwardControlEvent(ole::DISPPARAMS* params, std::int16_t controlNumber, ole::DISPID dispatchId);
