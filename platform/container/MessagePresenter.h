#pragma once

#include <string>
#include <vector>

namespace container {

class ContainerWindow;

enum class MessageIcon { None, Information, Warning, Error, Question };

struct MessageRequest {
  std::string caption;
  std::string text;
  MessageIcon icon = MessageIcon::None;
  // The window that owns the box; null for none.
  ContainerWindow* owner = nullptr;
};

// Shows message boxes. The real program installs one that opens Qt message
// boxes; tests install a recorder, so that no test ever waits on a box.
class MessagePresenter {
public:
  virtual ~MessagePresenter() = default;
  // Shows the box and returns when the person has closed it.
  virtual void Present(const MessageRequest& request) = 0;
};

// Remembers every box instead of showing it.
class RecordingMessagePresenter : public MessagePresenter {
public:
  void Present(const MessageRequest& request) override { shown.push_back(request); }
  std::vector<MessageRequest> shown;
};

// The presenter of the process. Until one is installed, boxes are written
// to standard error. Installing null restores that default.
void SetMessagePresenter(MessagePresenter* presenter);
MessagePresenter& CurrentMessagePresenter();

// Installs a presenter for the lifetime of a scope and restores the one
// before it afterwards.
class ScopedMessagePresenter {
public:
  explicit ScopedMessagePresenter(MessagePresenter& presenter);
  ScopedMessagePresenter(const ScopedMessagePresenter&) = delete;
  ScopedMessagePresenter& operator=(const ScopedMessagePresenter&) = delete;
  ~ScopedMessagePresenter();

private:
  MessagePresenter* previous_;
};

} // namespace container
