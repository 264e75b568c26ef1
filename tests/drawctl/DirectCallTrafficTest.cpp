// The picture-state cache and the calls made past the container, by
// dispatch identifier.
#include "WrapperFixture.h"

#include "platform/ole/HResult.h"

#include <limits>

namespace drawctltest {
namespace {

constexpr ole::VARTYPE kLongArray = ole::VT_ARRAY | ole::VT_I4;

TEST_F(WrapperTest, ReadPictureStateStoresEachPropertyInItsField) {
  const std::pair<const char*, const char*> answers[] = {
      {"ScaleUnits", "-1"},    {"PicLeft", "-20"},      {"PicTop", "2.9"},      {"PicWidth", "1000"},
      {"PicHeight", "800"},    {"OrigWidth", "1500.7"}, {"OrigHeight", "1200"}, {"ClientWidth", "640"},
      {"ClientHeight", "480"}, {"hDC", "17"},           {"AutoScale", "-1"},    {"ScrollBars", "258"},
      {"EditMode", "11"},      {"PicXSize", "210"},     {"PicYSize", "297.5"},
  };
  for (const auto& [member, text] : answers) {
    Answer(member, text);
  }
  wrapper.ZOOMFACTOR = 3.0;
  wrapper.ReadPictureState();

  EXPECT_EQ(Invocations(), PictureStateReads());
  EXPECT_EQ(wrapper.SCALEUNITS, 255) << "a BYTE keeps the low 8 bits";
  EXPECT_EQ(wrapper.PICLEFT, -20);
  EXPECT_EQ(wrapper.PICTOP, 2);
  EXPECT_EQ(wrapper.PICWIDTH, 1000);
  EXPECT_EQ(wrapper.PICHEIGHT, 800);
  EXPECT_EQ(wrapper.ORIGWIDTH, 1500);
  EXPECT_EQ(wrapper.ORIGHEIGHT, 1200);
  EXPECT_EQ(wrapper.CLIENTWIDTH, 640);
  EXPECT_EQ(wrapper.CLIENTHEIGHT, 480);
  EXPECT_EQ(wrapper.HDC, 17);
  EXPECT_EQ(wrapper.AUTOSCALE, 255);
  EXPECT_EQ(wrapper.SCROLLBARS, 2);
  EXPECT_EQ(wrapper.EDITMODE, 11);
  EXPECT_EQ(wrapper.PICXSIZE, 210);
  EXPECT_EQ(wrapper.PICYSIZE, 297);
  EXPECT_EQ(wrapper.ZOOMFACTOR, 3.0) << "not part of the read";
}

TEST_F(WrapperTest, WritePictureStateWritesTheSizesOnlyWhenPositive) {
  struct Case {
    std::int32_t xSize;
    std::int32_t ySize;
    Lines sizes;
  };
  const Case cases[] = {
      {0, -3, {}},
      {210, 297, {Written("PicXSize", 210), Written("PicYSize", 297)}},
      {1, 0, {Written("PicXSize", 1)}},
      {-1, 5, {Written("PicYSize", 5)}},
  };
  wrapper.PICLEFT = -1;
  wrapper.PICTOP = 2;
  wrapper.PICWIDTH = 3;
  wrapper.PICHEIGHT = 4;
  wrapper.ORIGWIDTH = 5;
  wrapper.ORIGHEIGHT = 6;
  wrapper.AUTOSCALE = 255;
  wrapper.SCROLLBARS = 1;
  wrapper.EDITMODE = 11;
  wrapper.SCALEUNITS = 2;
  wrapper.CLIENTWIDTH = 640;
  wrapper.HDC = 9;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.xSize) + " x " + std::to_string(c.ySize));
    wrapper.PICXSIZE = c.xSize;
    wrapper.PICYSIZE = c.ySize;
    control->ClearLog();
    wrapper.WritePictureState();
    EXPECT_EQ(Invocations(), Joined({{Written("PicLeft", -1), Written("PicTop", 2), Written("PicWidth", 3),
                                      Written("PicHeight", 4), Written("OrigWidth", 5), Written("OrigHeight", 6),
                                      Written("AutoScale", 255), Written("ScrollBars", 1), Written("EditMode", 11)},
                                     c.sizes,
                                     {Written("ScaleUnits", 2)}}));
  }
}

TEST_F(WrapperTest, ResetDrawingClearsWritesTheStateBackThenZoomsAndReReads) {
  wrapper.AUTOSCALE = 1;
  wrapper.SCALEUNITS = 3;
  wrapper.PICXSIZE = 210;
  wrapper.PICYSIZE = 297;
  wrapper.PICLEFT = 50;
  wrapper.EDITMODE = 11;
  wrapper.ResetDrawing(800, 600, 400, 300);

  ASSERT_EQ(control->Calls().back().Text(), Read("PicYSize"));
  EXPECT_EQ(Invocations(), Joined({{"Invoke Clear method ()", Written("PicLeft", 0), Written("PicTop", 0),
                                    Written("PicWidth", 400), Written("PicHeight", 300), Written("OrigWidth", 800),
                                    Written("OrigHeight", 600), Written("AutoScale", 1), Written("ScrollBars", 1),
                                    Written("EditMode", 0), Written("PicXSize", 210), Written("PicYSize", 297),
                                    Written("ScaleUnits", 3), "Invoke ZoomFactor method (R8 1)"},
                                   PictureStateReads()}));
  EXPECT_EQ(wrapper.ZOOMFACTOR, 1.0);
  // The re-read has the last word: the recording control answers what it
  // was given.
  EXPECT_EQ(wrapper.PICWIDTH, 400);
  EXPECT_EQ(wrapper.ORIGHEIGHT, 600);
  EXPECT_EQ(wrapper.SCROLLBARS, 1);
}

TEST_F(WrapperTest, SetZoomFactorCallsTheZoomMemberThenReReadsAndRemembersTheFactor) {
  control->FindMember("ZoomFactor")->FailsWith(ole::E_FAIL);
  wrapper.SetZoomFactor(2.5);
  EXPECT_EQ(Invocations(), Joined({{"Invoke ZoomFactor method (R8 2.5)"}, PictureStateReads()}));
  EXPECT_EQ(wrapper.ZOOMFACTOR, 2.5) << "whatever the control answered";
}

TEST_F(WrapperTest, InvokeByDispIdMakesOneMethodCallWithOneRealAndGivesBackItsStatus) {
  const ole::HRESULT statuses[] = {ole::S_OK, ole::DISP_E_BADPARAMCOUNT};
  for (const ole::HRESULT status : statuses) {
    SCOPED_TRACE(status);
    control->FindMember("ZoomFactor")->FailsWith(status);
    control->ClearLog();
    std::uint32_t referencesDuringTheCall = 0;
    control->FindMember("ZoomFactor")->OnInvoke([&] { referencesDuringTheCall = capture->ReferenceCount(); });
    const std::uint32_t referencesBefore = capture->ReferenceCount();

    EXPECT_EQ(wrapper.InvokeByDispId(179, -0.5), status);

    ASSERT_EQ(control->Calls().size(), 1u) << "no name is looked up";
    const testsupport::RecordedCall& call = control->Calls().front();
    EXPECT_EQ(call.member, 179);
    EXPECT_EQ(call.flags, ole::DISPATCH_METHOD);
    EXPECT_EQ(call.locale, ole::LOCALE_US_ENGLISH);
    EXPECT_EQ(call.Text(), "Invoke ZoomFactor method (R8 -0.5)") << "one positional argument, none named";
    EXPECT_FALSE(call.wantsResult);
    EXPECT_EQ(referencesDuringTheCall, referencesBefore + 1);
    EXPECT_EQ(capture->ReferenceCount(), referencesBefore);
  }
  EXPECT_EQ(wrapper.InvokeByDispId(4242, 1.0), ole::DISP_E_MEMBERNOTFOUND);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(WrapperTest, DirectCallsWithoutALiveControlCallNothing) {
  PointQueue points;
  points.Add({1, 2});
  const auto callEverything = [&] {
    control->ClearLog();
    EXPECT_EQ(wrapper.InvokeByDispId(179, 1.0), ole::E_POINTER);
    EXPECT_EQ(wrapper.PicXSize(1.0, 0), static_cast<double>(ole::E_POINTER));
    wrapper.SetPoints(0, 1, points, 0);
    EXPECT_TRUE(control->Calls().empty());
  };
  // The slot's control gone: the reference text it gave out names nothing.
  window.Slot(kSlot)->Deactivate();
  callEverything();
  // A window without the slot, and no window at all.
  wrapper.COLE = 9;
  callEverything();
  wrapper.W = nullptr;
  callEverything();
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(WrapperTest, SetPointsSendsTheFirstCountPointsAsOneArrayOfLongs) {
  struct Case {
    const char* what;
    std::int32_t count;
    std::vector<PointRecord> points;
    // The count the control receives and the array's values; none for a
    // null array.
    std::int32_t sentCount;
    std::vector<std::int32_t> values;
  };
  const std::vector<PointRecord> five = {{730, 100}, {730, 400}, {765, 200}, {800, 400}, {800, 100}};
  const double huge = 1e12;
  const Case cases[] = {
      {"all five", 5, five, 5, {730, 100, 730, 400, 765, 200, 800, 400, 800, 100}},
      {"the first two", 2, five, 2, {730, 100, 730, 400}},
      {"cut toward zero", 1, {{730.9, -100.9}}, 1, {730, -100}},
      {"beyond the LONG range",
       2,
       {{huge, -huge}, {std::numeric_limits<double>::quiet_NaN(), 0.5}},
       2,
       {std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::min(), 0, 0}},
      {"more than there are", 9, {{1, 2}, {3, 4}, {5, 6}}, 3, {1, 2, 3, 4, 5, 6}},
      {"none", 0, five, 0, {}},
      {"fewer than none", -4, five, 0, {}},
      {"from an empty list", 6, {}, 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PointQueue points;
    for (const PointRecord& point : c.points) {
      points.Add(point);
    }
    points.Get(1);
    control->ClearLog();
    capture->arrays.clear();

    wrapper.SetPoints(7, c.count, points, -3);

    ASSERT_EQ(control->Calls().size(), 1u);
    const testsupport::RecordedCall& call = control->Calls().front();
    EXPECT_EQ(call.member, 108);
    EXPECT_EQ(call.flags, ole::DISPATCH_METHOD);
    EXPECT_EQ(call.locale, ole::LOCALE_US_ENGLISH);
    ASSERT_EQ(call.arguments.size(), 4u);
    EXPECT_EQ(call.arguments[0].Text(), "I4 7");
    EXPECT_EQ(call.arguments[1].Text(), "I4 " + std::to_string(c.sentCount));
    EXPECT_EQ(call.arguments[2].type, kLongArray);
    EXPECT_EQ(call.arguments[3].Text(), "I2 -3");
    ASSERT_EQ(capture->arrays.size(), 1u);
    const ReceivedArray& array = capture->arrays.front();
    if (c.values.empty()) {
      EXPECT_TRUE(array.null) << "an array of no elements cannot be built";
    } else {
      EXPECT_EQ(array.dimensions, 1u);
      EXPECT_EQ(array.lowerBound, 1);
      EXPECT_EQ(array.upperBound, static_cast<std::int32_t>(c.values.size()));
      EXPECT_EQ(array.values, c.values);
    }
    EXPECT_EQ(points.Pointer(), points.Records()) << "the list ends on its last entry";
  }
}

} // namespace
} // namespace drawctltest
