#pragma once

#include "platform/window/Window.h"
#include "platform/window/WindowDescription.h"
#include "platform/window/WindowManager.h"

#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace window::testing {

// The demo's main window as its program declares it.
inline WindowDescription MainWindowDescription(std::int32_t& ticked) {
  WindowDescription description;
  description.caption = "MetaDraw Control Demo";
  description.width = 319;
  description.height = 272;
  description.font = {"MS Sans Serif", 8, 400};
  description.controls = {
      Menu(1, "&File"),
      MenuSeparator(1),
      MenuItem(2, "&Exit", 1, StandardAction::CloseWindow),
      OleControl(3, {2, 4, 311, 236}),
      CheckBox(4, "Select/Resize Mode On", {5, 256}, ticked),
      PushButton(5, "&Close", {265, 250, 47, 14}, "WACancel.ico", StandardAction::CloseWindow),
  };
  return description;
}

// A controller that records what its hooks see and runs the test's steps
// once the window is open, from the event loop.
class RecordingController : public WindowManager {
public:
  using WindowManager::WindowManager;

  std::uint8_t Initialise() override {
    ++initialised;
    if (const std::uint8_t code = WindowManager::Initialise()) {
      return code;
    }
    SetFirstControl(4);
    Open();
    if (whenOpen) {
      QTimer::singleShot(0, [this] { whenOpen(*this); });
    }
    return RESULT_Continue;
  }

  std::uint8_t Shutdown() override {
    ++shutdowns;
    return WindowManager::Shutdown();
  }

  std::uint8_t HandleAccepted() override {
    accepted.push_back(AcceptedControl());
    if (onAccepted) {
      onAccepted(*this);
    }
    return WindowManager::HandleAccepted();
  }

  std::uint8_t HandleWindowEvent() override {
    windowEvents.push_back(CurrentEvent());
    if (onWindowEvent) {
      onWindowEvent(*this);
    }
    return WindowManager::HandleWindowEvent();
  }

  std::function<void(RecordingController&)> whenOpen;
  std::function<void(RecordingController&)> onAccepted;
  std::function<void(RecordingController&)> onWindowEvent;
  int initialised = 0;
  int shutdowns = 0;
  std::vector<std::int16_t> accepted;
  std::vector<std::int32_t> windowEvents;
};

// Ends every event loop of the thread if a test has not closed its window
// in time, so that a broken close fails the test instead of hanging it.
class LoopWatchdog {
public:
  LoopWatchdog() {
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, [] {
      ADD_FAILURE() << "the window did not close";
      QCoreApplication::exit(1);
    });
    timer_.start(30000);
  }

private:
  QTimer timer_;
};

} // namespace window::testing
