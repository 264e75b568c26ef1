#include "platform/errors/ErrorManager.h"

#include <algorithm>

namespace errors {

ErrorStatus& ThreadErrorStatus() {
  thread_local ErrorStatus status;
  return status;
}

void ErrorManager::SetProcedureName(std::string_view name) { procedures_.emplace_back(name); }

void ErrorManager::RemoveProcedureName(std::string_view name) {
  const auto found = std::find(procedures_.rbegin(), procedures_.rend(), name);
  if (found != procedures_.rend()) {
    procedures_.erase(std::next(found).base());
  }
}

std::string_view ErrorManager::ProcedureName() const {
  return procedures_.empty() ? std::string_view() : std::string_view(procedures_.back());
}

void ErrorManager::Record(std::int32_t code, std::string_view message) {
  if (status_ == nullptr) {
    return;
  }
  status_->code = code;
  status_->message = message;
  status_->procedure = ProcedureName();
}

} // namespace errors
