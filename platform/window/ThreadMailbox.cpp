#include "platform/window/ThreadMailbox.h"

#include "platform/window/WindowManager.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#include <algorithm>
#include <map>
#include <mutex>

namespace window {

namespace {

const QEvent::Type kPostedEventType = static_cast<QEvent::Type>(QEvent::registerEventType());

class PostedEvent : public QEvent {
public:
  PostedEvent(std::int32_t code, std::int16_t control) : QEvent(kPostedEventType), code(code), control(control) {}
  const std::int32_t code;
  const std::int16_t control;
};

} // namespace

// Lives in the mailbox's thread and receives what other threads post
// there through Qt's own thread-safe, order-keeping event queue.
class ThreadMailbox::Receiver : public QObject {
public:
  explicit Receiver(ThreadMailbox& mailbox) : mailbox_(mailbox) {
    std::lock_guard lock(RegistryMutex());
    number_ = ++LastNumber();
    Registry().emplace(number_, this);
  }

  ~Receiver() override {
    std::lock_guard lock(RegistryMutex());
    Registry().erase(number_);
  }

  std::int32_t Number() const { return number_; }

  static bool Post(std::int32_t thread, std::int32_t code, std::int16_t control) {
    std::lock_guard lock(RegistryMutex());
    const auto found = Registry().find(thread);
    if (found == Registry().end()) {
      return false;
    }
    QCoreApplication::postEvent(found->second, new PostedEvent(code, control));
    return true;
  }

protected:
  void customEvent(QEvent* event) override {
    if (event->type() == kPostedEventType) {
      const auto* posted = static_cast<PostedEvent*>(event);
      mailbox_.Push({posted->code, posted->control, nullptr});
    }
  }

private:
  static std::mutex& RegistryMutex() {
    static std::mutex mutex;
    return mutex;
  }
  static std::map<std::int32_t, Receiver*>& Registry() {
    static std::map<std::int32_t, Receiver*> registry;
    return registry;
  }
  static std::int32_t& LastNumber() {
    static std::int32_t last = 0;
    return last;
  }

  ThreadMailbox& mailbox_;
  std::int32_t number_ = 0;
};

ThreadMailbox::ThreadMailbox() : receiver_(std::make_unique<Receiver>(*this)) {}

ThreadMailbox::~ThreadMailbox() = default;

ThreadMailbox& ThreadMailbox::Current() {
  thread_local const std::unique_ptr<ThreadMailbox> mailbox(new ThreadMailbox);
  return *mailbox;
}

void ThreadMailbox::Push(const WindowEvent& event) {
  inbox_.push_back(event);
  Deliver();
}

void ThreadMailbox::Enter(WindowManager& manager) { running_.push_back(&manager); }

void ThreadMailbox::Leave(WindowManager& manager) {
  std::erase(running_, &manager);
  const bool lastLoop = running_.empty();
  std::erase_if(inbox_, [&](const WindowEvent& event) {
    return event.target == &manager || (lastLoop && event.target == nullptr);
  });
}

void ThreadMailbox::Forget(WindowManager& manager) {
  std::erase(running_, &manager);
  std::erase_if(inbox_, [&](const WindowEvent& event) { return event.target == &manager; });
}

void ThreadMailbox::Deliver() {
  while (!running_.empty()) {
    WindowManager& top = *running_.back();
    if (!top.ReadyForEvent()) {
      return;
    }
    const auto next = std::find_if(inbox_.begin(), inbox_.end(), [&](const WindowEvent& event) {
      return event.target == nullptr || event.target == &top;
    });
    if (next == inbox_.end()) {
      return;
    }
    const WindowEvent event = *next;
    inbox_.erase(next);
    top.Dispatch(event);
  }
}

bool ThreadMailbox::Post(std::int32_t thread, std::int32_t code, std::int16_t control) {
  return Receiver::Post(thread, code, control);
}

std::int32_t ThreadMailbox::ThreadNumber() const { return receiver_->Number(); }

std::int32_t CurrentThreadNumber() { return ThreadMailbox::Current().ThreadNumber(); }

bool PostEvent(std::int32_t event, std::int16_t control, std::int32_t thread) {
  return ThreadMailbox::Post(thread, event, control);
}

} // namespace window
