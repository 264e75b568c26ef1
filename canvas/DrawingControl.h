#pragma once

#include "canvas/Drawing.h"
#include "canvas/DrawingPainter.h"
#include "canvas/EditHistory.h"
#include "canvas/ViewTransform.h"

#include "platform/ole/ComObject.h"
#include "platform/ole/ControlView.h"
#include "platform/ole/EventSink.h"

#include <QPointer>
#include <QSize>

#include <cstdint>
#include <vector>

class QPainter;
class QRect;

namespace canvas {

class DrawingView;

// The ProgID under which the control is registered.
inline constexpr char kDrawingControlProgId[] = "MDRAW.MDrawCtrl.3";

// The events the control fires through its sink. "MouseDown" and "MouseUp"
// carry the button (1 left, 2 right, 4 middle), the shift state (1 Shift,
// 2 Ctrl, 4 Alt) and x and y in logical units; the mouse move (named
// "MouseMove") the same. "OnHotSpot" carries the object's number, its
// hot-spot flags and 0 when the mouse entered it or 1 when it left;
// "HitObject" the object's number and x and y in logical units.
inline constexpr ole::DISPID kEventOnHotSpot = 1;
inline constexpr ole::DISPID kEventHitObject = 2;

// EventMask flags: which events the control fires.
inline constexpr std::int32_t kMaskMouseButtons = 1;
inline constexpr std::int32_t kMaskHitObject = 2;
inline constexpr std::int32_t kMaskMouseMove = 16;
inline constexpr std::int32_t kMaskHotSpot = 32;

// What Current makes FillColor, FillStyle, LineColor, LineWidth and
// LineStyle address.
inline constexpr std::int32_t kCurrentObject = 0;
inline constexpr std::int32_t kCurrentSelected = 1;
inline constexpr std::int32_t kCurrentNewObjects = 4;
inline constexpr std::int32_t kCurrentPicture = 5;

// EditMode: 0 select, 1 to 9 draw that kind, 11 select, move and resize.
inline constexpr std::int32_t kEditSelect = 0;
inline constexpr std::int32_t kEditSelectMoveResize = 11;

// EditFlags: what the person may do with the mouse and keyboard.
inline constexpr std::int32_t kEditMove = 1;
inline constexpr std::int32_t kEditResize = 2;
inline constexpr std::int32_t kEditDelete = 4;
inline constexpr std::int32_t kEditTextInPlace = 8;

// How near, in pixels, the mouse must come to a line to hit it.
inline constexpr double kHitTolerancePixels = 3;

// What the person may do to an object with the mouse and the keyboard.
enum class UserEdit { Select, Move, Resize, Delete, EditText };

enum class MouseTransition { Down, Up };
enum class HotSpotTransition { Entered = 0, Left = 1 };

// The stand-in drawing control: a drawing with its automation surface, its
// events and a view that shows it in a window.
//
// The automation client names an object by making it current: the object
// just added by AddObject, the one whose number is written to ObjNumber,
// and the one that an "OnHotSpot" or "HitObject" event concerns (made
// current just before the event fires). The Obj... properties and the point
// list address it; Text, the Font... and the Text... properties address the
// current text object, the text object most recently added or made current.
// With none, reads give 0 or empty text and writes change nothing. The
// members and their values are listed with the member table
// (DrawingControlMembers.cpp).
class DrawingControl final
    : public ole::ComObject<DrawingControl, ole::IDispatch, ole::IEventSource, ole::IControlView> {
public:
  DrawingControl();
  ~DrawingControl() override;

  ole::HRESULT QueryInterface(const ole::IID& iid, void** object) override;
  ole::HRESULT GetIDsOfNames(const ole::IID& iid, const ole::OLECHAR* const* names, std::uint32_t nameCount,
                             ole::LCID locale, ole::DISPID* ids) override;
  ole::HRESULT Invoke(ole::DISPID member, const ole::IID& iid, ole::LCID locale, std::uint16_t flags,
                      ole::DISPPARAMS* params, ole::VARIANT* result, ole::EXCEPINFO* exception,
                      std::uint32_t* argumentError) override;
  ole::HRESULT Advise(ole::IEventSink* sink) override;
  QWidget* ShowView(QWidget* parent) override;
  void CloseView() override;

  // The state that the view paints and its mouse handling works with.
  const Drawing& GetDrawing() const { return drawing_; }
  ViewTransform Transform() const;
  QSize ClientSize() const { return clientSize_; }
  void SetClientSize(QSize size);
  // Paints the part of the client area given in pixels.
  void PaintClient(QPainter& painter, const QRect& area) const;
  // What PaintClient paints that part with: the view's transform and the
  // hovered object.
  PaintRequest ClientPaintRequest(const QRect& area) const;
  int CurrentObject() const { return currentObject_; }
  int CurrentTextObject() const { return currentTextObject_; }
  std::int32_t EditMode() const { return editMode_; }
  std::int32_t EditFlags() const { return editFlags_; }
  bool HotSpotsOn() const { return hotSpots_ != 0; }
  const DrawingObject& NewObjectStyle() const { return newObjects_; }
  // The object under the mouse, whose hover highlight shows; 0 for none.
  int HoveredObject() const { return hovered_; }
  void SetHoveredObject(int number);

  // How near, in logical units, a point must come to a line to hit it.
  double HitTolerance() const;
  // The topmost object at a logical point by its shape; 0 for none.
  int ObjectAt(Point at) const;
  // Whether EditFlags and the object's ObjMove let the person do that.
  bool Allows(UserEdit edit, int number) const;

  // Changes to the drawing that keep the current objects and the view in
  // step. Adding can make the new object current, as AddObject does, or
  // leave the current object alone, as drawing with the mouse does.
  // Inserting puts an object in at a number (1 to Count() + 1) and never
  // makes it current.
  int AddObject(DrawingObject object, bool makeCurrent);
  void InsertObject(int number, DrawingObject object);
  void RemoveObject(int number);
  template <typename Change>
  void EditObject(int number, Change&& change) {
    Invalidate(drawing_.Edit(number, std::forward<Change>(change)));
  }
  // Changes several objects, the i-th through change(DrawingObject&, i),
  // and repaints them together.
  template <typename Change>
  void EditObjects(const std::vector<int>& numbers, Change&& change) {
    std::vector<Box> areas;
    areas.reserve(numbers.size());
    for (std::size_t i = 0; i < numbers.size(); ++i) {
      areas.push_back(drawing_.Edit(numbers[i], [&](DrawingObject& o) { change(o, i); }));
    }
    Invalidate(areas);
  }
  void Invalidate(const Box& logicalArea);
  void Invalidate(const std::vector<Box>& logicalAreas);
  void InvalidateAll();

  // The person's edits, for undo and redo.
  EditHistory& History() { return history_; }

  // What the view's mouse handling reports. Each fires its event, when
  // EventMask lets it through, synchronously through the sink, which may
  // call back into the control while it runs.
  void ReportMouseButton(MouseTransition transition, int button, int shift, Point at);
  void ReportMouseMove(int button, int shift, Point at);
  // The mouse entered or left an object. When hot spots are on and the
  // object has hot-spot events, it becomes current (Current returns to 0)
  // and "OnHotSpot" fires; returns whether it fired.
  bool ReportHotSpot(int number, HotSpotTransition transition);
  // Whether hot spots are on and the object has the click flag, so that a
  // left press on it is taken by it.
  bool TakesClicks(int number) const;
  // A left press on an object. When it takes clicks, nothing else should
  // happen: returns true, and when EventMask lets "HitObject" through, the
  // object becomes current (Current returns to 0) and the event fires.
  bool ReportHit(int number, Point at);

  // The automation members (DrawingControlMembers.h).
  struct Members;
  friend struct Members;

private:

  void MakeCurrent(int number);
  void SetEditMode(std::int32_t mode);
  // The automation client changed which objects there are: the person's
  // history and any gesture in progress, which name objects by number,
  // are dropped.
  void ObjectsReplacedByClient();
  void Fire(ole::DISPID event, const char16_t* name, std::vector<ole::VARIANT> arguments);
  std::vector<int> Targets(std::int32_t option) const;

  Drawing drawing_;
  // The attributes of the objects the person draws next (Current 4).
  DrawingObject newObjects_;
  int currentObject_ = 0;
  int currentTextObject_ = 0;
  int hovered_ = 0;
  std::int32_t current_ = kCurrentObject;
  std::int32_t editMode_ = kEditSelect;
  std::int32_t editFlags_ = kEditMove | kEditResize | kEditDelete | kEditTextInPlace;
  std::int32_t eventMask_ = 0;
  std::int32_t hotSpots_ = 0;
  bool redraw_ = true;
  bool repaintHeld_ = false;
  std::int32_t exportOptions_ = 0;
  std::int32_t pictureType_ = 0;
  std::int32_t scaleUnits_ = 0;
  // The clip rectangle, relative to the page's top-left corner.
  double clipLeft_ = 0;
  double clipTop_ = 0;
  double clipWidth_ = 0;
  double clipHeight_ = 0;
  // The client area while no view shows the control: the default page at
  // one pixel a unit.
  QSize clientSize_{1000, 1000};
  ole::IEventSink* sink_ = nullptr;
  QPointer<DrawingView> view_;
  EditHistory history_{*this};
};

// Creates a control and answers the interface asked for; the reference
// handed out belongs to the caller.
ole::HRESULT CreateDrawingControl(const ole::IID& iid, void** object);

} // namespace canvas
