#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

namespace window {

class WindowManager;

// Event codes of the window manager's event loop.
inline constexpr std::int32_t EVENT_Accepted = 1;    // a control was chosen; it carries the control
inline constexpr std::int32_t EVENT_CloseWindow = 2; // a request to close the window
inline constexpr std::int32_t EVENT_User = 1024;     // the first code free for a program's own events

// The number of the calling thread, from 1 up, the same on every call.
std::int32_t CurrentThreadNumber();

// Posts an event with a control number (0 for an event of the window) to
// the event loop of a thread and returns at once; any thread may post.
// Events posted to one thread arrive in the order they were posted, on a
// later turn of its loop, at the window manager running there. An event
// posted while no window manager runs there waits for the next one; the
// events still waiting when the last one ends are dropped. False when no
// thread has that number.
bool PostEvent(std::int32_t event, std::int16_t control, std::int32_t thread);

// One event waiting for a window manager: null target means whichever
// runs on the thread when the event's turn comes.
struct WindowEvent {
  std::int32_t code = 0;
  std::int16_t control = 0;
  WindowManager* target = nullptr;
};

// The events of one thread and the window managers whose loops run on it,
// innermost last. Events go one at a time to the innermost manager, never
// while that manager is still handling the previous one: an event that
// arrives while a hook is busy (in a message box, say) waits for the hook
// to return.
class ThreadMailbox {
public:
  static ThreadMailbox& Current();
  ~ThreadMailbox();

  // What PostEvent does.
  static bool Post(std::int32_t thread, std::int32_t code, std::int16_t control);
  std::int32_t ThreadNumber() const;

  void Push(const WindowEvent& event);
  void Enter(WindowManager& manager);
  // Drops the events that waited for this manager, and, when it was the
  // last loop running on the thread, those posted to the thread: they
  // were meant for the loop that has ended.
  void Leave(WindowManager& manager);
  // Drops every trace of a manager that goes away.
  void Forget(WindowManager& manager);
  void Deliver();

private:
  class Receiver;
  ThreadMailbox();

  std::unique_ptr<Receiver> receiver_;
  std::deque<WindowEvent> inbox_;
  std::vector<WindowManager*> running_;
};

} // namespace window
