// What the property accessors send to the control, and what they make of
// the answers.
#include "WrapperFixture.h"

#include "platform/ole/HResult.h"

namespace drawctltest {
namespace {

using LongAccessor = std::int32_t (DrawingControlClass::*)(std::int32_t, std::uint8_t);
using RealAccessor = double (DrawingControlClass::*)(double, std::uint8_t);

TEST_F(WrapperTest, LongAccessorsWriteAndReadTheirOwnPropertyByName) {
  const std::pair<const char*, LongAccessor> accessors[] = {
      {"BackColor", &DrawingControlClass::BackColor},
      {"FillColor", &DrawingControlClass::FillColor},
      {"FillStyle", &DrawingControlClass::FillStyle},
      {"FontBold", &DrawingControlClass::FontBold},
      {"FontSize", &DrawingControlClass::FontSize},
      {"FontOrient", &DrawingControlClass::FontOrient},
      {"LineColor", &DrawingControlClass::LineColor},
      {"LineWidth", &DrawingControlClass::LineWidth},
      {"TextColor", &DrawingControlClass::TextColor},
      {"PicLeft", &DrawingControlClass::PicLeft},
      {"PicTop", &DrawingControlClass::PicTop},
      {"PicWidth", &DrawingControlClass::PicWidth},
      {"PicHeight", &DrawingControlClass::PicHeight},
      {"ScaleUnits", &DrawingControlClass::ScaleUnits},
      {"LinkLabel", &DrawingControlClass::LinkLabel},
      {"ExportOptions", &DrawingControlClass::ExportOptions},
      {"Current", &DrawingControlClass::Current},
      {"EditFlags", &DrawingControlClass::EditFlags},
      {"EditMode", &DrawingControlClass::EditMode},
      {"EventMask", &DrawingControlClass::EventMask},
      {"ObjSelected", &DrawingControlClass::ObjSelected},
      {"ObjStatus", &DrawingControlClass::ObjStatus},
      {"ObjHotSpot", &DrawingControlClass::ObjHotSpot},
      {"ObjMove", &DrawingControlClass::ObjMove},
      {"ObjNumber", &DrawingControlClass::ObjNumber},
      {"ObjVisible", &DrawingControlClass::ObjVisible},
      {"ObjLeft", &DrawingControlClass::ObjLeft},
      {"ObjTop", &DrawingControlClass::ObjTop},
      {"ObjRight", &DrawingControlClass::ObjRight},
      {"ObjBottom", &DrawingControlClass::ObjBottom},
      {"ScrollBars", &DrawingControlClass::ScrollBars},
      {"BorderStyle", &DrawingControlClass::BorderStyle},
      {"HotSpots", &DrawingControlClass::HotSpots},
      {"TextHAlign", &DrawingControlClass::TextHAlign},
      {"TextVAlign", &DrawingControlClass::TextVAlign},
      {"TextStyle", &DrawingControlClass::TextStyle},
      {"Redraw", &DrawingControlClass::Redraw},
      {"PicBackColor", &DrawingControlClass::PicBackColor},
      {"PicBorderColor", &DrawingControlClass::PicBorderColor},
      {"TransparentBackground", &DrawingControlClass::TransparentBackground},
      {"BackStyle", &DrawingControlClass::BackStyle},
  };
  for (const auto& [property, accessor] : accessors) {
    SCOPED_TRACE(property);
    control->ClearLog();
    EXPECT_EQ((wrapper.*accessor)(-7, 0), 0);
    // Any flag but 0 reads, and the value is ignored.
    EXPECT_EQ((wrapper.*accessor)(99, 1), -7);
    EXPECT_EQ((wrapper.*accessor)(99, 255), -7);
    EXPECT_EQ(Invocations(), (Lines{Written(property, -7), Read(property), Read(property)}));
  }
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(WrapperTest, ALongReadCutsTheControlsNumberTowardZero) {
  const std::pair<const char*, std::int32_t> answers[] = {
      {"12.7", 12}, {"-12.7", -12}, {"16777215", 16777215}, {"", 0}, {"GetPropertyFailed", 0}};
  for (const auto& [text, expected] : answers) {
    Answer("FillColor", text);
    EXPECT_EQ(wrapper.FillColor(0, 1), expected) << '"' << text << '"';
  }
}

TEST_F(WrapperTest, RealAccessorsReadByNameAndWriteThroughTheirIdentifierAsAMethod) {
  struct Case {
    const char* property;
    ole::DISPID id;
    RealAccessor accessor;
  };
  const Case cases[] = {
      {"PicXSize", 9, &DrawingControlClass::PicXSize},    {"PicYSize", 10, &DrawingControlClass::PicYSize},
      {"PicXOfs", 7, &DrawingControlClass::PicXOfs},      {"PicYOfs", 8, &DrawingControlClass::PicYOfs},
      {"OrigWidth", 15, &DrawingControlClass::OrigWidth}, {"OrigHeight", 16, &DrawingControlClass::OrigHeight},
  };
  for (const auto& [property, id, accessor] : cases) {
    SCOPED_TRACE(property);
    control->ClearLog();
    EXPECT_EQ((wrapper.*accessor)(2.5, 0), 0.0);
    // No name is looked up for the write: it is the only call logged.
    ASSERT_EQ(control->Calls().size(), 1u);
    const testsupport::RecordedCall& write = control->Calls().front();
    EXPECT_EQ(write.Text(), "Invoke " + std::string(property) + " method (R8 2.5)");
    EXPECT_EQ(write.member, id);
    EXPECT_EQ(write.locale, ole::LOCALE_US_ENGLISH);
    EXPECT_FALSE(write.wantsResult);

    Answer(property, "0.25");
    control->ClearLog();
    EXPECT_EQ((wrapper.*accessor)(99.0, 1), 0.25);
    EXPECT_EQ(Invocations(), Lines{Read(property)});
  }
}

TEST_F(WrapperTest, ARealWriteGivesTheControlsFailureCodeAndShowsNothing) {
  control->FindMember("PicXSize")->FailsWith(ole::DISP_E_TYPEMISMATCH);
  control->FindMember("OrigHeight")->Raises("not now");
  EXPECT_EQ(wrapper.PicXSize(2.5, 0), static_cast<double>(ole::DISP_E_TYPEMISMATCH));
  EXPECT_EQ(wrapper.OrigHeight(2.5, 0), static_cast<double>(ole::DISP_E_EXCEPTION));
  EXPECT_LT(wrapper.PicXSize(2.5, 0), 0.0);
  EXPECT_TRUE(boxes.shown.empty()) << "reports are on, but direct calls report nothing";
}

TEST_F(WrapperTest, TextAccessorsWriteWithoutTrailingBlanksAndReadAsEachOneShould) {
  struct Case {
    const char* what;
    std::function<std::string(DrawingControlClass&, std::string_view, std::uint8_t)> access;
    const char* member;
    const char* written;
    const char* expectedWrite;
    // The control's text and what the read gives back.
    const char* answer;
    const char* expectedRead;
  };
  const Case cases[] = {
      {"FontName", [](auto& w, auto value, auto get) { return w.FontName(value, get); }, "FontName", "Arial   ",
       R"(Invoke FontName put (BSTR "Arial") named(-3))", "Arial  ", "Arial  "},
      {"Text", [](auto& w, auto value, auto get) { return w.Text(value, get); }, "Text", "  Click to paint  ",
       R"(Invoke Text put (BSTR "  Click to paint") named(-3))", "  Click  ", "  Click"},
      {"TextTrimmed", [](auto& w, auto value, auto get) { return w.TextTrimmed(value, get); }, "Text",
       "  Click to paint  ", R"(Invoke Text put (BSTR "  Click to paint") named(-3))", "  Click  ", "  Click"},
      {"ObjTag", [](auto& w, auto value, auto get) { return w.ObjTag(value, get); }, "ObjTag", " a tag  ",
       R"(Invoke ObjTag put (BSTR " a tag") named(-3))", "a tag  ", "a tag  "},
      {"ObjTags", [](auto& w, auto value, auto get) { return w.ObjTags(value, "x  ", get); }, "ObjTags", "a polygon  ",
       R"(Invoke ObjTags put (BSTR "x", BSTR "a polygon") named(-3))", "a polygon  ", "a polygon  "},
      {"ObjTags with blanks before the tag", [](auto& w, auto value, auto get) { return w.ObjTags(value, " x", get); },
       "ObjTags", "a polygon", R"(Invoke ObjTags put (BSTR " x", BSTR "a polygon") named(-3))", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    control->ClearLog();
    EXPECT_EQ(c.access(wrapper, c.written, 0), "");
    EXPECT_EQ(Invocations(), Lines{c.expectedWrite});

    Answer(c.member, c.answer);
    EXPECT_EQ(c.access(wrapper, "ignored", 1), c.expectedRead);
  }
}

TEST_F(WrapperTest, WriteOnlyAccessorsNeverRead) {
  EXPECT_EQ(wrapper.AutoScale(1), 0);
  wrapper.Action(3);
  EXPECT_EQ(Invocations(), (Lines{Written("AutoScale", 1), Written("Action", 3)}));
}

TEST_F(WrapperTest, SetGradientWritesItsThreeValuesInOrder) {
  wrapper.SetGradient(255, 65280, 1);
  wrapper.Refresh();
  EXPECT_EQ(Invocations(), (Lines{Written("PicBackColor", 255), Written("PicBorderColor", 65280),
                                  Written("GradientStyle", 1), "Invoke Refresh method ()"}));
}

TEST_F(WrapperTest, AccessorsLeaveTheCachedPictureStateAlone) {
  wrapper.PICLEFT = 3;
  wrapper.PicLeft(50, 0);
  wrapper.PicWidth(0, 1);
  wrapper.PicXSize(9.0, 0);
  wrapper.ScaleUnits(2, 0);
  EXPECT_EQ(wrapper.PICLEFT, 3);
  EXPECT_EQ(wrapper.PICWIDTH, 0);
  EXPECT_EQ(wrapper.PICXSIZE, 0);
  EXPECT_EQ(wrapper.SCALEUNITS, 0);
}

} // namespace
} // namespace drawctltest
