#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace errors {

// The error status of one thread: the last failure recorded there and the
// procedure that was running when it happened.
struct ErrorStatus {
  std::int32_t code = 0;
  std::string message;
  std::string procedure;
};

// The calling thread's own status record.
ErrorStatus& ThreadErrorStatus();

// Keeps the names of the procedures that are running, innermost last, and
// records failures in a status record together with the innermost name.
// A program initialises it once with ThreadErrorStatus(); each procedure
// registers its name when it starts and removes it when it ends. It shows
// nothing and writes no log: whoever cares reads the status record.
class ErrorManager {
public:
  void Init(ErrorStatus& status) { status_ = &status; }

  void SetProcedureName(std::string_view name);
  // Removes the most recent registration of name; other names stay.
  void RemoveProcedureName(std::string_view name);
  // The innermost registered name, or empty.
  std::string_view ProcedureName() const;

  // Stores a failure in the status record. Does nothing before Init.
  void Record(std::int32_t code, std::string_view message);

private:
  ErrorStatus* status_ = nullptr;
  std::vector<std::string> procedures_;
};

} // namespace errors
