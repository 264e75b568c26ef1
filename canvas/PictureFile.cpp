#include "canvas/PictureFile.h"

#include "canvas/DrawingFile.h"
#include "canvas/DrawingPainter.h"

#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <cmath>

namespace canvas {

namespace {

// Drawing files larger than this are refused unread.
constexpr qint64 kMaxDrawingFileBytes = 1LL << 30;

struct PaperSize {
  double width;
  double height;
};

// The area's size on paper in millimetres: from OrigWidth and OrigHeight
// when they are set, else by the drawing's measure.
PaperSize PaperSizeOf(const Drawing& drawing, const Box& area) {
  const PictureSettings& picture = drawing.Picture();
  const auto measure = [](double span, double pageSpan, double paper) {
    return paper > 0 ? span / pageSpan * paper : span * kMillimetresPerUnit;
  };
  return {measure(area.Width(), picture.picWidth, picture.origWidth),
          measure(area.Height(), picture.picHeight, picture.origHeight)};
}

PaintRequest PaintRequestFor(const ExportRequest& request, double deviceWidth, double deviceHeight) {
  const ViewTransform transform(deviceWidth / request.area.Width(), deviceHeight / request.area.Height(),
                                {request.area.left, request.area.top});
  const bool asOnScreen = (request.options & kExportAsOnScreen) != 0;
  PaintRequest paint{transform, QRectF(0, 0, deviceWidth, deviceHeight)};
  paint.controlLook = asOnScreen;
  paint.pageBackground = (request.options & kExportTransparent) == 0;
  paint.hovered = asOnScreen ? request.hovered : 0;
  paint.selectionHandles = asOnScreen;
  paint.antialiased = (request.options & kExportAliased) == 0;
  return paint;
}

bool PixelSizeOf(const ExportRequest& request, QSize& size, std::string& error) {
  const double width = std::ceil(request.area.Width() * request.scaleX);
  const double height = std::ceil(request.area.Height() * request.scaleY);
  if (!(width >= 1 && height >= 1)) {
    error = "The area to save is empty.";
    return false;
  }
  if (width > kMaxExportSide || height > kMaxExportSide || width * height > kMaxExportPixels) {
    error = "The picture would measure " + std::to_string(static_cast<long long>(width)) + " x " +
            std::to_string(static_cast<long long>(height)) + " pixels; the control writes at most " +
            std::to_string(kMaxExportSide) + " pixels a side and " + std::to_string(kMaxExportPixels) +
            " pixels in all.";
    return false;
  }
  size = QSize(static_cast<int>(width), static_cast<int>(height));
  return true;
}

bool WriteBitmap(const Drawing& drawing, const ExportRequest& request, QIODevice& device, std::string& error) {
  QSize size;
  if (!PixelSizeOf(request, size, error)) {
    return false;
  }
  const bool hasAlpha = request.type == PictureType::Png;
  QImage image(size, hasAlpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
  if (image.isNull()) {
    error = "There is not enough memory for the picture.";
    return false;
  }
  image.fill(hasAlpha ? Qt::transparent : Qt::white);
  const PaperSize paper = PaperSizeOf(drawing, request.area);
  image.setDotsPerMeterX(static_cast<int>(std::lround(size.width() / (paper.width / 1000))));
  image.setDotsPerMeterY(static_cast<int>(std::lround(size.height() / (paper.height / 1000))));
  {
    QPainter painter(&image);
    DrawingPainter(drawing).Paint(painter, PaintRequestFor(request, size.width(), size.height()));
  }
  static constexpr std::pair<PictureType, const char*> kFormats[] = {
      {PictureType::Png, "PNG"}, {PictureType::Bmp, "BMP"}, {PictureType::Jpeg, "JPEG"}};
  const char* format = "PNG";
  for (const auto& [type, name] : kFormats) {
    if (type == request.type) {
      format = name;
    }
  }
  QImageWriter writer(&device, format);
  if (!writer.write(image)) {
    error = writer.errorString().toStdString();
    return false;
  }
  return true;
}

bool WriteSvg(const Drawing& drawing, const ExportRequest& request, QIODevice& device, std::string&) {
  const double width = request.area.Width() * request.scaleX;
  const double height = request.area.Height() * request.scaleY;
  const PaperSize paper = PaperSizeOf(drawing, request.area);
  QSvgGenerator generator;
  generator.setOutputDevice(&device);
  generator.setSize(QSize(static_cast<int>(std::ceil(width)), static_cast<int>(std::ceil(height))));
  generator.setViewBox(QRectF(0, 0, width, height));
  generator.setResolution(static_cast<int>(std::lround(width / (paper.width / kMillimetresPerInch))));
  generator.setTitle(QStringLiteral("MetaDraw drawing"));
  QPainter painter(&generator);
  DrawingPainter(drawing).Paint(painter, PaintRequestFor(request, width, height));
  return painter.end();
}

bool WritePdf(const Drawing& drawing, const ExportRequest& request, QIODevice& device, std::string& error) {
  const PaperSize paper = PaperSizeOf(drawing, request.area);
  QPdfWriter writer(&device);
  writer.setTitle(QStringLiteral("MetaDraw drawing"));
  writer.setPageMargins(QMarginsF(0, 0, 0, 0));
  if (!writer.setPageSize(QPageSize(QSizeF(paper.width, paper.height), QPageSize::Millimeter))) {
    error = "The picture's size does not make a PDF page.";
    return false;
  }
  QPainter painter;
  if (!painter.begin(&writer)) {
    error = "The PDF cannot be started.";
    return false;
  }
  DrawingPainter(drawing).Paint(painter, PaintRequestFor(request, writer.width(), writer.height()));
  return painter.end();
}

} // namespace

bool IsPictureType(std::int64_t code) {
  return code == 0 || code == 1 || code == 2 || code == 3 || code == 4 || code == 14;
}

bool WriteAtomically(const QString& path, const std::function<bool(QIODevice&, std::string&)>& write,
                     std::string& error) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    error = "Cannot write " + path.toStdString() + ": " + file.errorString().toStdString();
    return false;
  }
  if (!write(file, error)) {
    file.cancelWriting();
    error = "Cannot write " + path.toStdString() + ": " + error;
    return false;
  }
  if (!file.commit()) {
    error = "Cannot write " + path.toStdString() + ": " + file.errorString().toStdString();
    return false;
  }
  return true;
}

bool SavePictureFile(const Drawing& drawing, const ExportRequest& request, const QString& path, std::string& error) {
  if (request.type != PictureType::Drawing && !(request.area.Width() > 0 && request.area.Height() > 0)) {
    error = "The area to save is empty.";
    return false;
  }
  return WriteAtomically(
      path,
      [&](QIODevice& device, std::string& problem) {
        switch (request.type) {
        case PictureType::Drawing: {
          const QByteArray bytes = SerializeDrawing(drawing);
          if (device.write(bytes) != bytes.size()) {
            problem = device.errorString().toStdString();
            return false;
          }
          return true;
        }
        case PictureType::Svg:
          return WriteSvg(drawing, request, device, problem);
        case PictureType::Pdf:
          return WritePdf(drawing, request, device, problem);
        default:
          return WriteBitmap(drawing, request, device, problem);
        }
      },
      error);
}

std::optional<Drawing> LoadDrawingFile(const QString& path, std::string& error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    error = "Cannot read " + path.toStdString() + ": " + file.errorString().toStdString();
    return std::nullopt;
  }
  if (file.size() > kMaxDrawingFileBytes) {
    error = "Cannot read " + path.toStdString() + ": the file is too large for a drawing file.";
    return std::nullopt;
  }
  std::optional<Drawing> drawing = ParseDrawing(file.readAll(), error);
  if (!drawing) {
    error = "Cannot read " + path.toStdString() + ": " + error;
  }
  return drawing;
}

} // namespace canvas
