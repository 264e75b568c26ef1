#include "drawctl/DrawingControlClass.h"

#include "automation/SafeArrayClass.h"
#include "drawctl/MemberExpression.h"
#include "drawctl/NumberText.h"
#include "platform/container/OleContainer.h"
#include "platform/ole/ComPtr.h"
#include "platform/ole/ComRuntime.h"
#include "platform/ole/Dispatch.h"
#include "platform/ole/FixedText.h"
#include "platform/ole/Variant.h"
#include "platform/system/WindowHandles.h"
#include "platform/window/QtMessagePresenter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <span>
#include <type_traits>
#include <utility>
#include <vector>

DrawingControlClass DrawingControl;
DrawingListQueueType DrawingListQueue;
PointQueue WrapperPointQueue;

namespace {

using container::SetValue;
using drawctl::MemberExpression;
using drawctl::NumberText;

// The argument block of the direct calls, shared by InvokeByDispId and
// SetPoints. It holds a caller's arguments only for the length of one call.
ole::DISPPARAMS DispatchArguments{};

// The members that the wrapper calls by dispatch identifier.
constexpr ole::DISPID kPicXOfsId = 7;
constexpr ole::DISPID kPicYOfsId = 8;
constexpr ole::DISPID kPicXSizeId = 9;
constexpr ole::DISPID kPicYSizeId = 10;
constexpr ole::DISPID kOrigWidthId = 15;
constexpr ole::DISPID kOrigHeightId = 16;
constexpr ole::DISPID kPointListId = 108;
constexpr ole::DISPID kZoomFactorId = 179;

constexpr const char* kControlNotFound = "MetaDraw control not found! Check your MetaDraw installation";
constexpr std::size_t kObjectCheckWidth = 32;
// The Release value is a null-terminated text of 64 characters, so at most
// 63 of the reference text.
constexpr std::size_t kReleaseValueLength = 64;
// The direct calls read the reference text into 20 bytes, terminator
// included.
constexpr std::size_t kDirectReferenceLength = 19;
constexpr std::size_t kLoadNameLength = 254;
constexpr std::size_t kSaveNameLength = 255;
constexpr std::int32_t kTwipsPerInch = 1440;

// SaveClippedPicture's settings.
constexpr std::int32_t kClippedExportOptions = 9;
constexpr std::int32_t kClippedCurrent = 5;
constexpr std::int32_t kClippedScaleUnits = 1;

constexpr std::uint8_t kWrite = 0;
constexpr std::uint8_t kRead = 1;

// A container property, named by its number in place of a member.
std::string Property(std::int32_t number) { return NumberText::Long(number); }

std::string Get(const DrawingControlClass& wrapper, std::string_view expression) {
  return container::GetMember(wrapper.W, wrapper.COLE, expression);
}
void Set(const DrawingControlClass& wrapper, std::string_view expression, const SetValue& value) {
  container::SetMember(wrapper.W, wrapper.COLE, expression, value);
}
void Call(const DrawingControlClass& wrapper, std::string_view expression) {
  container::CallMember(wrapper.W, wrapper.COLE, expression);
}
std::int32_t GetLong(const DrawingControlClass& wrapper, std::string_view expression) {
  return NumberText::ReadLong(Get(wrapper, expression));
}
double GetReal(const DrawingControlClass& wrapper, std::string_view expression) {
  return NumberText::ReadReal(Get(wrapper, expression));
}
// A one-byte field keeps the low 8 bits of the LONG read.
std::uint8_t GetByte(const DrawingControlClass& wrapper, std::string_view expression) {
  return static_cast<std::uint8_t>(GetLong(wrapper, expression));
}

// Reads a LONG property, or writes one and gives 0.
std::int32_t LongProperty(const DrawingControlClass& wrapper, std::string_view expression, std::int32_t value,
                          std::uint8_t get) {
  if (get != 0) {
    return GetLong(wrapper, expression);
  }
  Set(wrapper, expression, SetValue::Long(value));
  return 0;
}

// Reads a REAL property by name, or writes it through its dispatch
// identifier and gives the call's status code.
double RealProperty(DrawingControlClass& wrapper, std::string_view name, ole::DISPID id, double value,
                    std::uint8_t get) {
  if (get != 0) {
    return GetReal(wrapper, name);
  }
  return static_cast<double>(wrapper.InvokeByDispId(id, value));
}

// Reads a text property as the control gives it, or writes the value
// without its trailing blanks and gives the empty text.
std::string TextProperty(const DrawingControlClass& wrapper, std::string_view expression, std::string_view value,
                         std::uint8_t get) {
  if (get != 0) {
    return Get(wrapper, expression);
  }
  Set(wrapper, expression, SetValue::Text(ole::TrimTrailingBlanks(value)));
  return {};
}

std::string TrimmedTextProperty(const DrawingControlClass& wrapper, std::string_view expression, std::string_view value,
                                std::uint8_t get) {
  std::string text = TextProperty(wrapper, expression, value, get);
  text.resize(ole::TrimTrailingBlanks(text).size());
  return text;
}

// LONG variables bound under names for one access, unbound in the order
// they were bound however the access ends.
class LongBindings {
public:
  LongBindings(std::initializer_list<std::pair<const char*, std::int32_t*>> bindings) {
    for (const auto& [name, variable] : bindings) {
      container::BindVariable(name, *variable);
      names_.push_back(name);
    }
  }
  LongBindings(const LongBindings&) = delete;
  LongBindings& operator=(const LongBindings&) = delete;
  ~LongBindings() {
    for (const char* name : names_) {
      container::UnbindVariable(name);
    }
  }

private:
  std::vector<const char*> names_;
};

// The control's automation interface as the slot's object reference text
// names it ("`" and the number of an entry in the container's table of
// live references), with a reference of its own; null when the text names
// no live control.
ole::ComPtr<ole::IDispatch> DirectInterface(const DrawingControlClass& wrapper) {
  const std::string object = Get(wrapper, Property(container::PROP_Object));
  const std::string_view reference = ole::TrimTrailingBlanks(ole::CutText(object, kDirectReferenceLength));
  if (reference.empty()) {
    return {};
  }
  return ole::ComPtr<ole::IDispatch>(container::ObjectFromReference(NumberText::ReadLong(reference.substr(1))));
}

// Calls a member of the control by dispatch identifier, past the container:
// as a method, with the arguments (last first) in the shared block, the
// null interface identifier and US English, and no result. No name is
// looked up and nothing is reported. E_POINTER, without a call, when the
// slot names no live control.
ole::HRESULT CallDirect(const DrawingControlClass& wrapper, ole::DISPID member, std::span<ole::VARIANT> lastFirst) {
  const ole::ComPtr<ole::IDispatch> control = DirectInterface(wrapper);
  if (!control) {
    return ole::E_POINTER;
  }
  DispatchArguments = {};
  DispatchArguments.rgvarg = lastFirst.data();
  DispatchArguments.cArgs = static_cast<std::uint32_t>(lastFirst.size());
  const ole::HRESULT status = control->Invoke(member, ole::IID_NULL, ole::LOCALE_US_ENGLISH, ole::DISPATCH_METHOD,
                                              &DispatchArguments, nullptr, nullptr, nullptr);
  DispatchArguments = {};
  return status;
}

std::int32_t TwipsPerPixel(int dotsPerInch) { return dotsPerInch == 0 ? 0 : kTwipsPerInch / dotsPerInch; }

// A coordinate cut toward zero to a LONG; values beyond the LONG range
// stop at its ends, and a value that is not a number gives 0.
std::int32_t TruncateToLong(double value) {
  if (std::isnan(value)) {
    return 0;
  }
  constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
  constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(std::clamp(std::trunc(value), kLowest, kHighest));
}

template <typename Number> void StoreAt(DrawCommandRecord& record, std::size_t offset, Number value) {
  static_assert(std::is_trivially_copyable_v<Number>);
  std::memcpy(record.BYTES.data() + offset, &value, sizeof value);
}

std::string SavePictureText(std::string_view fileName, std::uint8_t saveOption, std::uint8_t pictureType) {
  return MemberExpression("SavePicture").Quoted(fileName).Long(saveOption).Long(pictureType).Text();
}

std::string AddObjectText(std::int16_t kind, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  return MemberExpression("AddObject").Long(kind).Long(x1).Long(y1).Long(x2).Long(y2).Text();
}

// The adds of a fixed kind bring the cached picture state up to date
// afterwards.
void AddOfKind(DrawingControlClass& wrapper, std::int16_t kind, std::int32_t x1, std::int32_t y1, std::int32_t x2,
               std::int32_t y2) {
  wrapper.AddObject(kind, x1, y1, x2, y2);
  wrapper.ReadPictureState();
}

} // namespace

void DrawingControlClass::Connect(container::ContainerWindow* window, std::int16_t controlNumber) {
  ole::CoInitialize(nullptr);
  W = window;
  COLE = controlNumber;
  Set(*this, Property(container::PROP_Create), SetValue::Text(kProgId));
  Set(*this, Property(container::PROP_ReportException), SetValue::Text("1"));
  const std::string object = ole::FixedText(Get(*this, Property(container::PROP_Object)), kObjectCheckWidth);
  if (ole::TrimTrailingBlanks(object).empty()) {
    window::ShowMessage(kControlNotFound, "Error");
    return;
  }
  // The window's own client-area handle: control number 0.
  const auto clientHandle = [this] {
    return NumberText::ReadLong(container::GetMember(W, 0, Property(container::PROP_ClientHandle)));
  };
  const sys::DeviceContext dc = sys::GetDC(clientHandle());
  const int dotsPerInchX = sys::GetDeviceCaps(dc, sys::LOGPIXELSX);
  const int dotsPerInchY = sys::GetDeviceCaps(dc, sys::LOGPIXELSY);
  TWIPSPERPIXELX = TwipsPerPixel(dotsPerInchX);
  TWIPSPERPIXELY = TwipsPerPixel(dotsPerInchY);
  sys::ReleaseDC(clientHandle(), dc);
  DrawingListQueue.Free();
}

void DrawingControlClass::Disconnect() {
  // The slot holds its own initialisation while its control exists, so
  // Connect's can go first.
  ole::CoUninitialize();
  const std::string object = Get(*this, Property(container::PROP_Object));
  Set(*this, Property(container::PROP_Release), SetValue::CString(object, kReleaseValueLength));
  Call(*this, Property(container::PROP_Deactivate));
}

void DrawingControlClass::ResetDrawing(std::int32_t origWidth, std::int32_t origHeight, std::int32_t picWidth,
                                       std::int32_t picHeight) {
  Call(*this, "Clear");
  ORIGWIDTH = origWidth;
  ORIGHEIGHT = origHeight;
  PICWIDTH = picWidth;
  PICHEIGHT = picHeight;
  PICLEFT = 0;
  PICTOP = 0;
  SCROLLBARS = 1;
  EDITMODE = 0;
  WritePictureState();
  SetZoomFactor(1.0);
}

std::int32_t DrawingControlClass::BackColor(std::int32_t value, std::uint8_t get) {
  return LongProperty(*this, "BackColor", value, get);
}

std::int32_t DrawingControlClass::LoadPicture(std::string_view fileName, std::int16_t option1, std::int16_t option2) {
  const std::string_view name = ole::CutText(ole::TrimTrailingBlanks(fileName), kLoadNameLength);
  return GetLong(*this, MemberExpression("LoadPicture").Bare(name).Long(option1).Long(option2).Text());
}

void DrawingControlClass::SavePicture(std::string_view fileName, std::uint8_t saveOption, std::uint8_t pictureType) {
  const std::string_view name = ole::CutText(ole::TrimTrailingBlanks(fileName), kSaveNameLength);
  Call(*this, SavePictureText(name, saveOption, pictureType));
}

void DrawingControlClass::SaveClippedPicture(std::string_view fileName, std::uint8_t saveOption,
                                             std::uint8_t pictureType) {
  Set(*this, "PictureType", SetValue::Byte(pictureType));
  ExportOptions(kClippedExportOptions, kWrite);
  Set(*this, "ClipLeft", SetValue::Text(NumberText::Real(PicXOfs(0, kRead))));
  Set(*this, "ClipTop", SetValue::Text(NumberText::Real(PicYOfs(0, kRead))));
  Set(*this, "ClipWidth", SetValue::Text(NumberText::Real(ClientWidth(0))));
  Set(*this, "ClipHeight", SetValue::Text(NumberText::Real(ClientHeight(0))));
  Current(kClippedCurrent, kWrite);
  ScaleUnits(kClippedScaleUnits, kWrite);
  Call(*this, SavePictureText(fileName, saveOption, pictureType));
  ReadPictureState();
}

std::int32_t DrawingControlClass::FillColor(std::int32_t value, std::uint8_t get) {
  return LongProperty(*this, "FillColor", value, get);
}

std::int32_t DrawingControlClass::FillStyle(std::int32_t value, std::uint8_t get) {
  return LongProperty(*this, "FillStyle", value, get);
}

std::int32_t DrawingControlClass::FontBold(std::int32_t value, std::uint8_t get) {
  return LongProperty(*this, "FontBold", value, get);
}

std::string DrawingControlClass::FontName(std::string_view value, std::uint8_t get) {
  return TextProperty(*this, "FontName", value, get);
}

std::int32_t DrawingControlClass::FontSize(std::int32_t value, std::uint8_t get) {
  return LongProperty(*this, "FontSize", value, get);
}

std::int32_t DrawingControlClass::FontOrient(std::int32_t value, std::uint8_t get) {
  return LongProperty(*this, "FontOrient", value, get);
}

std::int32_t DrawingControlClass::LineColor(std::int32_t value, std::uint8_t get) {
  return LongProperty(*this, "LineColor", value, get);
}

std::int32_t DrawingControlClass::LineWidth(std::int32_t value, std::uint8_t get) {
  return LongProperty(*this, "LineWidth", value, get);
}

void DrawingControlClass::SetZoomFactor(double zoomFactor) {
  InvokeByDispId(kZoomFactorId, zoomFactor);
  ReadPictureState();
  ZOOMFACTOR = zoomFactor;
}

std::string DrawingControlClass::Text(std::string_view value, std::uint8_t get) {
  return TrimmedTextProperty(*this, "Text", value, get);
}

std::int32_t DrawingControlClass::TextColor(std::int32_t value, std::uint8_t get) {
  return LongProperty(*this, "TextColor", value, get);
}

double DrawingControlClass::PicXSize(double value, std::uint8_t get) {
  return RealProperty(*this, "PicXSize", kPicXSizeId, value, get);
}

double DrawingControlClass::PicYSize(double value, std::uint8_t get) {
  return RealProperty(*this, "PicYSize", kPicYSizeId, value, get);
}

double DrawingControlClass::PicXOfs(double value, std::uint8_t get) {
  return RealProperty(*this, "PicXOfs", kPicXOfsId, value, get);
}

double DrawingControlClass::PicYOfs(double value, std::uint8_t get) {
  return RealProperty(*this, "PicYOfs", kPicYOfsId, value, get);
}

std::int32_t DrawingControlClass::PicLeft(std::int32_t value, std::uint8_t get) {
  return LongProperty(*this, "PicLeft", value, get);
}

std::int32_t DrawingControlClass::PicTop(std::int32_t value, std::uint8_t get) {
  return LongProperty(*this, "PicTop", value, get);
}

std::int32_t DrawingControlClass::PicWidth(std::int32_t value, std::uint8_t get) {
  return LongProperty(*this, "PicWidth", value, get);
}

std::int32_t DrawingControlClass::PicHeight(std::int32_t value, std::uint8_t get) {
  return LongProperty(*this, "PicHeight", value, get);
}

double DrawingControlClass::ClientWidth(std::int32_t selector) {
  return GetReal(*this, MemberExpression("ClientWidth").Long(selector).Text());
}

double DrawingControlClass::ClientHeight(std::int32_t selector) {
  return GetReal(*this, MemberExpression("ClientHeight").Long(selector).Text());
}

double DrawingControlClass::OrigWidth(double value, std::uint8_t get) {
  return RealProperty(*this, "OrigWidth", kOrigWidthId, value, get);
}

double DrawingControlClass::OrigHeight(double value, std::uint8_t get) {
  return RealProperty(*this, "OrigHeight", kOrigHeightId, value, get);
}

std::int32_t DrawingControlClass::ScaleUnits(std::int32_t value, std::uint8_t get) {
  return LongProperty(*this, "ScaleUnits", value, get);
}

std::int32_t DrawingControlClass::ClientToLogicX(std::int32_t value) {
  return GetLong(*this, MemberExpression("ClientToLogicX").Long(value).Text());
}

std::int32_t DrawingControlClass::ClientToLogicY(std::int32_t value) {
  return GetLong(*this, MemberExpression("ClientToLogicY").Long(value).Text());
}

std::int32_t DrawingControlClass::LogicToClientX(std::int32_t value) {
  return GetLong(*this, MemberExpression("LogicToClientX").Long(value).Text());
}

std::int32_t DrawingControlClass::LogicToClientY(std::int32_t value) {
  return GetLong(*this, MemberExpression("LogicToClientY").Long(value).Text());
}

void DrawingControlClass::AddObject(std::int16_t kind, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                    std::int32_t y2) {
  Call(*this, AddObjectText(kind, x1, y1, x2, y2));
}

void DrawingControlClass::AddLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  AddOfKind(*this, 1, x1, y1, x2, y2);
}

void DrawingControlClass::AddKind22Object(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  AddOfKind(*this, 22, x1, y1, x2, y2);
}

void DrawingControlClass::AddRectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  AddOfKind(*this, 2, x1, y1, x2, y2);
}

void DrawingControlClass::AddEllipse(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  AddOfKind(*this, 4, x1, y1, x2, y2);
}

void DrawingControlClass::AddRoundedRectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  AddOfKind(*this, 3, x1, y1, x2, y2);
}

void DrawingControlClass::AddArc(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  AddOfKind(*this, 5, x1, y1, x2, y2);
}

void DrawingControlClass::AddSector(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  AddOfKind(*this, 6, x1, y1, x2, y2);
}

void DrawingControlClass::AddChord(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  AddOfKind(*this, 7, x1, y1, x2, y2);
}

void DrawingControlClass::AddPolyline(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  AddOfKind(*this, 8, x1, y1, x2, y2);
}

void DrawingControlClass::AddPolygon(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  AddOfKind(*this, 9, x1, y1, x2, y2);
}

void DrawingControlClass::SetLineAttributes(std::optional<std::int32_t> color, std::optional<std::int32_t> width,
                                            std::optional<std::int32_t> style) {
  const std::pair<const char*, std::optional<std::int32_t>> attributes[] = {
      {"LineColor", color}, {"LineWidth", width}, {"LineStyle", style}};
  for (const auto& [name, value] : attributes) {
    if (value) {
      Set(*this, name, SetValue::Long(*value));
    }
  }
}

void DrawingControlClass::LinkStyle(std::int16_t link, std::int16_t style) {
  if (USEDRAWQUEUE != 0) {
    if (MDBCOMMAND != nullptr) {
      StoreAt(MDBCOMMAND->Buffer, DrawCommandRecord::kCodeOffset, DrawCommandRecord::kLinkStyleCommand);
      StoreAt(MDBCOMMAND->Buffer, DrawCommandRecord::kLinkOffset, link);
      StoreAt(MDBCOMMAND->Buffer, DrawCommandRecord::kStyleOffset, style);
      MDBCOMMAND->Add();
    }
    return;
  }
  Set(*this, MemberExpression("LinkStyle").Long(link).Text(), SetValue::Short(style));
}

std::int32_t DrawingControlClass::LinkLabel(std::int32_t value, std::uint8_t get) {
  return LongProperty(*this, "LinkLabel", value, get);
}

std::int32_t DrawingControlClass::LinkLength(std::int16_t link, std::int32_t value, std::uint8_t get) {
  return LongProperty(*this, MemberExpression("LinkLength").Long(link).Text(), value, get);
}

std::int32_t DrawingControlClass::LinkWidth(std::int16_t link, std::int32_t value, std::uint8_t get) {
  return LongProperty(*this, MemberExpression("LinkWidth").Long(link).Text(), value, get);
}

std::int32_t DrawingControlClass::ExportOptions(std::int32_t value, std::uint8_t get) {
  return LongProperty(*this, "ExportOptions", value, get);
}

std::int32_t DrawingControlClass::AutoScale(std::int32_t value) {
  return LongProperty(*this, "AutoScale", value, kWrite);
}

void DrawingControlClass::Action(std::int32_t value) { LongProperty(*this, "Action", value, kWrite); }

std::int32_t DrawingControlClass::Current(std::int32_t value, std::uint8_t get) {
  return LongProperty(*this, "Current", value, get);
}

std::int32_t DrawingControlClass::EditFlags(std::int32_t value, std::uint8_t get) {
  return LongProperty(*this, "EditFlags", value, get);
}

std::int32_t DrawingControlClass::EditMode(std::int32_t value, std::uint8_t get) {
  return LongProperty(*this, "EditMode", value, get);
}

std::int32_t DrawingControlClass::EventMask(std::int32_t value, std::uint8_t get) {
  return LongProperty(*this, "EventMask", value, get);
}

std::int32_t DrawingControlClass::ObjectsHitTest(std::int32_t x, std::int32_t y, std::int16_t option) {
  return GetLong(*this, MemberExpression("ObjectsHitTest").Long(x).Long(y).Long(option).Text());
}

std::string DrawingControlClass::ObjTag(std::string_view value, std::uint8_t get) {
  return TextProperty(*this, "ObjTag", value, get);
}

std::string DrawingControlClass::ObjTags(std::string_view value, std::string_view tagName, std::uint8_t get) {
  return TextProperty(*this, MemberExpression("ObjTags").Quoted(tagName).Text(), value, get);
}

std::int16_t DrawingControlClass::ObjTagCount(std::int16_t value, std::uint8_t get) {
  if (get != 0) {
    return static_cast<std::int16_t>(GetLong(*this, "ObjTagCount"));
  }
  Set(*this, "ObjTagCount", SetValue::Short(value));
  return 0;
}

std::int32_t DrawingControlClass::ObjType() { return GetLong(*this, "ObjType"); }

std::int32_t DrawingControlClass::ObjSelected(std::int32_t value, std::uint8_t get) {
  return LongProperty(*this, "ObjSelected", value, get);
}

std::int32_t DrawingControlClass::ObjStatus(std::int32_t value, std::uint8_t get) {
  return LongProperty(*this, "ObjStatus", value, get);
}

std::int32_t DrawingControlClass::ObjHotSpot(std::int32_t value, std::uint8_t get) {
  return LongProperty(*this, "ObjHotSpot", value, get);
}

std::int32_t DrawingControlClass::ObjMove(std::int32_t value, std::uint8_t get) {
  return LongProperty(*this, "ObjMove", value, get);
}

std::int32_t DrawingControlClass::ObjNumber(std::int32_t value, std::uint8_t get) {
  return LongProperty(*this, "ObjNumber", value, get);
}

std::int32_t DrawingControlClass::ObjVisible(std::int32_t value, std::uint8_t get) {
  return LongProperty(*this, "ObjVisible", value, get);
}

std::int32_t DrawingControlClass::ObjLeft(std::int32_t value, std::uint8_t get) {
  return LongProperty(*this, "ObjLeft", value, get);
}

std::int32_t DrawingControlClass::ObjTop(std::int32_t value, std::uint8_t get) {
  return LongProperty(*this, "ObjTop", value, get);
}

std::int32_t DrawingControlClass::ObjRight(std::int32_t value, std::uint8_t get) {
  return LongProperty(*this, "ObjRight", value, get);
}

std::int32_t DrawingControlClass::ObjBottom(std::int32_t value, std::uint8_t get) {
  return LongProperty(*this, "ObjBottom", value, get);
}

std::int32_t DrawingControlClass::ScrollBars(std::int32_t value, std::uint8_t get) {
  return LongProperty(*this, "ScrollBars", value, get);
}

std::int32_t DrawingControlClass::BorderStyle(std::int32_t value, std::uint8_t get) {
  return LongProperty(*this, "BorderStyle", value, get);
}

std::int32_t DrawingControlClass::HotSpots(std::int32_t value, std::uint8_t get) {
  return LongProperty(*this, "HotSpots", value, get);
}

std::string DrawingControlClass::TextTrimmed(std::string_view value, std::uint8_t get) {
  return TrimmedTextProperty(*this, "Text", value, get);
}

std::int32_t DrawingControlClass::TextHAlign(std::int32_t value, std::uint8_t get) {
  return LongProperty(*this, "TextHAlign", value, get);
}

std::int32_t DrawingControlClass::TextVAlign(std::int32_t value, std::uint8_t get) {
  return LongProperty(*this, "TextVAlign", value, get);
}

std::int32_t DrawingControlClass::TextStyle(std::int32_t value, std::uint8_t get) {
  return LongProperty(*this, "TextStyle", value, get);
}

std::int32_t DrawingControlClass::Redraw(std::int32_t value, std::uint8_t get) {
  return LongProperty(*this, "Redraw", value, get);
}

void DrawingControlClass::Refresh() { Call(*this, "Refresh"); }

std::int32_t DrawingControlClass::MoveObjects(std::int32_t ofsX, std::int32_t ofsY, std::int16_t option) {
  // The control may write into the offsets; the caller's stay as they are.
  std::int32_t offsetX = ofsX;
  std::int32_t offsetY = ofsY;
  const LongBindings bound{{"loc:ofsX", &offsetX}, {"loc:ofsY", &offsetY}};
  return GetLong(*this,
                 MemberExpression("MoveObjects").Reference("loc:ofsX").Reference("loc:ofsY").Long(option).Text());
}

void DrawingControlClass::RotateObjects(std::int32_t first, std::int32_t second, double amount, std::int32_t third) {
  Call(*this, MemberExpression("RotateObjects").Long(first).Long(second).Real(amount).Long(third).Text());
}

std::int32_t DrawingControlClass::GetBounds(std::int32_t& left, std::int32_t& top, std::int32_t& right,
                                            std::int32_t& bottom, std::int16_t option) {
  const LongBindings bound{{"left", &left}, {"top", &top}, {"right", &right}, {"bottom", &bottom}};
  return GetLong(*this, MemberExpression("GetBounds")
                            .Reference("left")
                            .Reference("top")
                            .Reference("right")
                            .Reference("bottom")
                            .Long(option)
                            .Text());
}

std::int32_t DrawingControlClass::SetBounds(std::int32_t left, std::int32_t top, std::int32_t right,
                                            std::int32_t bottom, std::int16_t option) {
  return GetLong(*this,
                 MemberExpression("SetBounds").Long(left).Long(top).Long(right).Long(bottom).Long(option).Text());
}

std::int32_t DrawingControlClass::PicBackColor(std::int32_t value, std::uint8_t get) {
  return LongProperty(*this, "PicBackColor", value, get);
}

std::int32_t DrawingControlClass::PicBorderColor(std::int32_t value, std::uint8_t get) {
  return LongProperty(*this, "PicBorderColor", value, get);
}

std::int32_t DrawingControlClass::TransparentBackground(std::int32_t value, std::uint8_t get) {
  return LongProperty(*this, "TransparentBackground", value, get);
}

std::int32_t DrawingControlClass::BackStyle(std::int32_t value, std::uint8_t get) {
  return LongProperty(*this, "BackStyle", value, get);
}

void DrawingControlClass::SetGradient(std::int32_t first, std::int32_t second, std::int32_t third) {
  PicBackColor(first, kWrite);
  PicBorderColor(second, kWrite);
  Set(*this, "GradientStyle", SetValue::Long(third));
}

void DrawingControlClass::ReadPictureState() {
  SCALEUNITS = GetByte(*this, "ScaleUnits");
  PICLEFT = GetLong(*this, "PicLeft");
  PICTOP = GetLong(*this, "PicTop");
  PICWIDTH = GetLong(*this, "PicWidth");
  PICHEIGHT = GetLong(*this, "PicHeight");
  ORIGWIDTH = GetLong(*this, "OrigWidth");
  ORIGHEIGHT = GetLong(*this, "OrigHeight");
  CLIENTWIDTH = GetLong(*this, "ClientWidth");
  CLIENTHEIGHT = GetLong(*this, "ClientHeight");
  HDC = GetLong(*this, "hDC");
  AUTOSCALE = GetByte(*this, "AutoScale");
  SCROLLBARS = GetByte(*this, "ScrollBars");
  EDITMODE = GetByte(*this, "EditMode");
  PICXSIZE = GetLong(*this, "PicXSize");
  PICYSIZE = GetLong(*this, "PicYSize");
}

void DrawingControlClass::WritePictureState() {
  Set(*this, "PicLeft", SetValue::Long(PICLEFT));
  Set(*this, "PicTop", SetValue::Long(PICTOP));
  Set(*this, "PicWidth", SetValue::Long(PICWIDTH));
  Set(*this, "PicHeight", SetValue::Long(PICHEIGHT));
  Set(*this, "OrigWidth", SetValue::Long(ORIGWIDTH));
  Set(*this, "OrigHeight", SetValue::Long(ORIGHEIGHT));
  Set(*this, "AutoScale", SetValue::Byte(AUTOSCALE));
  Set(*this, "ScrollBars", SetValue::Byte(SCROLLBARS));
  Set(*this, "EditMode", SetValue::Byte(EDITMODE));
  if (PICXSIZE > 0) {
    Set(*this, "PicXSize", SetValue::Long(PICXSIZE));
  }
  if (PICYSIZE > 0) {
    Set(*this, "PicYSize", SetValue::Long(PICYSIZE));
  }
  Set(*this, "ScaleUnits", SetValue::Byte(SCALEUNITS));
}

void DrawingControlClass::SetPoints(std::int32_t lead, std::int32_t count, PointQueue& points, std::int16_t option) {
  // Two LONGs a point, x then y, for every point of the list.
  const std::size_t present = points.Records();
  std::vector<std::int32_t> coordinates(2 * present);
  for (std::size_t entry = 1; entry <= present; ++entry) {
    points.Get(entry);
    coordinates[2 * entry - 2] = TruncateToLong(points.Buffer.X);
    coordinates[2 * entry - 1] = TruncateToLong(points.Buffer.Y);
  }
  // Never more points than were converted, and as many LONGs as fit in
  // one array.
  constexpr std::int64_t kMostPoints = std::numeric_limits<std::int32_t>::max() / 2;
  const auto sent = static_cast<std::int32_t>(
      std::clamp<std::int64_t>(count, 0, std::min<std::int64_t>(static_cast<std::int64_t>(present), kMostPoints)));
  SafeArrayClass array;
  ole::SAFEARRAY* arrayReference = nullptr;
  array.CreateLongVector(&arrayReference, coordinates.data(), 2 * sent);

  // The arguments last first: option, array, count, lead.
  std::array<ole::VARIANT, 4> arguments{};
  ole::VARIANT& VAR1 = arguments[0];
  ole::VARIANT& VAR2 = arguments[1];
  ole::VARIANT& VAR3 = arguments[2];
  ole::VARIANT& VAR4 = arguments[3];
  for (ole::VARIANT& argument : arguments) {
    ole::VariantInit(&argument);
  }
  VAR4.vt = ole::VT_I4;
  VAR4.lVal = lead;
  VAR3.vt = ole::VT_I4;
  VAR3.lVal = sent;
  VAR2.vt = ole::VT_ARRAY | ole::VT_I4;
  VAR2.parray = arrayReference;
  VAR1.vt = ole::VT_I2;
  VAR1.iVal = option;
  CallDirect(*this, kPointListId, arguments);
  array.Dispose();
}

ole::HRESULT DrawingControlClass::InvokeByDispId(std::int32_t dispId, double value) {
  ole::VARIANT argument{};
  ole::VariantInit(&argument);
  argument.vt = ole::VT_R8;
  argument.dblVal = value;
  return CallDirect(*this, dispId, {&argument, 1});
}
