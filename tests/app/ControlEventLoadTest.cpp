#include "MainWindowTestSupport.h"

#include "automation/EventMessageQueue.h"
#include "platform/ole/ComObject.h"
#include "platform/ole/EventSink.h"
#include "platform/ole/Variant.h"
#include "tests/support/controls/ScopedControlFactory.h"

#include <QCoreApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace apptest {
namespace {

// Stands in for the drawing control under its ProgID: it accepts every
// member, remembers the texts and hover flags the main window writes, and
// answers the object tag the test gives it.
class PaletteStandIn final : public ole::ComObject<PaletteStandIn, ole::IDispatch, ole::IEventSource> {
public:
  ole::HRESULT QueryInterface(const ole::IID& iid, void** object) override {
    if (iid == ole::IID_IUnknown || iid == ole::IID_IDispatch) {
      *object = static_cast<ole::IDispatch*>(this);
    } else if (iid == ole::IID_IEventSource) {
      *object = static_cast<ole::IEventSource*>(this);
    } else {
      *object = nullptr;
      return ole::E_NOINTERFACE;
    }
    AddRef();
    return ole::S_OK;
  }

  ole::HRESULT GetIDsOfNames(const ole::IID&, const ole::OLECHAR* const* names, std::uint32_t, ole::LCID,
                             ole::DISPID* ids) override {
    const auto [entry, added] = ids_.try_emplace(std::u16string(names[0]), static_cast<ole::DISPID>(ids_.size() + 1));
    ids[0] = entry->second;
    return ole::S_OK;
  }

  ole::HRESULT Invoke(ole::DISPID member, const ole::IID&, ole::LCID, std::uint16_t flags, ole::DISPPARAMS* params,
                      ole::VARIANT* result, ole::EXCEPINFO*, std::uint32_t*) override {
    if (flags == ole::DISPATCH_PROPERTYPUT && params->cArgs > 0) {
      std::string value;
      ole::VariantToText(params->rgvarg[0], value);
      if (member == Id(u"Text")) {
        texts.push_back(value);
      } else if (member == Id(u"ObjVisible")) {
        hoverFlags.push_back(value);
      }
    } else if (result != nullptr && member == Id(u"ObjTags")) {
      *result = ole::MakeText(tag);
    }
    return ole::S_OK;
  }

  ole::HRESULT Advise(ole::IEventSink* sink) override {
    sink_ = sink;
    return ole::S_OK;
  }

  void FireHotSpot(std::int32_t number, std::int32_t leftOrEntered) {
    ole::VARIANT arguments[] = {ole::MakeI4(leftOrEntered), ole::MakeI4(15), ole::MakeI4(number)};
    Fire(1, u"OnHotSpot", arguments, 3);
  }
  void FireMouseMove() {
    ole::VARIANT arguments[] = {ole::MakeI4(5), ole::MakeI4(5), ole::MakeI2(0), ole::MakeI2(0)};
    Fire(ole::DISPID_MOUSEMOVE, u"MouseMove", arguments, 4);
  }

  std::string tag;
  std::vector<std::string> texts;
  std::vector<std::string> hoverFlags;

private:
  void Fire(ole::DISPID event, const char16_t* name, ole::VARIANT* arguments, std::uint32_t count) {
    ole::DISPPARAMS params{arguments, nullptr, count, 0};
    if (sink_ != nullptr) {
      sink_->FireEvent(event, name, &params);
    }
  }
  ole::DISPID Id(const char16_t* name) const {
    const auto found = ids_.find(name);
    return found == ids_.end() ? ole::DISPID_UNKNOWN : found->second;
  }

  std::map<std::u16string, ole::DISPID> ids_;
  ole::IEventSink* sink_ = nullptr;
};

TEST(ControlEventLoad, EveryKeptEventIsHandledOnceInFiringOrder) {
  constexpr int kEvents = 100000;
  constexpr int kBurst = 1000;
  auto control = ole::ComPtr<PaletteStandIn>::Adopt(new PaletteStandIn);
  testsupport::ScopedControlFactory factory(DrawingControlClass::kProgId,
                                            ole::ComPtr<ole::IUnknown>(static_cast<ole::IDispatch*>(control.get())));
  MainWindowSession session;
  session.Run([&](MainWindowSession& s) {
    control->texts.clear();
    control->hoverFlags.clear();
    for (int i = 0; i < kEvents; ++i) {
      control->tag = "t" + std::to_string(i);
      control->FireHotSpot(i, i % 2);
      control->FireMouseMove();
      // The loop turns between bursts, so records are taken while others
      // are still being added.
      if (i % kBurst == kBurst - 1) {
        QCoreApplication::processEvents();
      }
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return EventMessageQueue.empty(); }, 120000));
    QCoreApplication::processEvents();
    EXPECT_TRUE(s.Boxes().empty());
  });

  ASSERT_EQ(control->texts.size(), static_cast<std::size_t>(kEvents));
  ASSERT_EQ(control->hoverFlags.size(), static_cast<std::size_t>(kEvents));
  int outOfOrder = 0;
  for (int i = 0; i < kEvents; ++i) {
    const bool inOrder = control->texts[i] == "Click to paint t" + std::to_string(i) &&
                         control->hoverFlags[i] == (i % 2 == 1 ? "0" : "1");
    outOfOrder += inOrder ? 0 : 1;
  }
  EXPECT_EQ(outOfOrder, 0);
  EXPECT_TRUE(EventMessageQueue.empty());
}

} // namespace
} // namespace apptest
