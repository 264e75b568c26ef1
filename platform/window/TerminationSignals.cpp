#include "platform/window/TerminationSignals.h"

#include "platform/window/ThreadMailbox.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace window {

namespace {

int signalPipe[2] = {-1, -1};
// Watches the pipe's reading end for the life of the process.
QSocketNotifier* signalNotifier = nullptr;

// Only async-signal-safe work here: one byte into the pipe. The handler
// is installed to run once (SA_RESETHAND), which makes a second signal end
// the process.
extern "C" void OnTerminationSignal(int) {
  const int savedErrno = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = write(signalPipe[1], &byte, 1);
  errno = savedErrno;
}

void TakeSignals() {
  char bytes[16];
  while (read(signalPipe[0], bytes, sizeof bytes) > 0) {
  }
  ThreadMailbox::Current().Push({EVENT_CloseWindow, 0, nullptr});
}

bool OpenPipe() {
  if (signalPipe[0] >= 0) {
    return true;
  }
  if (pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
    return false;
  }
  signalNotifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read);
  QObject::connect(signalNotifier, &QSocketNotifier::activated, signalNotifier, [] { TakeSignals(); });
  return true;
}

} // namespace

bool CloseOnTerminationSignals() {
  if (!OpenPipe()) {
    return false;
  }
  struct sigaction action {};
  action.sa_handler = OnTerminationSignal;
  action.sa_flags = SA_RESETHAND | SA_RESTART;
  sigemptyset(&action.sa_mask);
  return sigaction(SIGINT, &action, nullptr) == 0 && sigaction(SIGTERM, &action, nullptr) == 0;
}

} // namespace window
