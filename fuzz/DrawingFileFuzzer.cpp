// Arbitrary bytes as a drawing file. A file that loads must save and load
// back to the same drawing, and paint without fault.
#include "canvas/DrawingFile.h"
#include "canvas/DrawingPainter.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication application(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string error;
  const std::optional<canvas::Drawing> drawing =
      canvas::ParseDrawing(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)), error);
  if (!drawing) {
    return 0;
  }
  const std::optional<canvas::Drawing> again = canvas::ParseDrawing(canvas::SerializeDrawing(*drawing), error);
  if (!again || !(*again == *drawing)) {
    std::abort();
  }
  QImage image(64, 64, QImage::Format_ARGB32_Premultiplied);
  QPainter painter(&image);
  const canvas::PaintRequest request{canvas::ViewTransform::ForView(drawing->Picture(), 64, 64), QRectF(0, 0, 64, 64)};
  canvas::DrawingPainter(*drawing).Paint(painter, request);
  return 0;
}
