#include "platform/container/BindTable.h"

#include <algorithm>

namespace container {

namespace {
bool IsNameCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == ':';
}
} // namespace

BindTable& BindTable::ForThisThread() {
  thread_local BindTable table;
  return table;
}

bool BindTable::IsName(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), IsNameCharacter);
}

void BindTable::Bind(std::string_view name, BoundVariable variable) {
  if (!IsName(name)) {
    return;
  }
  for (auto& binding : bindings_) {
    if (binding.name == name) {
      binding.variable = variable;
      return;
    }
  }
  bindings_.push_back({std::string(name), variable});
}

void BindTable::Unbind(std::string_view name) {
  std::erase_if(bindings_, [name](const Binding& binding) { return binding.name == name; });
}

const BoundVariable* BindTable::Find(std::string_view name) const {
  for (const auto& binding : bindings_) {
    if (binding.name == name) {
      return &binding.variable;
    }
  }
  return nullptr;
}

} // namespace container
