#include "ControlDriver.h"

#include "canvas/DrawingFile.h"
#include "canvas/PictureFile.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace canvas {
namespace {

using namespace canvas::driver;

// A drawing with every kind of object and no attribute at its default.
Drawing EveryKindOfObject() {
  Drawing drawing;
  PictureSettings& picture = drawing.Picture();
  picture = {.picLeft = -10,
             .picTop = 20,
             .picWidth = 2000,
             .picHeight = 1500,
             .origWidth = 297,
             .origHeight = 210,
             .picXSize = 800,
             .picYSize = 600,
             .picXOfs = 12.5,
             .picYOfs = -3.25,
             .zoom = 1.5,
             .autoScale = false,
             .scrollBars = 1,
             .backColor = 0x102030,
             .backStyle = 0,
             .borderStyle = 0,
             .transparentBackground = true,
             .picBackColor = 0x405060,
             .picBorderColor = 0x708090,
             .gradientStyle = 3,
             .pageFillStyle = 4,
             .pageLineWidth = 2,
             .pageLineStyle = 1};
  const int kinds[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 22};
  for (int i = 0; i < 11; ++i) {
    const auto kind = static_cast<ObjectKind>(kinds[i]);
    DrawingObject object = MakeObject(kind, {0.1 + i * 100, 1e-7}, {i * 100 + 70.25, 300}, {0x010203 * i, i, i % 5},
                                      {0xFFFFFF - i, i % 8});
    if (kind == ObjectKind::Polyline) {
      object.points = {{730, 100}, {730, 400}, {765.5, 200}, {800, 400}, {800, 100}};
      FitBoxToPoints(object);
    }
    if (!IsPointKind(kind)) {
      object.rotation = -33.75;
    }
    object.text = {"Zeichen \"über\" ✓\t\\\n" + std::to_string(i), "DejaVu Sans", 9 + i, true, -450, 0x00AA00,
                   3, 2, 1};
    object.link = {2, 40 + i, 25, 1};
    object.tag = "tag " + std::to_string(i);
    object.tags = {{"x", "a sample"}, {"colour", ""}};
    object.hotSpot = 15;
    object.move = 14;
    object.highlight = false;
    object.selected = i % 2 == 0;
    object.status = -7 * i;
    drawing.Add(object);
  }
  return drawing;
}

TEST(DrawingFileTest, EveryObjectAndAttributeLoadsBackExactly) {
  const Drawing drawing = EveryKindOfObject();
  const QByteArray file = SerializeDrawing(drawing);
  std::string error;
  const std::optional<Drawing> loaded = ParseDrawing(file, error);
  ASSERT_TRUE(loaded) << error;
  EXPECT_TRUE(*loaded == drawing);
  EXPECT_EQ(SerializeDrawing(*loaded), file);
}

TEST(DrawingFileTest, ObjectsAtTheirDefaultsMakeShortEntries) {
  Drawing drawing;
  drawing.Add(MakeObject(ObjectKind::Rectangle, {0, 0}, {10, 10}, {}, {}));
  const QByteArray file = SerializeDrawing(drawing);
  EXPECT_TRUE(file.contains(R"({"kind":2,"box":[0,0,10,10],"line":[0,1,0],"fill":[16777215,0]})")) << file.data();
}

struct MalformedCase {
  const char* what;
  QByteArray content;
  const char* reason;
};

QByteArray WithObject(const char* object) {
  return QByteArray(R"({"format":"MetaDraw drawing","version":1,"picture":{},"objects":[)") + object + "]}";
}

std::vector<MalformedCase> MalformedFiles() {
  const QByteArray good = SerializeDrawing(EveryKindOfObject());
  return {
      {"empty", "", "not a drawing file"},
      {"truncated", good.left(good.size() / 2), "not a drawing file"},
      {"another format", "\x89PNG\r\n\x1a\n", "not a drawing file"},
      {"other JSON", R"({"format":"something else","version":1})", "not a drawing file"},
      {"a later version", R"({"format":"MetaDraw drawing","version":2,"picture":{},"objects":[]})", "version 2"},
      {"no objects", R"({"format":"MetaDraw drawing","version":1,"picture":{}})", "\"objects\" is missing"},
      {"unknown kind", WithObject(R"({"kind":11,"box":[0,0,1,1],"line":[0,1,0],"fill":[0,0]})"), "no object kind 11"},
      {"colour out of range", WithObject(R"({"kind":2,"box":[0,0,1,1],"line":[16777216,1,0],"fill":[0,0]})"),
       "must lie between 0 and 16777215"},
      {"text for a number", WithObject(R"({"kind":2,"box":[0,"a",1,1],"line":[0,1,0],"fill":[0,0]})"),
       "must be a number"},
      {"inside-out box", WithObject(R"({"kind":2,"box":[5,0,1,1],"line":[0,1,0],"fill":[0,0]})"), "top-left"},
      {"far away", WithObject(R"({"kind":2,"box":[0,0,1e300,1],"line":[0,1,0],"fill":[0,0]})"), "must lie between"},
      {"odd points", WithObject(R"({"kind":8,"points":[0,0,1],"line":[0,1,0],"fill":[0,0]})"), "pairs"},
      {"two-point polygon", WithObject(R"({"kind":9,"points":[0,0,1,1],"line":[0,1,0],"fill":[0,0]})"),
       "at least 3 points"},
      {"fractional style", WithObject(R"({"kind":2,"box":[0,0,1,1],"line":[0,1,0.5],"fill":[0,0]})"),
       "whole number"},
      {"unnamed tag", WithObject(R"({"kind":2,"box":[0,0,1,1],"line":[0,1,0],"fill":[0,0],"tags":[["","v"]]})"),
       "name"},
      {"bad picture", R"({"format":"MetaDraw drawing","version":1,"picture":{"zoom":0},"objects":[]})", "zoom"},
  };
}

TEST(DrawingFileTest, RefusesMalformedFilesSayingWhy) {
  for (const MalformedCase& malformed : MalformedFiles()) {
    std::string error;
    EXPECT_FALSE(ParseDrawing(malformed.content, error)) << malformed.what;
    EXPECT_NE(error.find(malformed.reason), std::string::npos) << malformed.what << ": " << error;
  }
}

class PictureFileTest : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.isValid());
    control_.Add(2, 100, 100, 170, 400);
    control_.Set("FillColor", 0x0000FF);
    control_.Add(10, 5, 5, 300, 55);
    control_.Set("Text", "Click to paint");
  }

  std::string PathOf(const char* name) const { return folder_.filePath(name).toStdString(); }

  CallResult Save(const char* name, std::int32_t type, std::int32_t what = 0) {
    return control_.Call("SavePicture", {Str(PathOf(name)), I4(what), I4(type)});
  }

  QTemporaryDir folder_;
  ControlDriver control_;
};

TEST_F(PictureFileTest, SavesAndLoadsTheDrawing) {
  ASSERT_EQ(Save("drawing.mdd", 0).status, ole::S_OK);
  const Drawing saved = control_.Control().GetDrawing();
  control_.Call("Clear");
  control_.Set("PicWidth", 300);
  CallResult loaded = control_.Get("LoadPicture", {Str(PathOf("drawing.mdd")), I4(0), I4(0)});
  ASSERT_EQ(loaded.status, ole::S_OK) << loaded.description;
  EXPECT_EQ(loaded.Long(), 1);
  EXPECT_TRUE(control_.Control().GetDrawing() == saved);
  EXPECT_EQ(control_.Long("ObjNumber"), 0) << "a replaced drawing has no current object";

  control_.Set("PicWidth", 300);
  ASSERT_EQ(control_.Get("LoadPicture", {Str(PathOf("drawing.mdd")), I4(1), Omitted()}).status, ole::S_OK);
  EXPECT_EQ(control_.Control().GetDrawing().Count(), 4) << "merged on top";
  EXPECT_EQ(control_.Long("PicWidth"), 300) << "a merge keeps the picture settings";
  ASSERT_EQ(control_.Get("LoadPicture", {Str(PathOf("drawing.mdd")), I4(0), I4(1)}).status, ole::S_OK);
  EXPECT_EQ(control_.Control().GetDrawing().Count(), 2);
  EXPECT_EQ(control_.Long("PicWidth"), 300) << "settings 1 keeps the control's";

  control_.Set("ObjNumber", 1);
  control_.Set("ObjSelected", 1);
  ASSERT_EQ(Save("selection.mdd", 0, 1).status, ole::S_OK);
  control_.Get("LoadPicture", {Str(PathOf("selection.mdd"))});
  EXPECT_EQ(control_.Control().GetDrawing().Count(), 1) << "only the selected objects were saved";
}

TEST_F(PictureFileTest, AFileThatCannotBeReadLeavesTheDrawingAsItWas) {
  std::vector<MalformedCase> files = MalformedFiles();
  files.push_back({"missing", {}, "Cannot read"});
  const Drawing before = control_.Control().GetDrawing();
  for (const MalformedCase& malformed : files) {
    const QString path = folder_.filePath(QString("bad-") + malformed.what);
    if (std::string(malformed.what) != "missing") {
      QFile file(path);
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
      file.write(malformed.content);
    }
    const CallResult result = control_.Get("LoadPicture", {Str(path.toStdString()), I4(0), I4(0)});
    EXPECT_EQ(result.status, ole::DISP_E_EXCEPTION) << malformed.what;
    EXPECT_NE(result.description.find(malformed.reason), std::string::npos) << result.description;
    EXPECT_TRUE(control_.Control().GetDrawing() == before) << malformed.what;
  }
  EXPECT_EQ(control_.Long("ObjNumber"), 2);
}

TEST_F(PictureFileTest, TakesAFileNameMadeOfDigits) {
  const QString previous = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(folder_.path()));
  const CallResult saved = control_.Call("SavePicture", {I4(12345), I4(0), I4(0)});
  control_.Call("Clear");
  const CallResult loaded = control_.Get("LoadPicture", {I4(12345), I4(0), I4(0)});
  QDir::setCurrent(previous);
  EXPECT_EQ(saved.status, ole::S_OK) << saved.description;
  EXPECT_EQ(loaded.status, ole::S_OK) << loaded.description;
  EXPECT_EQ(control_.Control().GetDrawing().Count(), 2);
}

TEST_F(PictureFileTest, ExportsEveryFormat) {
  control_.Set("PictureType", 14);
  ASSERT_EQ(control_.Call("SavePicture", {Str(PathOf("default.png"))}).status, ole::S_OK)
      << "type and what default to PictureType and 0";
  const std::pair<const char*, std::int32_t> exports[] = {
      {"picture.bmp", 1}, {"picture.jpg", 2}, {"picture.svg", 3}, {"picture.pdf", 4}, {"picture.png", 14}};
  for (const auto& [name, type] : exports) {
    const CallResult result = Save(name, type);
    ASSERT_EQ(result.status, ole::S_OK) << name << ": " << result.description;
  }
  for (const char* name : {"default.png", "picture.png", "picture.bmp", "picture.jpg"}) {
    const QImage image(QString::fromStdString(PathOf(name)));
    ASSERT_EQ(image.size(), QSize(1000, 1000)) << name;
    const QColor inside = image.pixelColor(135, 250);
    EXPECT_GT(inside.red(), 240) << name;
    EXPECT_LT(inside.blue(), 20) << name;
    EXPECT_GT(image.pixelColor(500, 500).lightness(), 240) << name;
  }
  QSvgRenderer svg(QString::fromStdString(PathOf("picture.svg")));
  ASSERT_TRUE(svg.isValid());
  QImage rendered(1000, 1000, QImage::Format_ARGB32);
  rendered.fill(Qt::transparent);
  QPainter painter(&rendered);
  svg.render(&painter);
  painter.end();
  EXPECT_EQ(rendered.pixelColor(135, 250), QColor(Qt::red));
  QFile pdf(QString::fromStdString(PathOf("picture.pdf")));
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.read(5) == "%PDF-");
  EXPECT_EQ(Save("picture.gif", 7).status, ole::DISP_E_EXCEPTION);
}

TEST_F(PictureFileTest, TheClippedSaveWritesTheVisibleAreaAsOnScreen) {
  control_.Control().SetClientSize(QSize(500, 400));
  control_.Set("PictureType", 14);
  control_.Set("ExportOptions", 9);
  control_.Put("ClipLeft", Str("50"));
  control_.Put("ClipTop", I4(100));
  control_.Put("ClipWidth", Str("1250"));
  control_.Put("ClipHeight", I4(1000));
  control_.Set("Current", 5);
  control_.Set("ScaleUnits", 1);
  ASSERT_EQ(control_.Call("SavePicture", {Str(PathOf("clipped.png")), I4(0), I4(14)}).status, ole::S_OK);
  const QImage image(QString::fromStdString(PathOf("clipped.png")));
  EXPECT_EQ(image.size(), QSize(500, 400)) << "the client area at 0.4 pixels a unit";
  EXPECT_EQ(image.pixelColor(30, 100), QColor(Qt::red)) << "(125, 350) lies at ((125 - 50) * 0.4, (350 - 100) * 0.4)";
}

TEST_F(PictureFileTest, AFailedSaveLeavesTheOldFileUntouched) {
  ASSERT_EQ(Save("keep.png", 14).status, ole::S_OK);
  QFile original(QString::fromStdString(PathOf("keep.png")));
  ASSERT_TRUE(original.open(QIODevice::ReadOnly));
  const QByteArray before = original.readAll();
  original.close();

  control_.Set("PicWidth", 100000000);
  const CallResult tooLarge = Save("keep.png", 14);
  EXPECT_EQ(tooLarge.status, ole::DISP_E_EXCEPTION);
  EXPECT_NE(tooLarge.description.find("at most"), std::string::npos) << tooLarge.description;

  std::string error;
  EXPECT_FALSE(WriteAtomically(
      QString::fromStdString(PathOf("keep.png")),
      [](QIODevice& device, std::string& problem) {
        device.write("half a picture");
        problem = "the writer gave up";
        return false;
      },
      error));
  EXPECT_NE(error.find("the writer gave up"), std::string::npos);

  ASSERT_TRUE(original.open(QIODevice::ReadOnly));
  EXPECT_EQ(original.readAll(), before);
  EXPECT_EQ(QDir(folder_.path()).entryList(QDir::Files), QStringList{"keep.png"}) << "no temporary file is left";
  EXPECT_EQ(control_.Call("SavePicture", {Str(PathOf("no/such/folder/x.mdd")), I4(0), I4(0)}).status,
            ole::DISP_E_EXCEPTION);
}

} // namespace
} // namespace canvas
