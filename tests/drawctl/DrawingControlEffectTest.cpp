// The wrapper on the real drawing control, loaded through the component
// registry beside the executable as the program loads it, in a real
// platform window.
#include "drawctl/DrawingControlClass.h"

#include "platform/container/MessagePresenter.h"
#include "platform/container/OleContainer.h"
#include "platform/ole/ClassRegistry.h"
#include "platform/ole/SafeArray.h"
#include "platform/ole/Variant.h"
#include "platform/window/ProgramFolders.h"
#include "platform/window/Window.h"
#include "platform/window/WindowDescription.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

namespace {

constexpr std::int16_t kSlot = 3;
constexpr std::uint8_t kWrite = 0;
constexpr std::uint8_t kRead = 1;

window::WindowDescription DemoWindow() {
  window::WindowDescription description;
  description.caption = "MetaDraw Control Demo";
  description.width = 319;
  description.height = 272;
  description.font = {"MS Sans Serif", 8, 400};
  description.controls = {window::OleControl(kSlot, {2, 4, 311, 236})};
  return description;
}

PointQueue PointsOf(std::initializer_list<PointRecord> points) {
  PointQueue queue;
  for (const PointRecord& point : points) {
    queue.Add(point);
  }
  return queue;
}

class RealControlTest : public testing::Test {
protected:
  static void SetUpTestSuite() { ASSERT_EQ(window::LoadInstalledComponents(), ole::S_OK); }

  void SetUp() override {
    window->Show(0);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window->Widget()));
  }

  void TearDown() override {
    wrapper.Disconnect();
    EXPECT_TRUE(boxes.shown.empty()) << boxes.shown.front().caption << ": " << boxes.shown.front().text;
  }

  void Connect() {
    wrapper.Connect(window.get(), kSlot);
    ASSERT_NE(window->Slot(kSlot)->Automation(), nullptr) << "the drawing control is installed";
  }

  // The current object's points, as the control hands them out read from
  // its point list member.
  std::vector<std::int32_t> PointsOfTheCurrentObject() {
    ole::IDispatch* control = container::ObjectFromReference(container::GetMember(window.get(), kSlot, "31989"));
    ole::DISPPARAMS none{nullptr, nullptr, 0, 0};
    ole::VariantHolder result;
    const ole::HRESULT status =
        control->Invoke(108, ole::IID_NULL, ole::LOCALE_US_ENGLISH, ole::DISPATCH_METHOD | ole::DISPATCH_PROPERTYGET,
                        &none, result.get(), nullptr, nullptr);
    std::vector<std::int32_t> values;
    if (ole::Failed(status) || result->vt != (ole::VT_ARRAY | ole::VT_I4)) {
      ADD_FAILURE() << "no point array: status " << status;
      return values;
    }
    std::int32_t lower = 0;
    std::int32_t upper = -1;
    ole::SafeArrayGetLBound(result->parray, 1, &lower);
    ole::SafeArrayGetUBound(result->parray, 1, &upper);
    for (std::int32_t index = lower; index <= upper; ++index) {
      std::int32_t value = 0;
      ole::SafeArrayGetElement(result->parray, &index, &value);
      values.push_back(value);
    }
    return values;
  }

  // How many objects the drawing holds: GetBounds over all objects counts
  // those it spans.
  std::int32_t ObjectCount() {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    return wrapper.GetBounds(left, top, right, bottom, 2);
  }

  container::RecordingMessagePresenter boxes;
  container::ScopedMessagePresenter presenter{boxes};
  std::unique_ptr<window::Window> window = std::make_unique<window::Window>(DemoWindow());
  DrawingControlClass wrapper;
};

TEST_F(RealControlTest, ConnectMeasuresTheTwipsPerPixelOfTheWindowsScreen) {
  Connect();
  const int dotsPerInch =
      qEnvironmentVariableIsSet("TEST_SCREEN_DPI") ? qEnvironmentVariableIntValue("TEST_SCREEN_DPI") : 96;
  EXPECT_EQ(wrapper.TWIPSPERPIXELX, 1440 / dotsPerInch);
  EXPECT_EQ(wrapper.TWIPSPERPIXELY, 1440 / dotsPerInch);
}

TEST_F(RealControlTest, SetPointsGivesThePolygonItsPoints) {
  Connect();
  wrapper.AddObject(9, 100, 100, 300, 300);
  PointQueue hexagon = PointsOf({{800, 550}, {850.9, 600.2}, {850, 700}, {800, 750}, {750, 700}, {750.5, 599.5}});
  wrapper.SetPoints(0, 6, hexagon, 0);

  EXPECT_EQ(PointsOfTheCurrentObject(),
            (std::vector<std::int32_t>{800, 550, 850, 600, 850, 700, 800, 750, 750, 700, 750, 599}));
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
  EXPECT_EQ(wrapper.GetBounds(left, top, right, bottom, 0), 1);
  EXPECT_EQ((std::vector<std::int32_t>{left, top, right, bottom}), (std::vector<std::int32_t>{750, 550, 850, 750}));

  // A count beyond the points present hands over the points present.
  PointQueue triangle = PointsOf({{10, 10}, {90, 10}, {50, 80}});
  wrapper.SetPoints(0, 10, triangle, 0);
  EXPECT_EQ(PointsOfTheCurrentObject(), (std::vector<std::int32_t>{10, 10, 90, 10, 50, 80}));
}

TEST_F(RealControlTest, ResetDrawingClearsTheDrawingAndResetsThePicture) {
  Connect();
  wrapper.AddRectangle(100, 100, 300, 300);
  wrapper.AddEllipse(400, 100, 600, 300);
  wrapper.PicLeft(-50, kWrite);
  wrapper.PicTop(20, kWrite);
  wrapper.EditMode(11, kWrite);
  wrapper.SetZoomFactor(2.0);
  ASSERT_EQ(ObjectCount(), 2);

  wrapper.ResetDrawing(800, 600, 400, 300);

  EXPECT_EQ(ObjectCount(), 0);
  EXPECT_EQ(wrapper.PicLeft(0, kRead), 0);
  EXPECT_EQ(wrapper.PicTop(0, kRead), 0);
  EXPECT_EQ(wrapper.PicWidth(0, kRead), 400);
  EXPECT_EQ(wrapper.PicHeight(0, kRead), 300);
  EXPECT_EQ(wrapper.OrigWidth(0, kRead), 800.0);
  EXPECT_EQ(wrapper.OrigHeight(0, kRead), 600.0);
  EXPECT_EQ(wrapper.ScrollBars(0, kRead), 1);
  EXPECT_EQ(wrapper.EditMode(0, kRead), 0);
  EXPECT_EQ(container::GetMember(window.get(), kSlot, "ZoomFactor"), "1");
  // The cache follows the control.
  EXPECT_EQ(wrapper.PICWIDTH, 400);
  EXPECT_EQ(wrapper.PICHEIGHT, 300);
  EXPECT_EQ(wrapper.ORIGWIDTH, 800);
  EXPECT_EQ(wrapper.ORIGHEIGHT, 600);
  EXPECT_EQ(wrapper.EDITMODE, 0);
  EXPECT_EQ(wrapper.ZOOMFACTOR, 1.0);
}

TEST_F(RealControlTest, SaveClippedPictureWritesAPngOfTheVisibleArea) {
  Connect();
  // A red page-filling rectangle, so that the middle of the view is red.
  wrapper.AddRectangle(0, 0, 1000, 1000);
  wrapper.FillColor(0x0000FF, kWrite);
  const QTemporaryDir folder;
  const QString file = folder.filePath("visible area.png");

  wrapper.SaveClippedPicture(file.toStdString() + "   ");

  const QImage saved(file, "PNG");
  ASSERT_FALSE(saved.isNull()) << "a PNG at " << file.toStdString();
  const QSize visible(static_cast<int>(wrapper.ClientWidth(1)), static_cast<int>(wrapper.ClientHeight(1)));
  EXPECT_NEAR(saved.width(), visible.width(), 1);
  EXPECT_NEAR(saved.height(), visible.height(), 1);
  EXPECT_EQ(saved.pixelColor(saved.width() / 2, saved.height() / 2), QColor(Qt::red));
  // The settings of the save stay with the control, and the cache shows them.
  EXPECT_EQ(wrapper.ScaleUnits(0, kRead), 1);
  EXPECT_EQ(wrapper.Current(0, kRead), 5);
  EXPECT_EQ(wrapper.SCALEUNITS, 1);
}

TEST_F(RealControlTest, GetBoundsHandsBackTheBoundsAndMoveObjectsMoves) {
  Connect();
  wrapper.AddRoundedRectangle(120, 150, 330, 410);
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
  EXPECT_EQ(wrapper.GetBounds(left, top, right, bottom, 0), 1);
  EXPECT_EQ((std::vector<std::int32_t>{left, top, right, bottom}), (std::vector<std::int32_t>{120, 150, 330, 410}));

  EXPECT_EQ(wrapper.MoveObjects(30, -50, 0), 1);
  EXPECT_EQ(wrapper.GetBounds(left, top, right, bottom, 0), 1);
  EXPECT_EQ((std::vector<std::int32_t>{left, top, right, bottom}), (std::vector<std::int32_t>{150, 100, 360, 360}));
}

TEST_F(RealControlTest, ConnectWithTheControlsLibraryMissingShowsOneErrorBoxAndMeasuresNothing) {
  // A registry that names a library that is not there.
  const QTemporaryDir folder;
  const std::string registry = folder.filePath("components.reg").toStdString();
  std::ofstream(registry) << DrawingControlClass::kProgId << "=libmetadraw_gone.so\n";
  ASSERT_EQ(ole::ClassRegistry::Instance().LoadRegistryFile(registry), ole::S_OK);
  DrawingListQueue.Free();
  DrawingListQueue.Add();
  wrapper.TWIPSPERPIXELX = 7;
  wrapper.TWIPSPERPIXELY = 8;

  wrapper.Connect(window.get(), kSlot);

  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, "Error");
  EXPECT_EQ(boxes.shown[0].text, "MetaDraw control not found! Check your MetaDraw installation");
  EXPECT_EQ(wrapper.TWIPSPERPIXELX, 7);
  EXPECT_EQ(wrapper.TWIPSPERPIXELY, 8);
  EXPECT_EQ(DrawingListQueue.Records(), 1u);
  // Later operations reach an empty slot: reads give 0, nothing is shown.
  wrapper.AddLine(1, 2, 3, 4);
  EXPECT_EQ(wrapper.FillColor(0, kRead), 0);
  boxes.shown.clear();

  DrawingListQueue.Free();
  ASSERT_EQ(window::LoadInstalledComponents(), ole::S_OK);
}

} // namespace
