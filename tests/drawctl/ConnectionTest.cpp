// Connect and Disconnect against a recording control.
#include "drawctl/DrawingControlClass.h"

#include "platform/container/ContainerWindow.h"
#include "platform/container/MessagePresenter.h"
#include "platform/container/OleContainer.h"
#include "platform/ole/ComRuntime.h"
#include "tests/support/controls/RecordingControl.h"
#include "tests/support/controls/ScopedControlFactory.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

constexpr std::int16_t kSlot = 3;
constexpr const char* kNotFound = "MetaDraw control not found! Check your MetaDraw installation";

class ConnectionTest : public testing::Test {
protected:
  void SetUp() override {
    window.AddSlot(kSlot);
    DrawingListQueue.Free();
    DrawingListQueue.Add();
  }
  void TearDown() override { DrawingListQueue.Free(); }

  void Offer(ole::ComPtr<testsupport::RecordingControl> offered) {
    factory.emplace(DrawingControlClass::kProgId, ole::ComPtr<ole::IUnknown>(offered->Unknown()));
  }

  container::RecordingMessagePresenter boxes;
  container::ScopedMessagePresenter presenter{boxes};
  std::optional<testsupport::ScopedControlFactory> factory;
  container::ContainerWindow window;
  DrawingControlClass wrapper;
};

TEST_F(ConnectionTest, ConnectCreatesTheControlSwitchesReportsOnAndEmptiesTheDrawingList) {
  auto control = testsupport::RecordingControl::Create();
  Offer(control);
  const int initialisedBefore = ole::CoInitializeCount();

  wrapper.Connect(&window, kSlot);

  EXPECT_EQ(wrapper.W, &window);
  EXPECT_EQ(wrapper.COLE, kSlot);
  const container::ControlSlot& slot = *window.Slot(kSlot);
  EXPECT_EQ(slot.Control(), control->Unknown());
  EXPECT_TRUE(slot.ReportsExceptions());
  // Connect's own initialisation and the slot's for its control.
  EXPECT_EQ(ole::CoInitializeCount(), initialisedBefore + 2);
  EXPECT_EQ(DrawingListQueue.Records(), 0u);
  EXPECT_TRUE(boxes.shown.empty());
  // A container window without a client area gives no device context to
  // measure.
  EXPECT_EQ(wrapper.TWIPSPERPIXELX, 0);
  EXPECT_EQ(wrapper.TWIPSPERPIXELY, 0);
  EXPECT_TRUE(control->Calls().empty()) << "the connection goes through container properties only";

  wrapper.Disconnect();
  EXPECT_EQ(ole::CoInitializeCount(), initialisedBefore);
}

TEST_F(ConnectionTest, ConnectWithoutAControlShowsOneErrorBoxAndMeasuresNothing) {
  struct Case {
    const char* what;
    std::function<void()> arrange;
  };
  const Case cases[] = {
      {"nothing registered", [] {}},
      {"a control without automation", [this] { Offer(testsupport::RecordingControl::Create(false)); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.arrange();
    boxes.shown.clear();
    wrapper.TWIPSPERPIXELX = 7;
    wrapper.TWIPSPERPIXELY = 8;

    wrapper.Connect(&window, kSlot);

    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].caption, "Error");
    EXPECT_EQ(boxes.shown[0].text, kNotFound);
    EXPECT_EQ(wrapper.W, &window);
    EXPECT_EQ(wrapper.COLE, kSlot);
    EXPECT_EQ(wrapper.TWIPSPERPIXELX, 7);
    EXPECT_EQ(wrapper.TWIPSPERPIXELY, 8);
    EXPECT_EQ(DrawingListQueue.Records(), 1u);
    wrapper.Disconnect();
  }
}

TEST_F(ConnectionTest, DisconnectGivesBackTheRuntimeBeforeItReleasesAndDeactivatesTheControl) {
  const int initialisedBefore = ole::CoInitializeCount();
  int initialisedWhenTheControlWent = -1;
  {
    auto control = testsupport::RecordingControl::Create();
    control->OnDestroyed([&] { initialisedWhenTheControlWent = ole::CoInitializeCount(); });
    Offer(control);
    wrapper.Connect(&window, kSlot);
    factory.reset();
  }
  const std::string reference = container::GetMember(&window, kSlot, "31989");
  ASSERT_NE(container::ObjectFromReference(reference), nullptr);

  wrapper.Disconnect();

  EXPECT_EQ(container::ObjectFromReference(reference), nullptr) << "the reference is released";
  EXPECT_EQ(window.Slot(kSlot)->Control(), nullptr) << "the slot is deactivated";
  // The control went while only the slot's own initialisation was left.
  EXPECT_EQ(initialisedWhenTheControlWent, initialisedBefore + 1);
  EXPECT_EQ(ole::CoInitializeCount(), initialisedBefore);
  EXPECT_EQ(wrapper.W, &window) << "the slot stays named";
  EXPECT_EQ(wrapper.COLE, kSlot);
}

TEST(DrawingControlInstance, StartsWithTheDeclaredValues) {
  const DrawingControlClass& fresh = DrawingControl;
  EXPECT_EQ(fresh.W, nullptr);
  EXPECT_EQ(fresh.COLE, 0);
  EXPECT_EQ(fresh.MDBCOMMAND, nullptr);
  for (const std::int32_t field :
       {fresh.PICLEFT, fresh.PICTOP, fresh.PICWIDTH, fresh.PICHEIGHT, fresh.ORIGWIDTH, fresh.ORIGHEIGHT, fresh.PICXSIZE,
        fresh.PICYSIZE, fresh.CLIENTWIDTH, fresh.CLIENTHEIGHT, fresh.HDC, fresh.YUP, fresh.USEDRAWQUEUE,
        fresh.ARROWHEADFILLCOLOR, fresh.TWIPSPERPIXELX, fresh.TWIPSPERPIXELY}) {
    EXPECT_EQ(field, 0);
  }
  for (const std::uint8_t field :
       {fresh.AUTOSCALE, fresh.SCROLLBARS, fresh.EDITMODE, fresh.SCALEUNITS, fresh.FILLARROWHEAD}) {
    EXPECT_EQ(field, 0);
  }
  EXPECT_EQ((std::vector<double>{fresh.DRAWINGWIDTHINCH, fresh.DRAWINGHEIGHTINCH, fresh.ZOOMFACTOR, fresh.DRAWINGLEFT,
                                 fresh.DRAWINGTOP, fresh.DRAWINGRIGHT, fresh.DRAWINGBOTTOM, fresh.X1, fresh.Y1,
                                 fresh.X2, fresh.Y2, fresh.SCALING, fresh.DEFAULTLINKLENGTH, fresh.DEFAULTLINKWIDTH,
                                 fresh.DLLINEVERTOFFSET}),
            (std::vector<double>{1.0, 1.0, 0.0, 65535.0, 65535.0, -1000.0, -1000.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.2, 0.15,
                                 0.0}));
  EXPECT_EQ(fresh.FITHORIZ, 1);
  EXPECT_EQ(fresh.FITVERT, 1);
  EXPECT_EQ(fresh.PATTERNFILE, std::string(128, ' '));
}

} // namespace
