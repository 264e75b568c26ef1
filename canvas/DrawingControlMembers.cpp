// The control's properties. Values outside what a property takes are
// refused with an automation exception that says what it takes.
//
// Picture (see PictureSettings): PicLeft, PicTop, PicWidth, PicHeight;
// PicXOfs (dispatch identifier 7), PicYOfs (8), PicXSize (9), PicYSize (10),
// OrigWidth (15), OrigHeight (16) and ZoomFactor (179) as reals; AutoScale,
// ScrollBars, BackColor, BackStyle, BorderStyle, TransparentBackground,
// PicBackColor, PicBorderColor, GradientStyle.
//
// The control: Current (0 current object, 1 selected objects, 4 new
// objects, 5 the picture), EditMode, EditFlags, EventMask, HotSpots (1 on),
// Redraw (0 holds painting back, 1 repaints what was held), ExportOptions,
// PictureType and ScaleUnits (see SavePicture), the clip rectangle ClipLeft,
// ClipTop, ClipWidth, ClipHeight (reals, logical units from the page's
// top-left corner), hDC (0: the control paints through Qt and has no device
// context), Action (1 select all, 2 clear the selection, 3 delete the
// selected objects that may be deleted).
//
// By Current: FillColor, FillStyle, LineColor, LineWidth, LineStyle; for
// the picture they are PicBackColor, the page's fill style, PicBorderColor
// and the page border's width and style. A read with Current 1 gives the
// first selected object's value.
//
// The current object: ObjLeft, ObjTop, ObjRight, ObjBottom (writing an edge
// resizes the object; an edge may not pass the opposite one), ObjType (read
// only), ObjNumber (writing it makes that object current; 0 none),
// ObjHotSpot, ObjMove, ObjVisible (its hover highlight), ObjSelected,
// ObjStatus, ObjTag (its default tag), ObjTags(name) (a named tag; writing
// the empty text removes it; a whole number instead of a name gives the tag
// at that position, from 1), ObjTagCount (writing a smaller count drops the
// last tags), LinkLabel. LinkStyle(n), LinkLength(n) and LinkWidth(n) take
// the object's number.
//
// The current text object: Text, FontName, FontSize, FontBold, FontOrient,
// TextColor, TextStyle, TextHAlign, TextVAlign.
#include "canvas/DrawingControlMembers.h"

#include "canvas/AttributeRules.h"
#include "canvas/PictureFile.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace canvas {

namespace {

using Entry = DrawingControl::Members::Entry;
using Handler = DrawingControl::Members::Handler;
using Kind = DrawingControl::Members::Kind;

// Dispatch identifiers given to the members without a fixed one.
constexpr ole::DISPID kFirstFreeId = 1000;

inline constexpr ValueRange kEventMaskRange{0, INT32_MAX};
inline constexpr ValueRange kAnyLong{INT32_MIN, INT32_MAX};

struct RealRange {
  double low;
  double high;
};
inline constexpr RealRange kOffsetRange{-kCoordinateLimit, kCoordinateLimit};
inline constexpr RealRange kPixelSizeRange{0, kMaxPixelSize};
inline constexpr RealRange kPaperSizeRange{0, kMaxPaperSize};
inline constexpr RealRange kZoomRange{kMinZoom, kMaxZoom};
inline constexpr RealRange kClipSizeRange{0, 2 * kCoordinateLimit};

std::string LowerCase(std::u16string_view name) {
  std::string lower;
  lower.reserve(name.size());
  for (const char16_t c : name) {
    lower.push_back(c < 0x80 ? static_cast<char>(std::tolower(static_cast<int>(c))) : '\x7f');
  }
  return lower;
}

} // namespace

const DrawingControl::Members::Table& DrawingControl::Members::All() {
  static const Table table = [] {
    Table all;
    AddPictureMembers(all);
    AddControlMembers(all);
    AddStyleMembers(all);
    AddObjectMembers(all);
    AddTextMembers(all);
    AddObjectMethods(all);
    AddViewMethods(all);
    AddFileMethods(all);
    ole::DISPID next = kFirstFreeId;
    for (Entry& entry : all) {
      if (entry.id == 0) {
        entry.id = next++;
      }
    }
    return all;
  }();
  return table;
}

const DrawingControl::Members::Entry* DrawingControl::Members::Find(ole::DISPID id) {
  static const std::map<ole::DISPID, const Entry*> byId = [] {
    std::map<ole::DISPID, const Entry*> map;
    for (const Entry& entry : All()) {
      map.emplace(entry.id, &entry);
    }
    return map;
  }();
  const auto found = byId.find(id);
  return found != byId.end() ? found->second : nullptr;
}

const DrawingControl::Members::Entry* DrawingControl::Members::Find(std::u16string_view name) {
  static const std::map<std::string, const Entry*, std::less<>> byName = [] {
    std::map<std::string, const Entry*, std::less<>> map;
    for (const Entry& entry : All()) {
      map.emplace(LowerCase(ole::Utf16FromUtf8(entry.name)), &entry);
    }
    return map;
  }();
  const auto found = byName.find(LowerCase(name));
  return found != byName.end() ? found->second : nullptr;
}

void DrawingControl::Members::Dispatch(DrawingControl& control, const Entry& entry, std::uint16_t flags,
                                       ole::DISPPARAMS* params, ole::VARIANT* result) {
  const bool put = (flags & (ole::DISPATCH_PROPERTYPUT | ole::DISPATCH_PROPERTYPUTREF)) != 0;
  if (put && entry.kind == Kind::Method) {
    AutomationError error;
    error.status = ole::DISP_E_MEMBERNOTFOUND;
    throw error;
  }
  const bool setByCall = entry.kind == Kind::PropertySetByCall && !put && (flags & ole::DISPATCH_METHOD) != 0 &&
                         params->cArgs == 1;
  Invocation call(entry.name, setByCall ? ole::DISPATCH_PROPERTYPUT : flags, params, result);
  entry.handler(control, call);
}

double DrawingControl::Members::Coordinate(const Invocation& call, std::uint32_t position) {
  const double value = call.Real(position);
  RefuseIf(CoordinateProblem(call.Member(), value));
  return value;
}

void DrawingControl::Members::AddPictureMembers(Table& table) {
  const auto change = [](DrawingControl& c, auto&& edit) {
    edit(c.drawing_.Picture());
    c.InvalidateAll();
  };
  const auto longMember = [change](auto access, const ValueRange& range) -> Handler {
    return [=, &range](DrawingControl& c, Invocation& call) {
      call.AllowAtMost(0);
      if (!call.IsPut()) {
        return call.Return(static_cast<std::int32_t>(access(c.drawing_.Picture())));
      }
      const std::int32_t value = call.ValueLong();
      RefuseIf(RangeProblem(call.Member(), value, range));
      change(c, [&](PictureSettings& p) { access(p) = value; });
    };
  };
  const auto boolMember = [change](auto access) -> Handler {
    return [=](DrawingControl& c, Invocation& call) {
      call.AllowAtMost(0);
      if (!call.IsPut()) {
        return call.Return(static_cast<std::int32_t>(access(c.drawing_.Picture()) ? 1 : 0));
      }
      const bool value = call.ValueBool();
      change(c, [&](PictureSettings& p) { access(p) = value; });
    };
  };
  const auto realMember = [change](auto access, const RealRange& range) -> Handler {
    return [=, &range](DrawingControl& c, Invocation& call) {
      call.AllowAtMost(0);
      if (!call.IsPut()) {
        return call.Return(access(c.drawing_.Picture()));
      }
      const double value = call.ValueReal();
      RefuseIf(RealProblem(call.Member(), value, range.low, range.high));
      change(c, [&](PictureSettings& p) { access(p) = value; });
    };
  };
  const auto real = [&](const char* name, ole::DISPID id, auto access, const RealRange& range) {
    table.push_back({name, id, Kind::PropertySetByCall, realMember(access, range)});
  };
  const auto property = [&](const char* name, Handler handler) {
    table.push_back({name, 0, Kind::Property, std::move(handler)});
  };

  property("PicLeft", longMember([](auto& p) -> auto& { return p.picLeft; }, kCoordinateRange));
  property("PicTop", longMember([](auto& p) -> auto& { return p.picTop; }, kCoordinateRange));
  property("PicWidth", longMember([](auto& p) -> auto& { return p.picWidth; }, kPageSizeRange));
  property("PicHeight", longMember([](auto& p) -> auto& { return p.picHeight; }, kPageSizeRange));
  real("PicXOfs", 7, [](auto& p) -> auto& { return p.picXOfs; }, kOffsetRange);
  real("PicYOfs", 8, [](auto& p) -> auto& { return p.picYOfs; }, kOffsetRange);
  real("PicXSize", 9, [](auto& p) -> auto& { return p.picXSize; }, kPixelSizeRange);
  real("PicYSize", 10, [](auto& p) -> auto& { return p.picYSize; }, kPixelSizeRange);
  real("OrigWidth", 15, [](auto& p) -> auto& { return p.origWidth; }, kPaperSizeRange);
  real("OrigHeight", 16, [](auto& p) -> auto& { return p.origHeight; }, kPaperSizeRange);
  real("ZoomFactor", 179, [](auto& p) -> auto& { return p.zoom; }, kZoomRange);
  property("AutoScale", boolMember([](auto& p) -> auto& { return p.autoScale; }));
  property("ScrollBars", longMember([](auto& p) -> auto& { return p.scrollBars; }, kSwitchRange));
  property("BackColor", longMember([](auto& p) -> auto& { return p.backColor; }, kColourRange));
  property("BackStyle", longMember([](auto& p) -> auto& { return p.backStyle; }, kSwitchRange));
  property("BorderStyle", longMember([](auto& p) -> auto& { return p.borderStyle; }, kSwitchRange));
  property("TransparentBackground", boolMember([](auto& p) -> auto& { return p.transparentBackground; }));
  property("PicBackColor", longMember([](auto& p) -> auto& { return p.picBackColor; }, kColourRange));
  property("PicBorderColor", longMember([](auto& p) -> auto& { return p.picBorderColor; }, kColourRange));
  property("GradientStyle", longMember([](auto& p) -> auto& { return p.gradientStyle; }, kGradientStyleRange));
}

void DrawingControl::Members::AddControlMembers(Table& table) {
  // A member of the control, checked by problem(member, value).
  const auto longMember = [](std::int32_t DrawingControl::*field, auto problem) -> Handler {
    return [=](DrawingControl& c, Invocation& call) {
      call.AllowAtMost(0);
      if (!call.IsPut()) {
        return call.Return(c.*field);
      }
      const std::int32_t value = call.ValueLong();
      RefuseIf(problem(call.Member(), value));
      c.*field = value;
    };
  };
  const auto inRange = [](const ValueRange& range) {
    return [&range](const std::string& member, std::int64_t value) { return RangeProblem(member, value, range); };
  };
  const auto clipMember = [](double DrawingControl::*field, const RealRange& range) -> Handler {
    return [=, &range](DrawingControl& c, Invocation& call) {
      call.AllowAtMost(0);
      if (!call.IsPut()) {
        return call.Return(c.*field);
      }
      const double value = call.ValueReal();
      RefuseIf(RealProblem(call.Member(), value, range.low, range.high));
      c.*field = value;
    };
  };
  const auto property = [&](const char* name, Handler handler) {
    table.push_back({name, 0, Kind::Property, std::move(handler)});
  };

  property("Current", longMember(&DrawingControl::current_, [](const std::string& member, std::int64_t value) {
             return ChoiceProblem(member, value,
                                  {kCurrentObject, kCurrentSelected, kCurrentNewObjects, kCurrentPicture});
           }));
  property("EditMode", [](DrawingControl& c, Invocation& call) {
    call.AllowAtMost(0);
    if (!call.IsPut()) {
      return call.Return(c.editMode_);
    }
    const std::int32_t value = call.ValueLong();
    RefuseIf(ChoiceProblem(call.Member(), value, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, kEditSelectMoveResize}));
    c.SetEditMode(value);
  });
  property("EditFlags", longMember(&DrawingControl::editFlags_, inRange(kFlagsRange)));
  property("EventMask", longMember(&DrawingControl::eventMask_, inRange(kEventMaskRange)));
  property("HotSpots", longMember(&DrawingControl::hotSpots_, inRange(kSwitchRange)));
  property("ExportOptions", longMember(&DrawingControl::exportOptions_, inRange(kFlagsRange)));
  property("ScaleUnits", longMember(&DrawingControl::scaleUnits_, inRange(kSwitchRange)));
  property("PictureType", longMember(&DrawingControl::pictureType_, [](const std::string& member, std::int64_t value) {
             return ChoiceProblem(member, value, {0, 1, 2, 3, 4, 14});
           }));
  property("ClipLeft", clipMember(&DrawingControl::clipLeft_, kOffsetRange));
  property("ClipTop", clipMember(&DrawingControl::clipTop_, kOffsetRange));
  property("ClipWidth", clipMember(&DrawingControl::clipWidth_, kClipSizeRange));
  property("ClipHeight", clipMember(&DrawingControl::clipHeight_, kClipSizeRange));
  property("hDC", [](DrawingControl&, Invocation& call) {
    call.RefusePut();
    call.AllowAtMost(0);
    call.Return(std::int32_t{0});
  });
  property("Redraw", [](DrawingControl& c, Invocation& call) {
    call.AllowAtMost(0);
    if (!call.IsPut()) {
      return call.Return(static_cast<std::int32_t>(c.redraw_ ? 1 : 0));
    }
    const std::int32_t value = call.ValueLong();
    RefuseIf(RangeProblem(call.Member(), value, kSwitchRange));
    c.redraw_ = value != 0;
    if (c.redraw_ && std::exchange(c.repaintHeld_, false)) {
      c.InvalidateAll();
    }
  });
  property("Action", [](DrawingControl& c, Invocation& call) {
    call.AllowAtMost(0);
    if (!call.IsPut()) {
      return call.Return(std::int32_t{0});
    }
    const std::int32_t action = call.ValueLong();
    RefuseIf(ChoiceProblem(call.Member(), action, {1, 2, 3}));
    if (action == 3) {
      c.ObjectsReplacedByClient();
    }
    for (int number = c.drawing_.Count(); number >= 1; --number) {
      const DrawingObject& object = c.drawing_.Object(number);
      if (action == 3 && object.selected && (object.move & kMoveNoDelete) == 0) {
        c.RemoveObject(number);
      } else if (action != 3 && object.selected != (action == 1 && (object.move & kMoveNoSelect) == 0)) {
        c.EditObject(number, [](DrawingObject& o) { o.selected = !o.selected; });
      }
    }
  });
}

void DrawingControl::Members::AddStyleMembers(Table& table) {
  // A line or fill attribute, addressed by Current: objectPart finds it in
  // an object (or in the attributes for new objects), picturePart in the
  // picture settings.
  const auto styleMember = [](auto objectPart, auto picturePart, const ValueRange& range) -> Handler {
    return [=, &range](DrawingControl& c, Invocation& call) {
      call.AllowAtMost(0);
      const std::vector<int> selected = c.current_ == kCurrentSelected ? c.Targets(1) : std::vector<int>{};
      if (!call.IsPut()) {
        switch (c.current_) {
        case kCurrentNewObjects:
          return call.Return(objectPart(c.newObjects_));
        case kCurrentPicture:
          return call.Return(picturePart(c.drawing_.Picture()));
        case kCurrentSelected:
          return call.Return(selected.empty() ? 0 : objectPart(c.drawing_.Object(selected.front())));
        default:
          return call.Return(c.currentObject_ != 0 ? objectPart(c.drawing_.Object(c.currentObject_)) : 0);
        }
      }
      const std::int32_t value = call.ValueLong();
      RefuseIf(RangeProblem(call.Member(), value, range));
      const auto set = [&](DrawingObject& o) { objectPart(o) = value; };
      switch (c.current_) {
      case kCurrentNewObjects:
        set(c.newObjects_);
        break;
      case kCurrentPicture:
        picturePart(c.drawing_.Picture()) = value;
        c.InvalidateAll();
        break;
      case kCurrentSelected:
        for (const int number : selected) {
          c.EditObject(number, set);
        }
        break;
      default:
        if (c.currentObject_ != 0) {
          c.EditObject(c.currentObject_, set);
        }
        break;
      }
    };
  };
  const auto property = [&](const char* name, Handler handler) {
    table.push_back({name, 0, Kind::Property, std::move(handler)});
  };
  property("FillColor", styleMember([](auto& o) -> auto& { return o.fill.colour; },
                                    [](auto& p) -> auto& { return p.picBackColor; }, kColourRange));
  property("FillStyle", styleMember([](auto& o) -> auto& { return o.fill.style; },
                                    [](auto& p) -> auto& { return p.pageFillStyle; }, kFillStyleRange));
  property("LineColor", styleMember([](auto& o) -> auto& { return o.line.colour; },
                                    [](auto& p) -> auto& { return p.picBorderColor; }, kColourRange));
  property("LineWidth", styleMember([](auto& o) -> auto& { return o.line.width; },
                                    [](auto& p) -> auto& { return p.pageLineWidth; }, kLineWidthRange));
  property("LineStyle", styleMember([](auto& o) -> auto& { return o.line.style; },
                                    [](auto& p) -> auto& { return p.pageLineStyle; }, kLineStyleRange));
}

void DrawingControl::Members::AddObjectMembers(Table& table) {
  // An attribute of the object that number(c, call) names: read(object,
  // call) returns it, write(call, object) checks the value and gives the
  // change to make. Without an object a read gives none and a write
  // changes nothing.
  const auto objectMember = [](auto number, auto read, auto write, auto none) -> Handler {
    return [=](DrawingControl& c, Invocation& call) {
      const int object = number(c, call);
      if (!call.IsPut()) {
        return object != 0 ? read(c.drawing_.Object(object), call) : call.Return(none);
      }
      const auto change = write(call, object != 0 ? &c.drawing_.Object(object) : nullptr);
      if (object != 0) {
        c.EditObject(object, change);
      }
    };
  };
  const auto current = [](DrawingControl& c, Invocation& call) {
    call.AllowAtMost(0);
    return c.currentObject_;
  };
  const auto numbered = [](DrawingControl& c, Invocation& call) {
    call.AllowAtMost(1);
    const std::int32_t number = call.Long(0);
    if (!c.drawing_.IsNumber(number)) {
      Refuse("There is no object " + std::to_string(number) + ".");
    }
    return number;
  };
  const auto longMember = [&](auto number, auto access, const ValueRange& range) {
    return objectMember(
        number, [=](const DrawingObject& o, Invocation& call) { call.Return(static_cast<std::int32_t>(access(o))); },
        [=, &range](Invocation& call, const DrawingObject*) {
          const std::int32_t value = call.ValueLong();
          RefuseIf(RangeProblem(call.Member(), value, range));
          return [=](DrawingObject& o) { access(o) = value; };
        },
        std::int32_t{0});
  };
  const auto boolMember = [&](auto access) {
    return objectMember(
        current, [=](const DrawingObject& o, Invocation& call) { call.Return(std::int32_t{access(o) ? 1 : 0}); },
        [=](Invocation& call, const DrawingObject*) {
          const bool value = call.ValueBool();
          return [=](DrawingObject& o) { access(o) = value; };
        },
        std::int32_t{0});
  };
  // An edge of the object's box; writing it resizes the object.
  const auto edgeMember = [&](double Box::*edge) {
    return objectMember(
        current, [=](const DrawingObject& o, Invocation& call) { call.Return(Whole(o.box.*edge)); },
        [=](Invocation& call, const DrawingObject* object) {
          const double value = call.ValueLong();
          RefuseIf(CoordinateProblem(call.Member(), value));
          Box box = object != nullptr ? object->box : Box{};
          box.*edge = value;
          if (object != nullptr && (box.left > box.right || box.top > box.bottom)) {
            Refuse(call.Member() + " " + std::to_string(static_cast<long long>(value)) +
                   " would pass the opposite edge of the object.");
          }
          return [=](DrawingObject& o) { MapBetweenBoxes(o, o.box, box); };
        },
        std::int32_t{0});
  };
  const auto property = [&](const char* name, Handler handler) {
    table.push_back({name, 0, Kind::Property, std::move(handler)});
  };

  property("ObjLeft", edgeMember(&Box::left));
  property("ObjTop", edgeMember(&Box::top));
  property("ObjRight", edgeMember(&Box::right));
  property("ObjBottom", edgeMember(&Box::bottom));
  property("ObjHotSpot", longMember(current, [](auto& o) -> auto& { return o.hotSpot; }, kFlagsRange));
  property("ObjMove", longMember(current, [](auto& o) -> auto& { return o.move; }, kFlagsRange));
  property("ObjStatus", longMember(current, [](auto& o) -> auto& { return o.status; }, kAnyLong));
  property("ObjVisible", boolMember([](auto& o) -> auto& { return o.highlight; }));
  property("ObjSelected", boolMember([](auto& o) -> auto& { return o.selected; }));
  property("LinkLabel", longMember(current, [](auto& o) -> auto& { return o.link.label; }, kLinkLabelRange));
  property("LinkStyle", longMember(numbered, [](auto& o) -> auto& { return o.link.style; }, kLinkStyleRange));
  property("LinkLength", longMember(numbered, [](auto& o) -> auto& { return o.link.length; }, kLinkSizeRange));
  property("LinkWidth", longMember(numbered, [](auto& o) -> auto& { return o.link.width; }, kLinkSizeRange));
  property("ObjType", [](DrawingControl& c, Invocation& call) {
    call.RefusePut();
    call.AllowAtMost(0);
    call.Return(c.currentObject_ != 0 ? static_cast<std::int32_t>(c.drawing_.Object(c.currentObject_).kind) : 0);
  });
  property("ObjNumber", [](DrawingControl& c, Invocation& call) {
    call.AllowAtMost(0);
    if (!call.IsPut()) {
      return call.Return(static_cast<std::int32_t>(c.currentObject_));
    }
    const std::int32_t number = call.ValueLong();
    if (number != 0 && !c.drawing_.IsNumber(number)) {
      Refuse("There is no object " + std::to_string(number) + "; the drawing has " +
             std::to_string(c.drawing_.Count()) + ".");
    }
    c.MakeCurrent(number);
  });
  property("ObjTag", objectMember(
                         current, [](const DrawingObject& o, Invocation& call) { call.Return(o.tag); },
                         [](Invocation& call, const DrawingObject*) {
                           return [value = call.ValueText()](DrawingObject& o) { o.tag = value; };
                         },
                         std::string_view()));
  property("ObjTagCount", objectMember(
                              current,
                              [](const DrawingObject& o, Invocation& call) {
                                call.Return(static_cast<std::int32_t>(o.tags.size()));
                              },
                              [](Invocation& call, const DrawingObject* object) {
                                const std::int32_t count = call.ValueLong();
                                const std::size_t have = object != nullptr ? object->tags.size() : 0;
                                if (count < 0 || static_cast<std::size_t>(count) > have) {
                                  Refuse("ObjTagCount can only drop tags: the object has " + std::to_string(have) +
                                         "; " + std::to_string(count) + " is refused.");
                                }
                                return [=](DrawingObject& o) { o.tags.resize(static_cast<std::size_t>(count)); };
                              },
                              std::int32_t{0}));
  // ObjTags(name) or ObjTags(position).
  const auto tagIndex = [](const DrawingObject& o, const Invocation& call) -> std::ptrdiff_t {
    if (!call.IsText(0)) {
      const std::int32_t position = call.Long(0);
      return position >= 1 && static_cast<std::size_t>(position) <= o.tags.size() ? position - 1 : -1;
    }
    const std::string name = call.Text(0);
    const auto found =
        std::find_if(o.tags.begin(), o.tags.end(), [&](const NamedTag& tag) { return tag.name == name; });
    return found != o.tags.end() ? found - o.tags.begin() : -1;
  };
  property("ObjTags", [tagIndex](DrawingControl& c, Invocation& call) {
    call.AllowAtMost(1);
    if (!call.IsText(0)) {
      call.Long(0);
    } else if (call.Text(0).empty()) {
      Refuse("A tag needs a name; ObjTag holds the object's default tag.");
    }
    const int number = c.currentObject_;
    if (!call.IsPut()) {
      const DrawingObject* object = number != 0 ? &c.drawing_.Object(number) : nullptr;
      const std::ptrdiff_t index = object != nullptr ? tagIndex(*object, call) : -1;
      return call.Return(index >= 0 ? std::string_view(object->tags[static_cast<std::size_t>(index)].value) : "");
    }
    const std::string value = call.ValueText();
    if (number == 0) {
      return;
    }
    const std::ptrdiff_t index = tagIndex(c.drawing_.Object(number), call);
    if (index < 0 && !call.IsText(0)) {
      Refuse("The object has no tag " + std::to_string(call.Long(0)) + ".");
    }
    c.EditObject(number, [&](DrawingObject& o) {
      if (index < 0) {
        if (!value.empty()) {
          o.tags.push_back({call.Text(0), value});
        }
      } else if (value.empty()) {
        o.tags.erase(o.tags.begin() + index);
      } else {
        o.tags[static_cast<std::size_t>(index)].value = value;
      }
    });
  });
}

void DrawingControl::Members::AddTextMembers(Table& table) {
  // An attribute of the current text object.
  const auto textMember = [](auto read, auto write, auto none) -> Handler {
    return [=](DrawingControl& c, Invocation& call) {
      call.AllowAtMost(0);
      const int number = c.currentTextObject_;
      if (!call.IsPut()) {
        return number != 0 ? read(c.drawing_.Object(number).text, call) : call.Return(none);
      }
      const auto change = write(call);
      if (number != 0) {
        c.EditObject(number, [&](DrawingObject& o) { change(o.text); });
      }
    };
  };
  const auto longMember = [&](auto access, const ValueRange& range) {
    return textMember([=](const TextAttributes& t, Invocation& call) { call.Return(static_cast<std::int32_t>(access(t))); },
                      [=, &range](Invocation& call) {
                        const std::int32_t value = call.ValueLong();
                        RefuseIf(RangeProblem(call.Member(), value, range));
                        return [=](TextAttributes& t) { access(t) = value; };
                      },
                      std::int32_t{0});
  };
  const auto textValue = [&](auto access) {
    return textMember([=](const TextAttributes& t, Invocation& call) { call.Return(std::string_view(access(t))); },
                      [=](Invocation& call) {
                        return [=, value = call.ValueText()](TextAttributes& t) { access(t) = value; };
                      },
                      std::string_view());
  };
  const auto property = [&](const char* name, Handler handler) {
    table.push_back({name, 0, Kind::Property, std::move(handler)});
  };
  property("Text", textValue([](auto& t) -> auto& { return t.text; }));
  property("FontName", textValue([](auto& t) -> auto& { return t.fontName; }));
  property("FontSize", longMember([](auto& t) -> auto& { return t.fontSize; }, kFontSizeRange));
  property("FontOrient", longMember([](auto& t) -> auto& { return t.orientation; }, kFontOrientationRange));
  property("TextColor", longMember([](auto& t) -> auto& { return t.colour; }, kColourRange));
  property("TextStyle", longMember([](auto& t) -> auto& { return t.style; }, kTextStyleRange));
  property("TextHAlign", longMember([](auto& t) -> auto& { return t.horizontalAlignment; }, kAlignmentRange));
  property("TextVAlign", longMember([](auto& t) -> auto& { return t.verticalAlignment; }, kAlignmentRange));
  property("FontBold", textMember([](const TextAttributes& t, Invocation& call) { call.Return(std::int32_t{t.bold ? 1 : 0}); },
                                  [](Invocation& call) {
                                    return [value = call.ValueBool()](TextAttributes& t) { t.bold = value; };
                                  },
                                  std::int32_t{0}));
}

} // namespace canvas
