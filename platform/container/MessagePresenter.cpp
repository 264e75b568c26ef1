#include "platform/container/MessagePresenter.h"

#include <atomic>
#include <cstdio>

namespace container {

namespace {

// Without a window system to show boxes on, the message still reaches the
// person who started the program.
class StandardErrorPresenter : public MessagePresenter {
public:
  void Present(const MessageRequest& request) override {
    std::fprintf(stderr, "%s: %s\n", request.caption.c_str(), request.text.c_str());
  }
};

StandardErrorPresenter& DefaultPresenter() {
  static StandardErrorPresenter presenter;
  return presenter;
}

std::atomic<MessagePresenter*> installed{nullptr};

} // namespace

void SetMessagePresenter(MessagePresenter* presenter) { installed.store(presenter); }

MessagePresenter& CurrentMessagePresenter() {
  MessagePresenter* presenter = installed.load();
  return presenter != nullptr ? *presenter : DefaultPresenter();
}

ScopedMessagePresenter::ScopedMessagePresenter(MessagePresenter& presenter)
    : previous_(installed.exchange(&presenter)) {}

ScopedMessagePresenter::~ScopedMessagePresenter() { installed.store(previous_); }

} // namespace container
