#include "canvas/DrawingFile.h"

#include "canvas/AttributeRules.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace canvas {

namespace {

constexpr char kFormat[] = "MetaDraw drawing";

// Why a file is refused; thrown while reading and caught in ParseDrawing.
struct FileProblem {
  std::string text;
};

[[noreturn]] void Refuse(std::string text) { throw FileProblem{std::move(text)}; }

void Check(const std::string& problem, const std::string& where) {
  if (!problem.empty()) {
    Refuse(where + ": " + problem);
  }
}

QJsonArray Numbers(std::initializer_list<double> values) {
  QJsonArray array;
  for (const double value : values) {
    array.append(value);
  }
  return array;
}

QJsonValue Text(const std::string& text) { return QString::fromStdString(text); }

QJsonObject PictureJson(const PictureSettings& p) {
  return QJsonObject{{"left", p.picLeft},
                     {"top", p.picTop},
                     {"width", p.picWidth},
                     {"height", p.picHeight},
                     {"origWidth", p.origWidth},
                     {"origHeight", p.origHeight},
                     {"xSize", p.picXSize},
                     {"ySize", p.picYSize},
                     {"xOffset", p.picXOfs},
                     {"yOffset", p.picYOfs},
                     {"zoom", p.zoom},
                     {"autoScale", p.autoScale},
                     {"scrollBars", p.scrollBars},
                     {"backColor", p.backColor},
                     {"backStyle", p.backStyle},
                     {"borderStyle", p.borderStyle},
                     {"transparentBackground", p.transparentBackground},
                     {"picBackColor", p.picBackColor},
                     {"picBorderColor", p.picBorderColor},
                     {"gradientStyle", p.gradientStyle},
                     {"pageFillStyle", p.pageFillStyle},
                     {"pageLineWidth", p.pageLineWidth},
                     {"pageLineStyle", p.pageLineStyle}};
}

QJsonObject TextJson(const TextAttributes& t) {
  return QJsonObject{{"text", Text(t.text)},         {"font", Text(t.fontName)},
                     {"size", t.fontSize},           {"bold", t.bold},
                     {"orientation", t.orientation}, {"colour", t.colour},
                     {"style", t.style},             {"hAlign", t.horizontalAlignment},
                     {"vAlign", t.verticalAlignment}};
}

QJsonObject ObjectJson(const DrawingObject& o) {
  static const DrawingObject kDefaults;
  QJsonObject json{{"kind", static_cast<int>(o.kind)},
                   {"line", Numbers({double(o.line.colour), double(o.line.width), double(o.line.style)})},
                   {"fill", Numbers({double(o.fill.colour), double(o.fill.style)})}};
  if (IsPointKind(o.kind)) {
    QJsonArray points;
    for (const Point& p : o.points) {
      points.append(p.x);
      points.append(p.y);
    }
    json.insert("points", points);
  } else {
    json.insert("box", Numbers({o.box.left, o.box.top, o.box.right, o.box.bottom}));
  }
  if (o.rotation != kDefaults.rotation) {
    json.insert("rotation", o.rotation);
  }
  if (o.text != kDefaults.text) {
    json.insert("text", TextJson(o.text));
  }
  if (o.link != kDefaults.link) {
    json.insert("link", Numbers({double(o.link.style), double(o.link.length), double(o.link.width),
                                 double(o.link.label)}));
  }
  if (!o.tag.empty()) {
    json.insert("tag", Text(o.tag));
  }
  if (!o.tags.empty()) {
    QJsonArray tags;
    for (const NamedTag& tag : o.tags) {
      tags.append(QJsonArray{Text(tag.name), Text(tag.value)});
    }
    json.insert("tags", tags);
  }
  const std::pair<const char*, std::int32_t> flags[] = {
      {"hotSpot", o.hotSpot}, {"move", o.move}, {"status", o.status}};
  for (const auto& [key, value] : flags) {
    if (value != 0) {
      json.insert(key, value);
    }
  }
  if (o.highlight != kDefaults.highlight) {
    json.insert("highlight", o.highlight);
  }
  if (o.selected) {
    json.insert("selected", true);
  }
  return json;
}

// Reads the members of one JSON object; where names it in messages.
class JsonFields {
public:
  JsonFields(const QJsonObject& object, std::string where) : object_(object), where_(std::move(where)) {}

  const std::string& Where() const { return where_; }
  bool Has(const char* key) const { return object_.contains(QLatin1String(key)); }

  QJsonValue Value(const char* key) const {
    const QJsonValue value = object_.value(QLatin1String(key));
    if (value.isUndefined()) {
      Refuse(where_ + ": \"" + key + "\" is missing.");
    }
    return value;
  }

  double Real(const char* key, double fallback) const {
    return Has(key) ? RealOf(Value(key), key) : fallback;
  }
  std::int32_t Integer(const char* key, ValueRange range, std::int32_t fallback) const {
    return Has(key) ? IntegerOf(Value(key), key, range) : fallback;
  }
  bool Boolean(const char* key, bool fallback) const {
    if (!Has(key)) {
      return fallback;
    }
    const QJsonValue value = Value(key);
    if (!value.isBool()) {
      Refuse(where_ + ": \"" + key + "\" must be true or false.");
    }
    return value.toBool();
  }
  std::string Text(const char* key, std::string fallback) const {
    return Has(key) ? TextOf(Value(key), key) : fallback;
  }
  QJsonArray Array(const char* key, qsizetype size) const {
    const QJsonValue value = Value(key);
    if (!value.isArray() || (size >= 0 && value.toArray().size() != size)) {
      Refuse(where_ + ": \"" + key + "\" must be an array" + (size >= 0 ? " of " + std::to_string(size) : "") +
             ".");
    }
    return value.toArray();
  }
  JsonFields Object(const char* key) const {
    const QJsonValue value = Value(key);
    if (!value.isObject()) {
      Refuse(where_ + ": \"" + key + "\" must be an object.");
    }
    return JsonFields(value.toObject(), where_ + ", " + key);
  }

  double RealOf(const QJsonValue& value, const std::string& what) const {
    if (!value.isDouble() || !std::isfinite(value.toDouble())) {
      Refuse(where_ + ": \"" + what + "\" must be a number.");
    }
    return value.toDouble();
  }
  std::int32_t IntegerOf(const QJsonValue& value, const std::string& what, ValueRange range) const {
    const double number = RealOf(value, what);
    if (std::trunc(number) != number || std::fabs(number) > 4e9) {
      Refuse(where_ + ": \"" + what + "\" must be a whole number.");
    }
    Check(RangeProblem(what, static_cast<std::int64_t>(number), range), where_);
    return static_cast<std::int32_t>(number);
  }
  std::string TextOf(const QJsonValue& value, const std::string& what) const {
    if (!value.isString()) {
      Refuse(where_ + ": \"" + what + "\" must be a text.");
    }
    return value.toString().toStdString();
  }

private:
  QJsonObject object_;
  std::string where_;
};

constexpr ValueRange kAnyInteger{INT32_MIN, INT32_MAX};

double Coordinate(const JsonFields& fields, const QJsonValue& value, const char* what) {
  const double number = fields.RealOf(value, what);
  Check(CoordinateProblem(what, number), fields.Where());
  return number;
}

double Real(const JsonFields& fields, const char* key, double fallback, double low, double high) {
  const double value = fields.Real(key, fallback);
  Check(RealProblem(key, value, low, high), fields.Where());
  return value;
}

PictureSettings ReadPicture(const JsonFields& f) {
  const PictureSettings d;
  PictureSettings p;
  p.picLeft = f.Integer("left", kCoordinateRange, d.picLeft);
  p.picTop = f.Integer("top", kCoordinateRange, d.picTop);
  p.picWidth = f.Integer("width", kPageSizeRange, d.picWidth);
  p.picHeight = f.Integer("height", kPageSizeRange, d.picHeight);
  p.origWidth = Real(f, "origWidth", d.origWidth, 0, kMaxPaperSize);
  p.origHeight = Real(f, "origHeight", d.origHeight, 0, kMaxPaperSize);
  p.picXSize = Real(f, "xSize", d.picXSize, 0, kMaxPixelSize);
  p.picYSize = Real(f, "ySize", d.picYSize, 0, kMaxPixelSize);
  p.picXOfs = Real(f, "xOffset", d.picXOfs, -kCoordinateLimit, kCoordinateLimit);
  p.picYOfs = Real(f, "yOffset", d.picYOfs, -kCoordinateLimit, kCoordinateLimit);
  p.zoom = Real(f, "zoom", d.zoom, kMinZoom, kMaxZoom);
  p.autoScale = f.Boolean("autoScale", d.autoScale);
  p.scrollBars = f.Integer("scrollBars", kSwitchRange, d.scrollBars);
  p.backColor = f.Integer("backColor", kColourRange, d.backColor);
  p.backStyle = f.Integer("backStyle", kSwitchRange, d.backStyle);
  p.borderStyle = f.Integer("borderStyle", kSwitchRange, d.borderStyle);
  p.transparentBackground = f.Boolean("transparentBackground", d.transparentBackground);
  p.picBackColor = f.Integer("picBackColor", kColourRange, d.picBackColor);
  p.picBorderColor = f.Integer("picBorderColor", kColourRange, d.picBorderColor);
  p.gradientStyle = f.Integer("gradientStyle", kGradientStyleRange, d.gradientStyle);
  p.pageFillStyle = f.Integer("pageFillStyle", kFillStyleRange, d.pageFillStyle);
  p.pageLineWidth = f.Integer("pageLineWidth", kLineWidthRange, d.pageLineWidth);
  p.pageLineStyle = f.Integer("pageLineStyle", kLineStyleRange, d.pageLineStyle);
  return p;
}

TextAttributes ReadText(const JsonFields& f) {
  TextAttributes t;
  t.text = f.Text("text", t.text);
  t.fontName = f.Text("font", t.fontName);
  t.fontSize = f.Integer("size", kFontSizeRange, t.fontSize);
  t.bold = f.Boolean("bold", t.bold);
  t.orientation = f.Integer("orientation", kFontOrientationRange, t.orientation);
  t.colour = f.Integer("colour", kColourRange, t.colour);
  t.style = f.Integer("style", kTextStyleRange, t.style);
  t.horizontalAlignment = f.Integer("hAlign", kAlignmentRange, t.horizontalAlignment);
  t.verticalAlignment = f.Integer("vAlign", kAlignmentRange, t.verticalAlignment);
  return t;
}

void ReadGeometry(const JsonFields& f, DrawingObject& o) {
  if (IsPointKind(o.kind)) {
    const QJsonArray numbers = f.Array("points", -1);
    if (numbers.size() % 2 != 0) {
      Refuse(f.Where() + ": \"points\" must hold pairs of coordinates.");
    }
    for (qsizetype i = 0; i < numbers.size(); i += 2) {
      o.points.push_back({Coordinate(f, numbers[i], "points"), Coordinate(f, numbers[i + 1], "points")});
    }
    Check(PointCountProblem(o.kind, o.points.size()), f.Where());
    FitBoxToPoints(o);
    return;
  }
  const QJsonArray box = f.Array("box", 4);
  o.box = {Coordinate(f, box[0], "box"), Coordinate(f, box[1], "box"), Coordinate(f, box[2], "box"),
           Coordinate(f, box[3], "box")};
  if (o.box.left > o.box.right || o.box.top > o.box.bottom) {
    Refuse(f.Where() + ": \"box\" must run from its top-left to its bottom-right corner.");
  }
  o.rotation = Real(f, "rotation", 0, -360, 360);
}

std::vector<NamedTag> ReadTags(const JsonFields& f) {
  std::vector<NamedTag> tags;
  for (const QJsonValue& entry : f.Array("tags", -1)) {
    const QJsonArray pair = entry.toArray();
    if (!entry.isArray() || pair.size() != 2) {
      Refuse(f.Where() + ": every entry of \"tags\" must be a pair of name and value.");
    }
    NamedTag tag{f.TextOf(pair[0], "tags"), f.TextOf(pair[1], "tags")};
    if (tag.name.empty()) {
      Refuse(f.Where() + ": a tag needs a name.");
    }
    tags.push_back(std::move(tag));
  }
  return tags;
}

DrawingObject ReadObject(const JsonFields& f) {
  DrawingObject o;
  const std::int32_t kind = f.IntegerOf(f.Value("kind"), "kind", kAnyInteger);
  if (!IsObjectKind(kind)) {
    Refuse(f.Where() + ": there is no object kind " + std::to_string(kind) + ".");
  }
  o.kind = static_cast<ObjectKind>(kind);
  ReadGeometry(f, o);
  const QJsonArray line = f.Array("line", 3);
  o.line = {f.IntegerOf(line[0], "line", kColourRange), f.IntegerOf(line[1], "line", kLineWidthRange),
            f.IntegerOf(line[2], "line", kLineStyleRange)};
  const QJsonArray fill = f.Array("fill", 2);
  o.fill = {f.IntegerOf(fill[0], "fill", kColourRange), f.IntegerOf(fill[1], "fill", kFillStyleRange)};
  if (f.Has("text")) {
    o.text = ReadText(f.Object("text"));
  }
  if (f.Has("link")) {
    const QJsonArray link = f.Array("link", 4);
    o.link = {f.IntegerOf(link[0], "link", kLinkStyleRange), f.IntegerOf(link[1], "link", kLinkSizeRange),
              f.IntegerOf(link[2], "link", kLinkSizeRange), f.IntegerOf(link[3], "link", kLinkLabelRange)};
  }
  o.tag = f.Text("tag", "");
  if (f.Has("tags")) {
    o.tags = ReadTags(f);
  }
  o.hotSpot = f.Integer("hotSpot", kFlagsRange, 0);
  o.move = f.Integer("move", kFlagsRange, 0);
  o.status = f.Integer("status", kAnyInteger, 0);
  o.highlight = f.Boolean("highlight", true);
  o.selected = f.Boolean("selected", false);
  return o;
}

Drawing ReadDrawing(const QByteArray& bytes) {
  QJsonParseError parseError{};
  const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
  if (parseError.error != QJsonParseError::NoError) {
    Refuse("The file is not a drawing file: " + parseError.errorString().toStdString() + " at byte " +
           std::to_string(parseError.offset) + ".");
  }
  if (!document.isObject() || document.object().value("format").toString() != QLatin1String(kFormat)) {
    Refuse("The file is not a drawing file.");
  }
  const JsonFields file(document.object(), "drawing file");
  const std::int32_t version = file.IntegerOf(file.Value("version"), "version", kAnyInteger);
  if (version < 1 || version > kDrawingFileVersion) {
    Refuse("The drawing file has version " + std::to_string(version) + "; this control reads versions 1 to " +
           std::to_string(kDrawingFileVersion) + ".");
  }
  Drawing drawing;
  drawing.Picture() = ReadPicture(file.Object("picture"));
  const QJsonArray objects = file.Array("objects", -1);
  for (qsizetype i = 0; i < objects.size(); ++i) {
    const std::string where = "object " + std::to_string(i + 1);
    if (!objects[i].isObject()) {
      Refuse(where + " is not an object.");
    }
    drawing.Add(ReadObject(JsonFields(objects[i].toObject(), where)));
  }
  return drawing;
}

} // namespace

QByteArray SerializeDrawing(const Drawing& drawing) {
  QJsonArray objects;
  for (const DrawingObject& object : drawing.Objects()) {
    objects.append(ObjectJson(object));
  }
  const QJsonObject file{{"format", kFormat},
                         {"version", kDrawingFileVersion},
                         {"picture", PictureJson(drawing.Picture())},
                         {"objects", objects}};
  return QJsonDocument(file).toJson(QJsonDocument::Compact);
}

std::optional<Drawing> ParseDrawing(const QByteArray& bytes, std::string& error) {
  try {
    return ReadDrawing(bytes);
  } catch (const FileProblem& problem) {
    error = problem.text;
    return std::nullopt;
  }
}

} // namespace canvas
