#pragma once

#include "platform/window/ThreadMailbox.h"

#include <cstdint>

class QEventLoop;

namespace errors {
class ErrorManager;
}

namespace window {

class Window;

// Result codes of the window manager's hooks.
inline constexpr std::uint8_t RESULT_Continue = 0; // carry on
inline constexpr std::uint8_t RESULT_Closed = 1;   // the window's close handling ran: the event loop ends
inline constexpr std::uint8_t RESULT_Refused = 2;  // initialised twice, or shut down without initialisation

// Runs one window: the controller of a window's life.
//
// A program starts the platform in this order: it creates its
// QApplication, installs a window::QtMessagePresenter as the process's
// message presenter, calls window::CloseOnTerminationSignals() and
// window::LoadInstalledComponents(), and then runs its windows.
//
// A program derives its window's controller from WindowManager and
// overrides the four hooks; each override performs the base hook (the
// window manager's own handling) and passes on its result unless that
// result says otherwise. For example:
//
//   class MainWindowController : public window::WindowManager {
//   public:
//     using WindowManager::WindowManager;
//     std::uint8_t Initialise() override {
//       if (const std::uint8_t code = WindowManager::Initialise()) return code;
//       SetFirstControl(4);       // focused when the window opens
//       SetErrorManager(errors);
//       Open();                   // shows the window
//       resizer.Attach(GetWindow(), window::Resizer::kStrategySpread);
//       mainThread = window::CurrentThreadNumber();
//       ...                       // create controls in slots, set up
//       return window::RESULT_Continue;
//     }
//     std::uint8_t Shutdown() override {
//       if (const std::uint8_t code = WindowManager::Shutdown()) return code;
//       ...                       // release what Initialise took; the window still exists
//       return window::RESULT_Continue;
//     }
//     std::uint8_t HandleAccepted() override {
//       if (AcceptedControl() == 4) { GetWindow().CopyStatesToValues(); ... }
//       return WindowManager::HandleAccepted();
//     }
//     std::uint8_t HandleWindowEvent() override {
//       if (CurrentEvent() == kMyEvent) { ... }
//       return WindowManager::HandleWindowEvent();
//     }
//   };
//
//   std::int32_t ticked = 0;
//   window::Window w(description);   // binds the check box to ticked
//   MainWindowController controller(w);
//   controller.Run();                // returns after the window closed and Shutdown ran
//
// Run calls Initialise; if it returns RESULT_Continue, runs the event loop;
// then calls Shutdown in every case. In the loop, every event without a
// control (a close request, a posted event with control 0) goes to
// HandleWindowEvent and every chosen control (EVENT_Accepted) to
// HandleAccepted; a hook's result other than RESULT_Continue ends the loop.
// A close request (the close box, a control with the standard close
// action, SIGINT or SIGTERM, or Window::RequestClose) arrives as
// EVENT_CloseWindow, and the base HandleWindowEvent answers it with
// RESULT_Closed. Events are handled one at a time on the thread that
// called Run, which needs a Qt application object.
class WindowManager {
public:
  explicit WindowManager(Window& window);
  WindowManager(const WindowManager&) = delete;
  WindowManager& operator=(const WindowManager&) = delete;
  virtual ~WindowManager();

  std::uint8_t Run();

  // The hooks, in the order of their slots. The base Initialise takes the
  // window over (RESULT_Refused when this or another manager already has
  // it); the base Shutdown hides the window and lets it go (RESULT_Refused
  // without a successful Initialise before).
  virtual std::uint8_t Initialise();
  virtual std::uint8_t Shutdown();
  virtual std::uint8_t HandleAccepted();
  virtual std::uint8_t HandleWindowEvent();

  // Shows the window, puts the focus on the first control and makes the
  // window the container's active window.
  void Open();
  void SetFirstControl(std::int16_t control) { firstControl_ = control; }
  // Refusals are recorded with it.
  void SetErrorManager(errors::ErrorManager& errors) { errors_ = &errors; }

  // The event being handled and, for EVENT_Accepted, its control; 0
  // outside the hooks.
  std::int32_t CurrentEvent() const { return event_; }
  std::int16_t AcceptedControl() const { return event_ == EVENT_Accepted ? control_ : 0; }

  Window& GetWindow() const { return window_; }

private:
  friend class ThreadMailbox;

  void RunEventLoop();
  void EndLoop();
  std::uint8_t Refuse(const char* message);
  bool ReadyForEvent() const { return !dispatching_ && !loopEnding_; }
  void Dispatch(const WindowEvent& event);

  Window& window_;
  errors::ErrorManager* errors_ = nullptr;
  std::int16_t firstControl_ = 0;
  bool initialised_ = false;
  bool dispatching_ = false;
  bool loopEnding_ = false;
  QEventLoop* loop_ = nullptr;
  std::int32_t event_ = 0;
  std::int16_t control_ = 0;
};

} // namespace window
