#include "canvas/DrawingControl.h"

#include "canvas/DrawingControlMembers.h"
#include "canvas/DrawingPainter.h"
#include "canvas/DrawingView.h"

#include "platform/ole/ComPtr.h"

#include <QPainter>
#include <QRect>

#include <algorithm>
#include <exception>
#include <new>
#include <utility>

namespace canvas {

ole::HRESULT CreateDrawingControl(const ole::IID& iid, void** object) {
  if (object == nullptr) {
    return ole::E_POINTER;
  }
  auto* control = new (std::nothrow) DrawingControl;
  if (control == nullptr) {
    *object = nullptr;
    return ole::E_OUTOFMEMORY;
  }
  const ole::HRESULT status = control->QueryInterface(iid, object);
  control->Release();
  return status;
}

DrawingControl::DrawingControl() = default;

DrawingControl::~DrawingControl() { delete view_.data(); }

ole::HRESULT DrawingControl::QueryInterface(const ole::IID& iid, void** object) {
  if (object == nullptr) {
    return ole::E_POINTER;
  }
  if (iid == ole::IID_IUnknown || iid == ole::IID_IDispatch) {
    *object = static_cast<ole::IDispatch*>(this);
  } else if (iid == ole::IID_IEventSource) {
    *object = static_cast<ole::IEventSource*>(this);
  } else if (iid == ole::IID_IControlView) {
    *object = static_cast<ole::IControlView*>(this);
  } else {
    *object = nullptr;
    return ole::E_NOINTERFACE;
  }
  AddRef();
  return ole::S_OK;
}

ole::HRESULT DrawingControl::GetIDsOfNames(const ole::IID&, const ole::OLECHAR* const* names,
                                           std::uint32_t nameCount, ole::LCID, ole::DISPID* ids) {
  if (names == nullptr || ids == nullptr || nameCount == 0) {
    return ole::E_INVALIDARG;
  }
  // Only the member's own name is known; named arguments are not.
  for (std::uint32_t i = 1; i < nameCount; ++i) {
    ids[i] = ole::DISPID_UNKNOWN;
  }
  const Members::Entry* entry = names[0] != nullptr ? Members::Find(std::u16string_view(names[0])) : nullptr;
  ids[0] = entry != nullptr ? entry->id : ole::DISPID_UNKNOWN;
  return entry != nullptr && nameCount == 1 ? ole::S_OK : ole::DISP_E_UNKNOWNNAME;
}

ole::HRESULT DrawingControl::Invoke(ole::DISPID member, const ole::IID&, ole::LCID, std::uint16_t flags,
                                    ole::DISPPARAMS* params, ole::VARIANT* result, ole::EXCEPINFO* exception,
                                    std::uint32_t* argumentError) {
  const Members::Entry* entry = Members::Find(member);
  if (entry == nullptr) {
    return ole::DISP_E_MEMBERNOTFOUND;
  }
  ole::DISPPARAMS none{nullptr, nullptr, 0, 0};
  if (params == nullptr) {
    params = &none;
  }
  if (params->cArgs > 0 && params->rgvarg == nullptr) {
    return ole::E_INVALIDARG;
  }
  const bool put = (flags & (ole::DISPATCH_PROPERTYPUT | ole::DISPATCH_PROPERTYPUTREF)) != 0;
  const bool namedValue = put && params->cNamedArgs == 1 && params->rgdispidNamedArgs != nullptr &&
                          params->rgdispidNamedArgs[0] == ole::DISPID_PROPERTYPUT;
  if (params->cNamedArgs > 0 && !namedValue) {
    return ole::DISP_E_NONAMEDARGS;
  }
  // An event fired during the call may make the sink let the control go.
  const ole::ComPtr<DrawingControl> keepAlive(this);
  try {
    Members::Dispatch(*this, *entry, flags, params, result);
    return ole::S_OK;
  } catch (const AutomationError& error) {
    if (error.hasArgument && argumentError != nullptr) {
      *argumentError = error.argumentIndex;
    }
    if (error.status == ole::DISP_E_EXCEPTION && exception != nullptr) {
      // The caller hands the record over unfilled; what it held is not ours.
      *exception = ole::EXCEPINFO{};
      exception->bstrSource = ole::BstrFromUtf8(kDrawingControlProgId);
      exception->bstrDescription = ole::BstrFromUtf8(error.description);
      exception->scode = error.scode;
    }
    return error.status;
  } catch (const std::bad_alloc&) {
    return ole::E_OUTOFMEMORY;
  } catch (const std::exception&) {
    return ole::E_FAIL;
  }
}

ole::HRESULT DrawingControl::Advise(ole::IEventSink* sink) {
  sink_ = sink;
  return ole::S_OK;
}

QWidget* DrawingControl::ShowView(QWidget* parent) {
  if (view_ == nullptr) {
    view_ = new DrawingView(*this, parent);
  } else {
    view_->Attach(parent);
  }
  view_->show();
  return view_.data();
}

void DrawingControl::CloseView() { delete view_.data(); }

ViewTransform DrawingControl::Transform() const {
  return ViewTransform::ForView(drawing_.Picture(), clientSize_.width(), clientSize_.height());
}

void DrawingControl::SetClientSize(QSize size) {
  if (size != clientSize_ && !size.isEmpty()) {
    clientSize_ = size;
    InvalidateAll();
  }
}

void DrawingControl::PaintClient(QPainter& painter, const QRect& area) const {
  DrawingPainter(drawing_).Paint(painter, ClientPaintRequest(area));
}

PaintRequest DrawingControl::ClientPaintRequest(const QRect& area) const {
  PaintRequest request{Transform(), QRectF(area)};
  request.hovered = hovered_;
  return request;
}

void DrawingControl::SetHoveredObject(int number) {
  const int left = std::exchange(hovered_, drawing_.IsNumber(number) ? number : 0);
  for (const int concerned : {left, hovered_}) {
    if (left != hovered_ && drawing_.IsNumber(concerned) && ShowsHoverHighlight(drawing_.Object(concerned))) {
      Invalidate(drawing_.Extent(concerned));
    }
  }
}

double DrawingControl::HitTolerance() const { return Transform().LogicalLength(kHitTolerancePixels); }

int DrawingControl::ObjectAt(Point at) const { return drawing_.TopmostAt(at, HitTolerance(), true); }

bool DrawingControl::Allows(UserEdit edit, int number) const {
  if (!drawing_.IsNumber(number)) {
    return false;
  }
  const DrawingObject& object = drawing_.Object(number);
  switch (edit) {
  case UserEdit::Select:
    return (object.move & kMoveNoSelect) == 0;
  case UserEdit::Move:
    return (editFlags_ & kEditMove) != 0 && (object.move & kMoveNoMove) == 0;
  case UserEdit::Resize:
    return (editFlags_ & kEditResize) != 0 && (object.move & kMoveNoResize) == 0;
  case UserEdit::Delete:
    return (editFlags_ & kEditDelete) != 0 && (object.move & kMoveNoDelete) == 0;
  case UserEdit::EditText:
    break;
  }
  return (editFlags_ & kEditTextInPlace) != 0 && object.kind == ObjectKind::Text;
}

int DrawingControl::AddObject(DrawingObject object, bool makeCurrent) {
  const int number = drawing_.Count() + 1;
  InsertObject(number, std::move(object));
  if (makeCurrent) {
    MakeCurrent(number);
  }
  return number;
}

void DrawingControl::InsertObject(int number, DrawingObject object) {
  drawing_.Insert(number, std::move(object));
  Invalidate(drawing_.Extent(number));
  for (int* kept : {&currentObject_, &currentTextObject_, &hovered_}) {
    if (*kept >= number) {
      ++*kept;
    }
  }
}

void DrawingControl::RemoveObject(int number) {
  Invalidate(drawing_.Extent(number));
  drawing_.Remove(number);
  // The numbers after the removed object move down by one; the control
  // keeps pointing at the same objects.
  for (int* kept : {&currentObject_, &currentTextObject_, &hovered_}) {
    if (*kept == number) {
      *kept = 0;
    } else if (*kept > number) {
      --*kept;
    }
  }
}

void DrawingControl::Invalidate(const Box& logicalArea) { Invalidate(std::vector<Box>{logicalArea}); }

void DrawingControl::Invalidate(const std::vector<Box>& logicalAreas) {
  if (view_ == nullptr) {
    return;
  }
  if (!redraw_) {
    repaintHeld_ = true;
    return;
  }
  view_->UpdateAreas(logicalAreas);
}

void DrawingControl::InvalidateAll() {
  if (view_ == nullptr) {
    return;
  }
  if (!redraw_) {
    repaintHeld_ = true;
    return;
  }
  view_->update();
}

void DrawingControl::MakeCurrent(int number) {
  currentObject_ = number;
  if (drawing_.IsNumber(number) && drawing_.Object(number).kind == ObjectKind::Text) {
    currentTextObject_ = number;
  }
}

void DrawingControl::SetEditMode(std::int32_t mode) {
  if (std::exchange(editMode_, mode) != mode && view_ != nullptr) {
    view_->EditModeChanged();
  }
}

void DrawingControl::ObjectsReplacedByClient() {
  history_.Clear();
  if (view_ != nullptr) {
    view_->AbandonInteraction();
  }
}

std::vector<int> DrawingControl::Targets(std::int32_t option) const {
  std::vector<int> numbers;
  if (option == 0) {
    if (currentObject_ != 0) {
      numbers.push_back(currentObject_);
    }
    return numbers;
  }
  for (int number = 1; number <= drawing_.Count(); ++number) {
    if (option == 2 || drawing_.Object(number).selected) {
      numbers.push_back(number);
    }
  }
  return numbers;
}

void DrawingControl::Fire(ole::DISPID event, const char16_t* name, std::vector<ole::VARIANT> arguments) {
  if (sink_ == nullptr) {
    return;
  }
  // Arguments go last first, as in Invoke.
  std::reverse(arguments.begin(), arguments.end());
  ole::DISPPARAMS params{arguments.data(), nullptr, static_cast<std::uint32_t>(arguments.size()), 0};
  const ole::ComPtr<DrawingControl> keepAlive(this);
  sink_->FireEvent(event, name, &params);
}

namespace {

ole::VARIANT Logical(double value) { return ole::MakeI4(Whole(value)); }

} // namespace

void DrawingControl::ReportMouseButton(MouseTransition transition, int button, int shift, Point at) {
  if ((eventMask_ & kMaskMouseButtons) == 0) {
    return;
  }
  const bool down = transition == MouseTransition::Down;
  Fire(down ? ole::DISPID_MOUSEDOWN : ole::DISPID_MOUSEUP, down ? u"MouseDown" : u"MouseUp",
       {ole::MakeI2(static_cast<std::int16_t>(button)), ole::MakeI2(static_cast<std::int16_t>(shift)), Logical(at.x),
        Logical(at.y)});
}

void DrawingControl::ReportMouseMove(int button, int shift, Point at) {
  if ((eventMask_ & kMaskMouseMove) == 0) {
    return;
  }
  Fire(ole::DISPID_MOUSEMOVE, u"MouseMove",
       {ole::MakeI2(static_cast<std::int16_t>(button)), ole::MakeI2(static_cast<std::int16_t>(shift)), Logical(at.x),
        Logical(at.y)});
}

bool DrawingControl::ReportHotSpot(int number, HotSpotTransition transition) {
  if (!HotSpotsOn() || !drawing_.IsNumber(number) || (eventMask_ & kMaskHotSpot) == 0) {
    return false;
  }
  const std::int32_t flags = drawing_.Object(number).hotSpot;
  if ((flags & kHotSpotEvents) == 0) {
    return false;
  }
  MakeCurrent(number);
  current_ = kCurrentObject;
  Fire(kEventOnHotSpot, u"OnHotSpot",
       {ole::MakeI4(number), ole::MakeI4(flags), ole::MakeI4(static_cast<std::int32_t>(transition))});
  return true;
}

bool DrawingControl::TakesClicks(int number) const {
  return HotSpotsOn() && drawing_.IsNumber(number) && (drawing_.Object(number).hotSpot & kHotSpotClick) != 0;
}

bool DrawingControl::ReportHit(int number, Point at) {
  if (!TakesClicks(number)) {
    return false;
  }
  if ((eventMask_ & kMaskHitObject) != 0) {
    MakeCurrent(number);
    current_ = kCurrentObject;
    Fire(kEventHitObject, u"HitObject", {ole::MakeI4(number), Logical(at.x), Logical(at.y)});
  }
  return true;
}

} // namespace canvas
