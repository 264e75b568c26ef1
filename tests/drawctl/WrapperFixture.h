#pragma once

#include "drawctl/DrawingControlClass.h"
#include "platform/container/ContainerWindow.h"
#include "platform/container/MessagePresenter.h"
#include "platform/container/OleContainer.h"
#include "platform/ole/ComObject.h"
#include "platform/ole/ComPtr.h"
#include "platform/ole/SafeArray.h"
#include "tests/support/controls/RecordingControl.h"
#include "tests/support/controls/ScopedControlFactory.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace drawctltest {

using Lines = std::vector<std::string>;

inline constexpr std::int16_t kSlot = 3;

// An array argument as the control received it, copied during the call
// (its owner destroys it right after).
struct ReceivedArray {
  ole::VARTYPE type = ole::VT_EMPTY;
  bool null = true;
  std::uint32_t dimensions = 0;
  std::int32_t lowerBound = 0;
  std::int32_t upperBound = 0;
  std::vector<std::int32_t> values;
};

// Passes every call on to a recording control and keeps a copy of each
// array argument, which the recorder itself cannot show.
class ArrayCapturingControl final : public ole::ComObject<ArrayCapturingControl, ole::IDispatch> {
public:
  static ole::ComPtr<ArrayCapturingControl> Create(ole::ComPtr<testsupport::RecordingControl> recorder) {
    return ole::ComPtr<ArrayCapturingControl>::Adopt(new ArrayCapturingControl(std::move(recorder)));
  }

  std::vector<ReceivedArray> arrays;

  ole::HRESULT QueryInterface(const ole::IID& iid, void** object) override {
    if (iid == ole::IID_IUnknown || iid == ole::IID_IDispatch) {
      AddRef();
      *object = static_cast<ole::IDispatch*>(this);
      return ole::S_OK;
    }
    *object = nullptr;
    return ole::E_NOINTERFACE;
  }
  ole::HRESULT GetIDsOfNames(const ole::IID& iid, const ole::OLECHAR* const* names, std::uint32_t nameCount,
                             ole::LCID locale, ole::DISPID* ids) override {
    return recorder_->GetIDsOfNames(iid, names, nameCount, locale, ids);
  }
  ole::HRESULT Invoke(ole::DISPID member, const ole::IID& iid, ole::LCID locale, std::uint16_t flags,
                      ole::DISPPARAMS* params, ole::VARIANT* result, ole::EXCEPINFO* exception,
                      std::uint32_t* argumentError) override {
    for (std::uint32_t i = 0; i < params->cArgs; ++i) {
      if ((params->rgvarg[i].vt & ole::VT_ARRAY) != 0) {
        arrays.push_back(Copy(params->rgvarg[i]));
      }
    }
    return recorder_->Invoke(member, iid, locale, flags, params, result, exception, argumentError);
  }

private:
  friend class ole::ComObject<ArrayCapturingControl, ole::IDispatch>;
  explicit ArrayCapturingControl(ole::ComPtr<testsupport::RecordingControl> recorder)
      : recorder_(std::move(recorder)) {}
  ~ArrayCapturingControl() override = default;

  static ReceivedArray Copy(const ole::VARIANT& argument) {
    ReceivedArray copy;
    copy.type = argument.vt;
    ole::SAFEARRAY* array = argument.parray;
    if (array == nullptr) {
      return copy;
    }
    copy.null = false;
    copy.dimensions = ole::SafeArrayGetDim(array);
    ole::SafeArrayGetLBound(array, 1, &copy.lowerBound);
    ole::SafeArrayGetUBound(array, 1, &copy.upperBound);
    for (std::int32_t index = copy.lowerBound; index <= copy.upperBound; ++index) {
      std::int32_t value = 0;
      ole::SafeArrayGetElement(array, &index, &value);
      copy.values.push_back(value);
    }
    return copy;
  }

  ole::ComPtr<testsupport::RecordingControl> recorder_;
};

// A wrapper connected to a recording control in slot 3 of a container
// window, knowing every member the wrapper names, with every message box
// recorded. The control's log starts empty after Connect.
class WrapperTest : public testing::Test {
protected:
  void SetUp() override {
    // The members the wrapper calls by identifier first: the others are
    // numbered after them.
    const std::pair<const char*, ole::DISPID> byIdentifier[] = {
        {"PicXOfs", 7},    {"PicYOfs", 8},     {"PicXSize", 9},    {"PicYSize", 10},
        {"OrigWidth", 15}, {"OrigHeight", 16}, {"PointList", 108}, {"ZoomFactor", 179},
    };
    for (const auto& [name, id] : byIdentifier) {
      control->AddMember(name, id);
    }
    for (const char* name : {"BackColor",
                             "FillColor",
                             "FillStyle",
                             "FontBold",
                             "FontSize",
                             "FontOrient",
                             "LineColor",
                             "LineWidth",
                             "TextColor",
                             "PicLeft",
                             "PicTop",
                             "PicWidth",
                             "PicHeight",
                             "ScaleUnits",
                             "LinkLabel",
                             "ExportOptions",
                             "Current",
                             "EditFlags",
                             "EditMode",
                             "EventMask",
                             "ObjSelected",
                             "ObjStatus",
                             "ObjHotSpot",
                             "ObjMove",
                             "ObjNumber",
                             "ObjVisible",
                             "ObjLeft",
                             "ObjTop",
                             "ObjRight",
                             "ObjBottom",
                             "ScrollBars",
                             "BorderStyle",
                             "HotSpots",
                             "TextHAlign",
                             "TextVAlign",
                             "TextStyle",
                             "Redraw",
                             "PicBackColor",
                             "PicBorderColor",
                             "TransparentBackground",
                             "BackStyle",
                             "FontName",
                             "Text",
                             "ObjTag",
                             "ObjTags",
                             "ObjTagCount",
                             "ObjType",
                             "AutoScale",
                             "Action",
                             "ClientWidth",
                             "ClientHeight",
                             "ClientToLogicX",
                             "ClientToLogicY",
                             "LogicToClientX",
                             "LogicToClientY",
                             "AddObject",
                             "LineStyle",
                             "LinkStyle",
                             "LinkLength",
                             "LinkWidth",
                             "ObjectsHitTest",
                             "MoveObjects",
                             "RotateObjects",
                             "GetBounds",
                             "SetBounds",
                             "GradientStyle",
                             "hDC",
                             "LoadPicture",
                             "SavePicture",
                             "PictureType",
                             "ClipLeft",
                             "ClipTop",
                             "ClipWidth",
                             "ClipHeight",
                             "Clear",
                             "Refresh"}) {
      control->AddMember(name);
    }
    factory.emplace(DrawingControlClass::kProgId, ole::ComPtr<ole::IUnknown>(capture.get()));
    window.AddSlot(kSlot);
    wrapper.Connect(&window, kSlot);
    ASSERT_NE(window.Slot(kSlot)->Automation(), nullptr);
    control->ClearLog();
  }

  void TearDown() override { wrapper.Disconnect(); }

  // Makes a member answer with a text from now on.
  void Answer(const char* member, std::string_view text) { control->FindMember(member)->Returns(ole::MakeText(text)); }

  // The invocations the control received, without the name look-ups.
  Lines Invocations() const {
    Lines lines;
    for (const auto& call : control->Calls()) {
      if (call.kind == testsupport::RecordedCall::Kind::Invoke) {
        lines.push_back(call.Text());
      }
    }
    return lines;
  }

  // What the control received for one read of a property.
  static std::string Read(const std::string& property) { return "Invoke " + property + " method|get () [result]"; }
  // ... and for one write of a whole number.
  static std::string Written(const std::string& property, std::int32_t value) {
    return "Invoke " + property + " put (I4 " + std::to_string(value) + ") named(-3)";
  }

  // The fifteen reads of the picture state, in their order.
  static Lines PictureStateReads() {
    Lines lines;
    for (const char* property :
         {"ScaleUnits", "PicLeft", "PicTop", "PicWidth", "PicHeight", "OrigWidth", "OrigHeight", "ClientWidth",
          "ClientHeight", "hDC", "AutoScale", "ScrollBars", "EditMode", "PicXSize", "PicYSize"}) {
      lines.push_back(Read(property));
    }
    return lines;
  }

  container::RecordingMessagePresenter boxes;
  container::ScopedMessagePresenter presenter{boxes};
  ole::ComPtr<testsupport::RecordingControl> control = testsupport::RecordingControl::Create();
  ole::ComPtr<ArrayCapturingControl> capture = ArrayCapturingControl::Create(control);
  std::optional<testsupport::ScopedControlFactory> factory;
  container::ContainerWindow window;
  DrawingControlClass wrapper;
};

// The lines one after the other.
inline Lines Joined(std::initializer_list<Lines> parts) {
  Lines joined;
  for (const Lines& part : parts) {
    joined.insert(joined.end(), part.begin(), part.end());
  }
  return joined;
}

} // namespace drawctltest
