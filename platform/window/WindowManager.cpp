#include "platform/window/WindowManager.h"

#include "platform/errors/ErrorManager.h"
#include "platform/window/Window.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace window {

WindowManager::WindowManager(Window& window) : window_(window) {}

WindowManager::~WindowManager() {
  ThreadMailbox::Current().Forget(*this);
  if (window_.manager_ == this) {
    window_.manager_ = nullptr;
  }
}

std::uint8_t WindowManager::Run() {
  const std::uint8_t code = Initialise();
  if (code == RESULT_Continue) {
    RunEventLoop();
  }
  Shutdown();
  return code;
}

std::uint8_t WindowManager::Initialise() {
  if (initialised_ || window_.manager_ != nullptr) {
    return Refuse("the window is already run by a window manager");
  }
  window_.manager_ = this;
  initialised_ = true;
  return RESULT_Continue;
}

std::uint8_t WindowManager::Shutdown() {
  if (!initialised_) {
    return Refuse("the window manager was not initialised");
  }
  initialised_ = false;
  window_.Hide();
  window_.manager_ = nullptr;
  return RESULT_Continue;
}

std::uint8_t WindowManager::HandleAccepted() { return RESULT_Continue; }

std::uint8_t WindowManager::HandleWindowEvent() {
  return event_ == EVENT_CloseWindow ? RESULT_Closed : RESULT_Continue;
}

void WindowManager::Open() { window_.Show(firstControl_); }

std::uint8_t WindowManager::Refuse(const char* message) {
  if (errors_ != nullptr) {
    errors_->Record(RESULT_Refused, message);
  }
  return RESULT_Refused;
}

// Events that arrive before the loop turns (posted during Initialise, or a
// close request) are handled first; the loop does not start when one of
// them already ended it.
void WindowManager::RunEventLoop() {
  if (QCoreApplication::instance() == nullptr) {
    Refuse("there is no application object to run an event loop");
    return;
  }
  ThreadMailbox& mailbox = ThreadMailbox::Current();
  loopEnding_ = false;
  mailbox.Enter(*this);
  mailbox.Deliver();
  if (!loopEnding_) {
    QEventLoop loop;
    loop_ = &loop;
    loop.exec();
    loop_ = nullptr;
  }
  mailbox.Leave(*this);
}

void WindowManager::EndLoop() {
  loopEnding_ = true;
  if (loop_ != nullptr) {
    loop_->exit();
  }
}

void WindowManager::Dispatch(const WindowEvent& event) {
  dispatching_ = true;
  event_ = event.code;
  control_ = event.control;
  std::uint8_t result = RESULT_Continue;
  if (event.control == 0) {
    result = HandleWindowEvent();
  } else if (event.code == EVENT_Accepted) {
    result = HandleAccepted();
  }
  event_ = 0;
  control_ = 0;
  dispatching_ = false;
  if (result != RESULT_Continue) {
    EndLoop();
  }
}

} // namespace window
