#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace container {

// The types a bound variable can have, each passed to the control as its
// own automation type.
enum class VariableType { Long, Short, UShort, ULong, Byte, SReal, Real, Text };

struct BoundVariable {
  VariableType type;
  void* address;
};

// The calling thread's names for variables that member expressions pass by
// reference ("&name") or by value (the bare name). A binding made on one
// thread is not seen on another.
class BindTable {
public:
  static BindTable& ForThisThread();

  // Binds the variable under the name, replacing an earlier binding of the
  // same name. A name that is not a run of letters, digits, "_" and ":" can
  // never be written in an expression and is not bound.
  void Bind(std::string_view name, BoundVariable variable);
  void Unbind(std::string_view name);
  // The variable bound under the name, or null. The pointer lasts until the
  // next change of the table; copy the variable before calling out.
  const BoundVariable* Find(std::string_view name) const;

  static bool IsName(std::string_view text);

private:
  struct Binding {
    std::string name;
    BoundVariable variable;
  };
  std::vector<Binding> bindings_;
};

} // namespace container
