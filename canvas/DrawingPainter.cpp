#include "canvas/DrawingPainter.h"

#include "canvas/QtConversions.h"
#include "canvas/SelectionHandles.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPaintDevice>
#include <QPolygonF>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace canvas {

namespace {

// The font of a link's label.
constexpr int kLinkLabelPoints = 10;

Qt::PenStyle PenStyleOf(std::int32_t style) {
  static constexpr Qt::PenStyle kStyles[] = {Qt::SolidLine,      Qt::DashLine,       Qt::DotLine,
                                             Qt::DashDotLine,    Qt::DashDotDotLine, Qt::NoPen};
  return style >= 0 && style <= kLineNone ? kStyles[style] : Qt::SolidLine;
}

Qt::BrushStyle BrushStyleOf(std::int32_t style) {
  static constexpr Qt::BrushStyle kStyles[] = {Qt::SolidPattern, Qt::NoBrush,      Qt::HorPattern,
                                               Qt::VerPattern,   Qt::BDiagPattern, Qt::FDiagPattern,
                                               Qt::CrossPattern, Qt::DiagCrossPattern};
  return style >= 0 && style <= 7 ? kStyles[style] : Qt::SolidPattern;
}

QPen PenOf(const LineAttributes& line) {
  QPen pen(ColourOf(line.colour), line.width, PenStyleOf(line.style), Qt::RoundCap, Qt::RoundJoin);
  if (line.width == 0) {
    pen.setCosmetic(true);
  }
  return pen;
}

int TextFlagsOf(const TextAttributes& text) {
  static constexpr int kHorizontal[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
  static constexpr int kVertical[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
  int flags = kHorizontal[std::clamp(text.horizontalAlignment, 0, 2)] |
              kVertical[std::clamp(text.verticalAlignment, 0, 2)];
  if ((text.style & kTextWordWrap) != 0) {
    flags |= Qt::TextWordWrap;
  }
  return flags;
}

// Text is smoothed in grey, never with coloured subpixels: so it looks the
// same on the screen as in a picture of the view, which a view may keep to
// stand for its screen (MoveLayers), and as in exported pictures.
QFont FontOf(const std::string& family, double points, bool bold) {
  QFont font(QString::fromStdString(family));
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(UnitsForPoints(points)))));
  font.setBold(bold);
  font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
  return font;
}

void PaintText(QPainter& painter, const DrawingObject& object) {
  const QRectF box = RectOf(object.box);
  const double turn = object.rotation + object.text.orientation / 10.0;
  if (turn != 0) {
    painter.translate(box.center());
    painter.rotate(-turn);
    painter.translate(-box.center());
  }
  if (object.fill.style != kFillNone) {
    painter.fillRect(box, QBrush(ColourOf(object.fill.colour), BrushStyleOf(object.fill.style)));
  }
  if ((object.text.style & kTextFrame) != 0) {
    painter.setPen(PenOf(object.line));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box);
  }
  painter.setFont(DrawingPainter::TextFont(object.text));
  painter.setPen(ColourOf(object.text.colour));
  painter.drawText(box, TextFlagsOf(object.text), QString::fromStdString(object.text.text));
}

void PaintLink(QPainter& painter, const DrawingObject& object) {
  if (object.points.size() != 2) {
    return;
  }
  const Point start = object.points[0];
  const Point end = object.points[1];
  painter.drawLine(PointOf(start), PointOf(end));
  const auto paintHead = [&](Point tip, Point from) {
    const auto head = ArrowHead(tip, from, object.link.length, object.link.width);
    painter.setBrush(ColourOf(object.line.colour));
    painter.drawPolygon(PolygonOf({head.begin(), head.end()}));
  };
  if (object.link.style >= 1) {
    paintHead(end, start);
  }
  if (object.link.style == 2) {
    paintHead(start, end);
  }
  if (object.link.label != 0 && !object.tag.empty()) {
    painter.setFont(FontOf("Arial", kLinkLabelPoints, false));
    const QPointF middle((start.x + end.x) / 2, (start.y + end.y) / 2);
    painter.drawText(QRectF(middle - QPointF(500, 500), QSizeF(1000, 1000)), Qt::AlignCenter,
                     QString::fromStdString(object.tag));
  }
}

void PaintBoxKind(QPainter& painter, const DrawingObject& object) {
  const QRectF box = RectOf(object.box);
  if (object.rotation != 0) {
    painter.translate(box.center());
    painter.rotate(-object.rotation);
    painter.translate(-box.center());
  }
  constexpr int kStart = static_cast<int>(kArcStartDegrees * 16);
  constexpr int kSpan = static_cast<int>(kArcSpanDegrees * 16);
  switch (object.kind) {
  case ObjectKind::Rectangle:
    painter.drawRect(box);
    break;
  case ObjectKind::RoundedRectangle: {
    const double radius = kCornerRadiusShare * std::min(box.width(), box.height());
    painter.drawRoundedRect(box, radius, radius);
    break;
  }
  case ObjectKind::Ellipse:
    painter.drawEllipse(box);
    break;
  case ObjectKind::Arc:
    painter.drawArc(box, kStart, kSpan);
    break;
  case ObjectKind::Sector:
    painter.drawPie(box, kStart, kSpan);
    break;
  case ObjectKind::Chord:
    painter.drawChord(box, kStart, kSpan);
    break;
  default:
    break;
  }
}

QBrush PageBrush(const PictureSettings& picture, const QRectF& page) {
  const QColor from = ColourOf(picture.picBackColor);
  const QColor to = ColourOf(picture.picBorderColor);
  const auto linear = [&](QPointF start, QPointF end) {
    QLinearGradient gradient(start, end);
    gradient.setColorAt(0, from);
    gradient.setColorAt(1, to);
    return QBrush(gradient);
  };
  switch (picture.gradientStyle) {
  case 1:
    return linear(page.topLeft(), page.topRight());
  case 2:
    return linear(page.topLeft(), page.bottomLeft());
  case 3:
    return linear(page.topLeft(), page.bottomRight());
  case 4: {
    QRadialGradient gradient(page.center(), std::hypot(page.width(), page.height()) / 2);
    gradient.setColorAt(0, from);
    gradient.setColorAt(1, to);
    return QBrush(gradient);
  }
  default:
    return QBrush(from, BrushStyleOf(picture.pageFillStyle));
  }
}

// Crisp squares on whole pixels at the handles of the frame.
void PaintHandles(QPainter& painter, const QRectF& frame) {
  const int half = static_cast<int>(DrawingPainter::kHandleSize) / 2;
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(Qt::black, 0));
  painter.setBrush(Qt::white);
  for (const Handle handle : kAllHandles) {
    painter.drawRect(QRect(HandleCentre(frame, handle) - QPoint(half, half), QSize(2 * half, 2 * half)));
  }
}

bool Accepts(const std::function<bool(int)>& choice, int number) { return !choice || choice(number); }

} // namespace

QRect DrawingPainter::DeviceReach(const ViewTransform& transform, const Box& extent, bool decorated) {
  // Antialiasing reaches a pixel beyond the extent, and the extent's edges
  // may fall between pixels.
  constexpr double kFringe = 2;
  const double margin = (decorated ? kDecorationMargin : 0) + kFringe;
  return transform.DeviceRect(extent).adjusted(-margin, -margin, margin, margin).toAlignedRect();
}

bool DrawingPainter::PaintsDevicePattern(const DrawingObject& object) {
  const Qt::BrushStyle style = BrushStyleOf(object.fill.style);
  return IsClosedKind(object.kind) && style != Qt::SolidPattern && style != Qt::NoBrush;
}

QFont DrawingPainter::TextFont(const TextAttributes& text) {
  return FontOf(text.fontName, text.fontSize, text.bold);
}

void DrawingPainter::PaintObject(QPainter& painter, const DrawingObject& object) {
  painter.setPen(PenOf(object.line));
  painter.setBrush(IsClosedKind(object.kind) ? QBrush(ColourOf(object.fill.colour), BrushStyleOf(object.fill.style))
                                             : QBrush(Qt::NoBrush));
  switch (object.kind) {
  case ObjectKind::Line:
  case ObjectKind::Polyline:
    painter.drawPolyline(PolygonOf(object.points));
    break;
  case ObjectKind::Polygon:
    painter.drawPolygon(PolygonOf(object.points), Qt::WindingFill);
    break;
  case ObjectKind::Link:
    PaintLink(painter, object);
    break;
  case ObjectKind::Text: {
    const QTransform saved = painter.worldTransform();
    PaintText(painter, object);
    painter.setWorldTransform(saved);
    break;
  }
  default: {
    const QTransform saved = painter.worldTransform();
    PaintBoxKind(painter, object);
    painter.setWorldTransform(saved);
    break;
  }
  }
}

int DrawingPainter::Paint(QPainter& painter, const PaintRequest& request) const {
  painter.save();
  painter.setClipRect(request.deviceArea, Qt::IntersectClip);
  painter.setRenderHint(QPainter::Antialiasing, request.antialiased);
  painter.setRenderHint(QPainter::TextAntialiasing, request.antialiased);
  if (request.background) {
    PaintBackground(painter, request);
  }

  // Objects just outside the area may reach into it with their thinnest
  // lines, their antialiasing and their decorations.
  const double margin = request.transform.LogicalLength(kDecorationMargin + 1);
  const std::vector<int> numbers =
      drawing_.ObjectsMeeting(request.transform.LogicalBox(request.deviceArea).Inflated(margin));
  const QTransform device = painter.worldTransform();
  painter.setWorldTransform(request.transform.Matrix() * device);
  int painted = 0;
  for (const int number : numbers) {
    if (Accepts(request.objects, number)) {
      PaintObject(painter, drawing_.Object(number));
      ++painted;
    }
  }
  painter.setWorldTransform(device);
  PaintDecorations(painter, request, numbers);
  if (ShowsFrame(request)) {
    DrawFrame(painter);
  }
  painter.restore();
  return painted;
}

void DrawingPainter::PaintFrame(QPainter& painter, const PaintRequest& request) const {
  if (ShowsFrame(request)) {
    painter.save();
    painter.setClipRect(request.deviceArea, Qt::IntersectClip);
    DrawFrame(painter);
    painter.restore();
  }
}

bool DrawingPainter::ShowsFrame(const PaintRequest& request) const {
  return request.frame && request.controlLook && drawing_.Picture().borderStyle == 1;
}

void DrawingPainter::DrawFrame(QPainter& painter) {
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(Qt::darkGray, 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRect(0, 0, painter.device()->width() - 1, painter.device()->height() - 1));
}

bool DrawingPainter::CoversArea(const PaintRequest& request) const {
  return request.background && request.controlLook && drawing_.Picture().backStyle == 1;
}

void DrawingPainter::PaintBackground(QPainter& painter, const PaintRequest& request) const {
  const PictureSettings& picture = drawing_.Picture();
  if (request.controlLook && picture.backStyle == 1) {
    painter.fillRect(request.deviceArea, ColourOf(picture.backColor));
  }
  const QRectF page = request.transform.DeviceRect(picture.Page());
  if (request.pageBackground && !picture.transparentBackground) {
    painter.fillRect(page, PageBrush(picture, page));
  }
  if (request.controlLook && picture.pageLineStyle != kLineNone) {
    const QTransform device = painter.worldTransform();
    painter.setWorldTransform(request.transform.Matrix() * device);
    painter.setPen(PenOf({picture.picBorderColor, picture.pageLineWidth, picture.pageLineStyle}));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(RectOf(picture.Page()));
    painter.setWorldTransform(device);
  }
}

void DrawingPainter::PaintDecorations(QPainter& painter, const PaintRequest& request,
                                      const std::vector<int>& painted) const {
  const auto isPainted = [&](int number) { return std::binary_search(painted.begin(), painted.end(), number); };
  const int hovered = request.hovered;
  if (drawing_.IsNumber(hovered) && isPainted(hovered) && Accepts(request.decorations, hovered)) {
    const DrawingObject& object = drawing_.Object(hovered);
    if (ShowsHoverHighlight(object)) {
      QPen halo(QColor(51, 153, 255, 120), kHighlightWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
      halo.setCosmetic(true);
      painter.setPen(halo);
      painter.setBrush(Qt::NoBrush);
      painter.drawPath(request.transform.Matrix().map(ShapePathOf(object)));
    }
  }
  if (!request.selectionHandles) {
    return;
  }
  for (const int number : painted) {
    const DrawingObject& object = drawing_.Object(number);
    if (object.selected && Accepts(request.decorations, number)) {
      PaintHandles(painter, request.transform.DeviceRect(SelectionFrameOf(object)));
    }
  }
}

} // namespace canvas
