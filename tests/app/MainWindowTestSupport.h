#pragma once

#include "app/MainWindowController.h"
#include "app/MainWindowDescription.h"
#include "app/ProgramBody.h"
#include "drawctl/DrawingControlClass.h"
#include "platform/container/MessagePresenter.h"
#include "platform/window/Window.h"

#include <QPoint>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace apptest {

inline constexpr std::uint8_t kWrite = 0;
inline constexpr std::uint8_t kRead = 1;

// The main window's controller, counting its shutdowns.
class CountingController : public MainWindowController {
public:
  using MainWindowController::MainWindowController;
  std::uint8_t Shutdown() override {
    ++shutdowns;
    return MainWindowController::Shutdown();
  }
  int shutdowns = 0;
};

// One object of the drawing as the wrapper reads it.
struct ObjectReading {
  std::int32_t type = 0;
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  std::int32_t fillColor = 0;
  std::int32_t lineColor = 0;
  std::int32_t lineWidth = 0;
  std::string tag;
};

// The main window running as Main runs it, with every box recorded. The
// steps run from its event loop once it is open and exposed; the window
// closes when they are done, also when one of them failed.
class MainWindowSession {
public:
  MainWindowSession();
  ~MainWindowSession();

  // Runs the window until it closes; returns what Run returned.
  std::uint8_t Run(const std::function<void(MainWindowSession&)>& steps);

  window::Window& Window() { return window_; }
  MainWindowLocals& Locals() { return locals_; }
  CountingController& Controller() { return controller_; }
  const std::vector<container::MessageRequest>& Boxes() const { return boxes_.shown; }

  // The drawing control's view in the slot, or null.
  QWidget* View() const;
  // Where a point of the drawing shows in the view.
  QPoint PixelOf(std::int32_t x, std::int32_t y) const;

  // Makes object n current and reads it; the object must exist.
  ObjectReading ReadObject(std::int32_t n);
  // Whether object n exists: making it current works only then.
  bool ObjectExists(std::int32_t n);
  // The points of the current object, x1, y1, x2, y2, ...
  std::vector<std::int32_t> PointsOfCurrentObject();

  // Mouse input on the view, carrying the pressed buttons on moves.
  void MoveTo(QPoint pixel, Qt::MouseButtons buttons = Qt::NoButton);
  void Press(QPoint pixel, Qt::MouseButton button = Qt::LeftButton);
  void Release(QPoint pixel, Qt::MouseButton button = Qt::LeftButton);
  void Drag(QPoint from, QPoint to);
  void Click(QPoint pixel, Qt::MouseButton button = Qt::LeftButton);
  // Waits until every posted control event has been handled.
  void SettleEvents();

private:
  container::RecordingMessagePresenter boxes_;
  container::ScopedMessagePresenter presenter_{boxes_};
  MainWindowLocals locals_;
  window::Window window_{MainWindowDescription(locals_.checkBoxValue)};
  CountingController controller_{window_, locals_, GlobalErrors};
};

} // namespace apptest
