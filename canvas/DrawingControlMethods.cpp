// The control's methods and its members that depend on the view.
//
// Several take an option that chooses the objects they work on: 0 the
// current object, 1 the selected objects, 2 all objects.
//
// AddObject(kind, x1, y1, x2, y2): adds an object of kind 1 to 10 or 22 in
//   the box spanned by the two corners (a line or link runs from the first
//   to the second) with the attributes for new objects, makes it current
//   and returns its number.
// Clear: deletes every object; the picture settings stay.
// GetBounds(&left, &top, &right, &bottom, option): writes the box around
//   the objects through the four references and returns how many objects
//   it spans (with none, four zeros and 0).
// SetBounds(left, top, right, bottom, option): stretches the objects
//   together into the box and returns how many it changed.
// MoveObjects(&dx, &dy, option): moves the objects and writes the offsets
//   it applied back through the references (zeros when it moved none);
//   returns how many it moved.
// RotateObjects(first, last, degrees, option): turns the objects numbered
//   first to last counterclockwise, each about its own centre; option
//   flags: 1 about their common centre instead, 2 clockwise.
// ObjectsHitTest(x, y, option): the number of the topmost object at the
//   logical point, 0 for none; option 0 by the object's shape, 1 by its
//   box.
// Points (dispatch identifier 108) (lead, count, points, option): gives
//   the current line, polyline, polygon or link count points from an array
//   of whole numbers x1, y1, x2, y2, ... (any lower bound); the first lead
//   points it had are kept before them. Option 0: logical coordinates;
//   1: relative to the object's top-left corner. Read without arguments it
//   gives the current object's points in such an array, from index 1.
// Refresh: repaints the view now.
// ClientToLogicX(x), ClientToLogicY(y), LogicToClientX(x), LogicToClientY(y):
//   between pixels of the client area and logical units.
// ClientWidth, ClientHeight: the client area's size in pixels; with a
//   selector, 0 in logical units, 1 in pixels.
// LoadPicture(file, mode, settings): reads a drawing file. Mode 0 replaces
//   the drawing (no object is current afterwards), 1 adds the file's
//   objects on top of the drawing's. Settings 0 takes the file's picture
//   settings when replacing, 1 keeps the control's. Returns 1; a file that
//   cannot be read fails with an exception saying why and leaves the drawing
//   exactly as it was.
// SavePicture(file, what, type): writes the drawing; what 0 all objects,
//   1 only the selected ones; type a PictureType (see PictureFile.h),
//   PictureType when omitted. Exports show the page, or the clip rectangle
//   with ExportOptions 1, at one pixel a logical unit (ScaleUnits 0) or at
//   the view's scale (ScaleUnits 1). Returns 1; a failed save fails with an
//   exception and leaves any file that was there untouched.
#include "canvas/AttributeRules.h"
#include "canvas/DrawingControlMembers.h"
#include "canvas/DrawingView.h"
#include "canvas/PictureFile.h"

#include <algorithm>
#include <numeric>

namespace canvas {

namespace {

using Handler = DrawingControl::Members::Handler;
using Kind = DrawingControl::Members::Kind;

std::int32_t Option(const Invocation& call, std::uint32_t position, std::initializer_list<std::int32_t> allowed) {
  const std::int32_t option = call.Long(position, 0);
  RefuseIf(ChoiceProblem("Argument " + std::to_string(position + 1) + " of " + call.Member(), option, allowed));
  return option;
}

void RefuseOutside(const Box& box) {
  for (const double value : {box.left, box.top, box.right, box.bottom}) {
    RefuseIf(CoordinateProblem("A coordinate", value));
  }
}

// The first count pairs of numbers in a one-dimensional array, as points.
std::vector<Point> PointsFrom(ole::SAFEARRAY* array, std::int32_t count) {
  std::int32_t lower = 0;
  std::int32_t upper = -1;
  if (ole::SafeArrayGetDim(array) != 1 || ole::Failed(ole::SafeArrayGetLBound(array, 1, &lower)) ||
      ole::Failed(ole::SafeArrayGetUBound(array, 1, &upper))) {
    Refuse("The points must come in a one-dimensional array.");
  }
  const std::int64_t held = static_cast<std::int64_t>(upper) - lower + 1;
  if (held < 2LL * count) {
    Refuse("The point array holds " + std::to_string(held) + " numbers; " + std::to_string(count) + " points need " +
           std::to_string(2LL * count) + ".");
  }
  ole::VARTYPE type = ole::VT_EMPTY;
  ole::SafeArrayGetVartype(array, &type);
  std::vector<double> numbers;
  numbers.reserve(2 * static_cast<std::size_t>(count));
  for (std::int64_t i = 0; i < 2LL * count; ++i) {
    const std::int32_t index = static_cast<std::int32_t>(lower + i);
    ole::VariantHolder element;
    if (type != ole::VT_VARIANT) {
      element->vt = type;
    }
    void* slot = type == ole::VT_VARIANT ? static_cast<void*>(element.get()) : static_cast<void*>(&element->lVal);
    ole::VariantHolder number;
    if (ole::Failed(ole::SafeArrayGetElement(array, &index, slot)) ||
        ole::Failed(ole::VariantChangeType(number.get(), element.get(), ole::VT_R8))) {
      Refuse("Element " + std::to_string(index) + " of the point array is not a number.");
    }
    RefuseIf(CoordinateProblem("A point", number->dblVal));
    numbers.push_back(number->dblVal);
  }
  std::vector<Point> points;
  for (std::size_t i = 0; i + 1 < numbers.size(); i += 2) {
    points.push_back({numbers[i], numbers[i + 1]});
  }
  return points;
}

ole::VARIANT ArrayOf(const std::vector<Point>& points) {
  ole::SAFEARRAYBOUND bound{static_cast<std::uint32_t>(2 * points.size()), 1};
  ole::VARIANT value;
  ole::VariantInit(&value);
  ole::SAFEARRAY* array = ole::SafeArrayCreate(ole::VT_I4, 1, &bound);
  void* data = nullptr;
  if (array == nullptr || ole::Failed(ole::SafeArrayAccessData(array, &data))) {
    ole::SafeArrayDestroy(array);
    throw std::bad_alloc();
  }
  auto* numbers = static_cast<std::int32_t*>(data);
  for (const Point& p : points) {
    *numbers++ = Whole(p.x);
    *numbers++ = Whole(p.y);
  }
  ole::SafeArrayUnaccessData(array);
  value.vt = ole::VT_ARRAY | ole::VT_I4;
  value.parray = array;
  return value;
}

} // namespace

void DrawingControl::Members::AddObjectMethods(Table& table) {
  const auto method = [&](const char* name, Handler handler) {
    table.push_back({name, 0, Kind::Method, std::move(handler)});
  };
  const auto boxAround = [](const DrawingControl& c, const std::vector<int>& numbers) {
    Box box = c.drawing_.Object(numbers.front()).box;
    for (const int number : numbers) {
      box = box.United(c.drawing_.Object(number).box);
    }
    return box;
  };

  method("AddObject", [](DrawingControl& c, Invocation& call) {
    call.AllowAtMost(5);
    const std::int32_t kind = call.Long(0);
    if (!IsObjectKind(kind)) {
      Refuse("AddObject takes the object kinds 1 to 10 and 22; " + std::to_string(kind) + " is refused.");
    }
    const Point first{Coordinate(call, 1), Coordinate(call, 2)};
    const Point second{Coordinate(call, 3), Coordinate(call, 4)};
    c.ObjectsReplacedByClient();
    const int number =
        c.AddObject(MakeObject(static_cast<ObjectKind>(kind), first, second, c.newObjects_.line, c.newObjects_.fill),
                    true);
    c.current_ = kCurrentObject;
    call.Return(static_cast<std::int32_t>(number));
  });
  method("Clear", [](DrawingControl& c, Invocation& call) {
    call.AllowAtMost(0);
    c.ObjectsReplacedByClient();
    c.drawing_.Clear();
    c.currentObject_ = c.currentTextObject_ = c.hovered_ = 0;
    c.InvalidateAll();
  });
  method("GetBounds", [boxAround](DrawingControl& c, Invocation& call) {
    call.AllowAtMost(5);
    const std::vector<int> numbers = c.Targets(Option(call, 4, {0, 1, 2}));
    const Box box = numbers.empty() ? Box{} : boxAround(c, numbers);
    call.WriteBack(0, Whole(box.left));
    call.WriteBack(1, Whole(box.top));
    call.WriteBack(2, Whole(box.right));
    call.WriteBack(3, Whole(box.bottom));
    call.Return(static_cast<std::int32_t>(numbers.size()));
  });
  method("SetBounds", [boxAround](DrawingControl& c, Invocation& call) {
    call.AllowAtMost(5);
    const Box to{Coordinate(call, 0), Coordinate(call, 1), Coordinate(call, 2), Coordinate(call, 3)};
    if (to.left > to.right || to.top > to.bottom) {
      Refuse("SetBounds needs left <= right and top <= bottom.");
    }
    const std::vector<int> numbers = c.Targets(Option(call, 4, {0, 1, 2}));
    if (!numbers.empty()) {
      const Box from = boxAround(c, numbers);
      for (const int number : numbers) {
        c.EditObject(number, [&](DrawingObject& o) { MapBetweenBoxes(o, from, to); });
      }
    }
    call.Return(static_cast<std::int32_t>(numbers.size()));
  });
  method("MoveObjects", [boxAround](DrawingControl& c, Invocation& call) {
    call.AllowAtMost(3);
    const double dx = Coordinate(call, 0);
    const double dy = Coordinate(call, 1);
    const std::vector<int> numbers = c.Targets(Option(call, 2, {0, 1, 2}));
    if (!numbers.empty()) {
      const Box box = boxAround(c, numbers);
      RefuseOutside({box.left + dx, box.top + dy, box.right + dx, box.bottom + dy});
    }
    for (const int number : numbers) {
      c.EditObject(number, [&](DrawingObject& o) { Translate(o, dx, dy); });
    }
    call.WriteBack(0, numbers.empty() ? 0 : Whole(dx));
    call.WriteBack(1, numbers.empty() ? 0 : Whole(dy));
    call.Return(static_cast<std::int32_t>(numbers.size()));
  });
  method("RotateObjects", [boxAround](DrawingControl& c, Invocation& call) {
    call.AllowAtMost(4);
    const std::int32_t first = call.Long(0);
    const std::int32_t last = call.Long(1);
    if (!c.drawing_.IsNumber(first) || !c.drawing_.IsNumber(last) || first > last) {
      Refuse("RotateObjects needs 1 <= first <= last <= " + std::to_string(c.drawing_.Count()) + "; " +
             std::to_string(first) + " to " + std::to_string(last) + " is refused.");
    }
    const double angle = call.Real(2);
    const std::int32_t option = Option(call, 3, {0, 1, 2, 3});
    const double degrees = (option & 2) != 0 ? -angle : angle;
    std::vector<int> numbers(static_cast<std::size_t>(last - first + 1));
    std::iota(numbers.begin(), numbers.end(), first);
    const Point common = boxAround(c, numbers).Centre();
    std::vector<DrawingObject> turned;
    for (const int number : numbers) {
      DrawingObject object = c.drawing_.Object(number);
      Rotate(object, degrees, (option & 1) != 0 ? common : object.box.Centre());
      RefuseOutside(object.box);
      turned.push_back(std::move(object));
    }
    for (std::size_t i = 0; i < numbers.size(); ++i) {
      c.EditObject(numbers[i], [&](DrawingObject& o) { o = std::move(turned[i]); });
    }
  });
  method("ObjectsHitTest", [](DrawingControl& c, Invocation& call) {
    call.AllowAtMost(3);
    const Point at{Coordinate(call, 0), Coordinate(call, 1)};
    const bool byShape = Option(call, 2, {0, 1}) == 0;
    call.Return(static_cast<std::int32_t>(c.drawing_.TopmostAt(at, c.HitTolerance(), byShape)));
  });
  method("Points", [](DrawingControl& c, Invocation& call) {
    call.AllowAtMost(4);
    const int number = c.currentObject_;
    if (call.Count() == 0) {
      return call.ReturnVariant(ArrayOf(number != 0 ? c.drawing_.Object(number).points : std::vector<Point>{}));
    }
    const std::int32_t lead = call.Long(0);
    const std::int32_t count = call.Long(1);
    if (count < 0) {
      Refuse("The count of points must not be negative.");
    }
    std::vector<Point> points = PointsFrom(call.Array(2), count);
    const bool relative = Option(call, 3, {0, 1}) == 1;
    if (number == 0) {
      return;
    }
    const DrawingObject& object = c.drawing_.Object(number);
    if (!IsPointKind(object.kind)) {
      Refuse("Object " + std::to_string(number) + " is not a line, polyline, polygon or link; it has no points.");
    }
    if (lead < 0 || static_cast<std::size_t>(lead) > object.points.size()) {
      Refuse("The object has " + std::to_string(object.points.size()) + " points; " + std::to_string(lead) +
             " of them cannot be kept.");
    }
    for (Point& p : points) {
      p = relative ? Point{p.x + object.box.left, p.y + object.box.top} : p;
    }
    points.insert(points.begin(), object.points.begin(), object.points.begin() + lead);
    RefuseIf(PointCountProblem(object.kind, points.size()));
    RefuseOutside(BoxAround(points));
    c.EditObject(number, [&](DrawingObject& o) {
      o.points = std::move(points);
      FitBoxToPoints(o);
    });
  });
  table.back().id = 108;
}

void DrawingControl::Members::AddViewMethods(Table& table) {
  const auto method = [&](const char* name, Handler handler) {
    table.push_back({name, 0, Kind::Method, std::move(handler)});
  };
  // One coordinate through the view's transform: axis 0 x, 1 y.
  const auto convert = [&](const char* name, bool toLogical, int axis) {
    method(name, [=](DrawingControl& c, Invocation& call) {
      call.AllowAtMost(1);
      const double value = call.Real(0);
      const ViewTransform transform = c.Transform();
      const double result = toLogical ? (axis == 0 ? transform.ToLogical(QPointF(value, 0)).x : transform.ToLogical(QPointF(0, value)).y)
                                      : (axis == 0 ? transform.ToDevice(Point{value, 0}).x() : transform.ToDevice(Point{0, value}).y());
      call.Return(Whole(result));
    });
  };
  // The client area's size: bare in pixels, or by selector.
  const auto clientSize = [&](const char* name, int axis) {
    table.push_back({name, 0, Kind::Property, [=](DrawingControl& c, Invocation& call) {
                       call.RefusePut();
                       call.AllowAtMost(1);
                       const double pixels = axis == 0 ? c.clientSize_.width() : c.clientSize_.height();
                       if (call.Count() == 0) {
                         return call.Return(static_cast<std::int32_t>(pixels));
                       }
                       const ViewTransform transform = c.Transform();
                       const bool logical = Option(call, 0, {0, 1}) == 0;
                       call.Return(logical ? pixels / (axis == 0 ? transform.ScaleX() : transform.ScaleY()) : pixels);
                     }});
  };
  method("Refresh", [](DrawingControl& c, Invocation& call) {
    call.AllowAtMost(0);
    if (c.view_ != nullptr) {
      c.view_->update();
    }
  });
  convert("ClientToLogicX", true, 0);
  convert("ClientToLogicY", true, 1);
  convert("LogicToClientX", false, 0);
  convert("LogicToClientY", false, 1);
  clientSize("ClientWidth", 0);
  clientSize("ClientHeight", 1);
}

void DrawingControl::Members::AddFileMethods(Table& table) {
  const auto method = [&](const char* name, Handler handler) {
    table.push_back({name, 0, Kind::Method, std::move(handler)});
  };
  method("LoadPicture", [](DrawingControl& c, Invocation& call) {
    call.AllowAtMost(3);
    const QString path = QString::fromStdString(call.Text(0));
    const bool merge = Option(call, 1, {0, 1}) == 1;
    const bool keepSettings = Option(call, 2, {0, 1}) == 1;
    std::string error;
    std::optional<Drawing> loaded = LoadDrawingFile(path, error);
    if (!loaded) {
      Refuse(error, ole::E_FAIL);
    }
    c.ObjectsReplacedByClient();
    if (merge) {
      c.drawing_.Append(*loaded);
    } else {
      if (keepSettings) {
        loaded->Picture() = c.drawing_.Picture();
      }
      c.drawing_ = std::move(*loaded);
      c.currentObject_ = c.currentTextObject_ = c.hovered_ = 0;
    }
    c.InvalidateAll();
    call.Return(std::int32_t{1});
  });
  method("SavePicture", [](DrawingControl& c, Invocation& call) {
    call.AllowAtMost(3);
    const QString path = QString::fromStdString(call.Text(0));
    const bool selectedOnly = Option(call, 1, {0, 1}) == 1;
    const std::int32_t type = call.Long(2, c.pictureType_);
    if (!IsPictureType(type)) {
      Refuse("There is no picture type " + std::to_string(type) + "; the types are 0 (drawing file), 1 (BMP), "
             "2 (JPEG), 3 (SVG), 4 (PDF) and 14 (PNG).");
    }
    const PictureSettings& picture = c.drawing_.Picture();
    ExportRequest request;
    request.type = static_cast<PictureType>(type);
    request.options = c.exportOptions_;
    request.hovered = c.hovered_;
    request.area = picture.Page();
    if ((c.exportOptions_ & kExportClip) != 0) {
      request.area = {picture.picLeft + c.clipLeft_, picture.picTop + c.clipTop_,
                      picture.picLeft + c.clipLeft_ + c.clipWidth_, picture.picTop + c.clipTop_ + c.clipHeight_};
    }
    if (c.scaleUnits_ == 1) {
      const ViewTransform transform = c.Transform();
      request.scaleX = transform.ScaleX();
      request.scaleY = transform.ScaleY();
    }
    std::optional<Drawing> selection;
    if (selectedOnly) {
      selection = c.drawing_.SelectedPart();
    }
    std::string error;
    if (!SavePictureFile(selection ? *selection : c.drawing_, request, path, error)) {
      Refuse(error, ole::E_FAIL);
    }
    call.Return(std::int32_t{1});
  });
}

} // namespace canvas
