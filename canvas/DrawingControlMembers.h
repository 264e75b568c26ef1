#pragma once

#include "canvas/DrawingControl.h"
#include "canvas/Invocation.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace canvas {

// The control's automation members: their names, dispatch identifiers and
// what each does. Properties are read and written, methods called; a
// property with a fixed dispatch identifier (7, 8, 9, 10, 15, 16, 179) is
// also written by calling it as a method with the value as its one
// argument.
struct DrawingControl::Members {
  enum class Kind { Property, Method, PropertySetByCall };
  using Handler = std::function<void(DrawingControl&, Invocation&)>;
  struct Entry {
    std::string name;
    ole::DISPID id;
    Kind kind;
    Handler handler;
  };
  using Table = std::vector<Entry>;

  static const Entry* Find(ole::DISPID id);
  // Letter case does not matter.
  static const Entry* Find(std::u16string_view name);
  static void Dispatch(DrawingControl& control, const Entry& entry, std::uint16_t flags, ole::DISPPARAMS* params,
                       ole::VARIANT* result);
  // A logical coordinate argument, whole or not, within the coordinate limit.
  static double Coordinate(const Invocation& call, std::uint32_t position);

private:
  static const Table& All();
  // The members by subject (DrawingControlMembers.cpp, DrawingControlMethods.cpp).
  static void AddPictureMembers(Table& table);
  static void AddControlMembers(Table& table);
  static void AddStyleMembers(Table& table);
  static void AddObjectMembers(Table& table);
  static void AddTextMembers(Table& table);
  static void AddObjectMethods(Table& table);
  static void AddViewMethods(Table& table);
  static void AddFileMethods(Table& table);
};

} // namespace canvas
