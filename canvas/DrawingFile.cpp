#include "canvas/DrawingFile.h"

#include "canvas/AttributeRules.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <charconv>
#include <cmath>
#include <optional>
#include <cstdio>
#include <type_traits>

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

// Writes JSON text straight into a buffer, which is many times faster for
// large drawings than building a document first.
class JsonWriter {
public:
  explicit JsonWriter(QByteArray& out) : out_(out) {}

  void BeginObject() { Open('{'); }
  void EndObject() { Close('}'); }
  void BeginArray() { Open('['); }
  void EndArray() { Close(']'); }
  void Key(const char* key) {
    Separate();
    out_ += '"';
    out_ += key;
    out_ += "\":";
    first_ = true;
  }
  void Number(double value) {
    Separate();
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    out_.append(buffer, end - buffer);
  }
  void Boolean(bool value) {
    Separate();
    out_ += value ? "true" : "false";
  }
  void Text(const std::string& text) {
    Separate();
    out_ += '"';
    for (const char c : text) {
      if (c == '"' || c == '\\') {
        out_ += '\\';
        out_ += c;
      } else if (static_cast<unsigned char>(c) < 0x20) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
        out_ += escaped;
      } else {
        out_ += c;
      }
    }
    out_ += '"';
  }
  void Numbers(std::initializer_list<double> values) {
    BeginArray();
    for (const double value : values) {
      Number(value);
    }
    EndArray();
  }

  template <typename Value>
  void Field(const char* key, const Value& value) {
    Key(key);
    if constexpr (std::is_same_v<Value, bool>) {
      Boolean(value);
    } else if constexpr (std::is_same_v<Value, std::string>) {
      Text(value);
    } else {
      Number(static_cast<double>(value));
    }
  }

private:
  void Separate() {
    if (!first_) {
      out_ += ',';
    }
    first_ = false;
  }
  void Open(char bracket) {
    Separate();
    out_ += bracket;
    first_ = true;
  }
  void Close(char bracket) {
    out_ += bracket;
    first_ = false;
  }

  QByteArray& out_;
  bool first_ = true;
};

void WritePicture(JsonWriter& json, const PictureSettings& p) {
  json.BeginObject();
  json.Field("left", p.picLeft);
  json.Field("top", p.picTop);
  json.Field("width", p.picWidth);
  json.Field("height", p.picHeight);
  json.Field("origWidth", p.origWidth);
  json.Field("origHeight", p.origHeight);
  json.Field("xSize", p.picXSize);
  json.Field("ySize", p.picYSize);
  json.Field("xOffset", p.picXOfs);
  json.Field("yOffset", p.picYOfs);
  json.Field("zoom", p.zoom);
  json.Field("autoScale", p.autoScale);
  json.Field("scrollBars", p.scrollBars);
  json.Field("backColor", p.backColor);
  json.Field("backStyle", p.backStyle);
  json.Field("borderStyle", p.borderStyle);
  json.Field("transparentBackground", p.transparentBackground);
  json.Field("picBackColor", p.picBackColor);
  json.Field("picBorderColor", p.picBorderColor);
  json.Field("gradientStyle", p.gradientStyle);
  json.Field("pageFillStyle", p.pageFillStyle);
  json.Field("pageLineWidth", p.pageLineWidth);
  json.Field("pageLineStyle", p.pageLineStyle);
  json.EndObject();
}

void WriteText(JsonWriter& json, const TextAttributes& t) {
  json.BeginObject();
  json.Field("text", t.text);
  json.Field("font", t.fontName);
  json.Field("size", t.fontSize);
  json.Field("bold", t.bold);
  json.Field("orientation", t.orientation);
  json.Field("colour", t.colour);
  json.Field("style", t.style);
  json.Field("hAlign", t.horizontalAlignment);
  json.Field("vAlign", t.verticalAlignment);
  json.EndObject();
}

void WriteObject(JsonWriter& json, const DrawingObject& o) {
  static const DrawingObject kDefaults;
  json.BeginObject();
  json.Field("kind", static_cast<int>(o.kind));
  if (IsPointKind(o.kind)) {
    json.Key("points");
    json.BeginArray();
    for (const Point& p : o.points) {
      json.Number(p.x);
      json.Number(p.y);
    }
    json.EndArray();
  } else {
    json.Key("box");
    json.Numbers({o.box.left, o.box.top, o.box.right, o.box.bottom});
  }
  json.Key("line");
  json.Numbers({double(o.line.colour), double(o.line.width), double(o.line.style)});
  json.Key("fill");
  json.Numbers({double(o.fill.colour), double(o.fill.style)});
  if (o.rotation != kDefaults.rotation) {
    json.Field("rotation", o.rotation);
  }
  if (o.text != kDefaults.text) {
    json.Key("text");
    WriteText(json, o.text);
  }
  if (o.link != kDefaults.link) {
    json.Key("link");
    json.Numbers({double(o.link.style), double(o.link.length), double(o.link.width), double(o.link.label)});
  }
  if (!o.tag.empty()) {
    json.Field("tag", o.tag);
  }
  if (!o.tags.empty()) {
    json.Key("tags");
    json.BeginArray();
    for (const NamedTag& tag : o.tags) {
      json.BeginArray();
      json.Text(tag.name);
      json.Text(tag.value);
      json.EndArray();
    }
    json.EndArray();
  }
  const std::pair<const char*, std::int32_t> flags[] = {{"hotSpot", o.hotSpot}, {"move", o.move}, {"status", o.status}};
  for (const auto& [key, value] : flags) {
    if (value != 0) {
      json.Field(key, value);
    }
  }
  if (o.highlight != kDefaults.highlight) {
    json.Field("highlight", o.highlight);
  }
  if (o.selected) {
    json.Field("selected", true);
  }
  json.EndObject();
}

// Reads the members of one JSON object; where names it in messages.
class JsonFields {
public:
  JsonFields(const QJsonObject& object, std::string where) : object_(object), where_(std::move(where)) {}

  const std::string& Where() const { return where_; }
  bool Has(const char* key) const { return Find(key).has_value(); }
  // The member, or nothing when the object lacks it.
  std::optional<QJsonValue> Find(const char* key) const {
    const auto found = object_.constFind(QLatin1String(key));
    return found != object_.constEnd() ? std::optional<QJsonValue>(*found) : std::nullopt;
  }

  QJsonValue Value(const char* key) const {
    std::optional<QJsonValue> value = Find(key);
    if (!value) {
      Refuse(where_ + ": \"" + key + "\" is missing.");
    }
    return *value;
  }

  double Real(const char* key, double fallback) const {
    const std::optional<QJsonValue> value = Find(key);
    return value ? RealOf(*value, key) : fallback;
  }
  std::int32_t Integer(const char* key, ValueRange range, std::int32_t fallback) const {
    const std::optional<QJsonValue> value = Find(key);
    return value ? IntegerOf(*value, key, range) : fallback;
  }
  bool Boolean(const char* key, bool fallback) const {
    const std::optional<QJsonValue> value = Find(key);
    if (!value) {
      return fallback;
    }
    if (!value->isBool()) {
      Refuse(where_ + ": \"" + key + "\" must be true or false.");
    }
    return value->toBool();
  }
  std::string Text(const char* key, std::string fallback) const {
    const std::optional<QJsonValue> value = Find(key);
    return value ? TextOf(*value, key) : fallback;
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
  QByteArray out;
  JsonWriter json(out);
  json.BeginObject();
  json.Field("format", std::string(kFormat));
  json.Field("version", kDrawingFileVersion);
  json.Key("picture");
  WritePicture(json, drawing.Picture());
  json.Key("objects");
  json.BeginArray();
  for (const DrawingObject& object : drawing.Objects()) {
    WriteObject(json, object);
  }
  json.EndArray();
  json.EndObject();
  return out;
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
