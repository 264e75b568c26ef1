// Draws the close button's icon, "WACancel.ico": a red disc with a white
// cross, in the sizes a button and a high-density screen use. Run at build
// time with the output file as its argument.
#include <QCoreApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPen>

#include <cstdio>

namespace {

QImage CancelImage(int size) {
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal edge = size / 16.0;
  painter.setPen(QPen(QColor(128, 0, 0), edge));
  painter.setBrush(QColor(214, 32, 32));
  painter.drawEllipse(QRectF(edge, edge, size - 2 * edge, size - 2 * edge));
  painter.setPen(QPen(Qt::white, size / 8.0, Qt::SolidLine, Qt::RoundCap));
  const qreal near = size * 0.32;
  const qreal far = size - near;
  painter.drawLine(QPointF(near, near), QPointF(far, far));
  painter.drawLine(QPointF(far, near), QPointF(near, far));
  return image;
}

} // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.ico\n", argv[0]);
    return 2;
  }
  QImageWriter writer(QString::fromLocal8Bit(argv[1]), "ico");
  if (!writer.write(CancelImage(32))) {
    std::fprintf(stderr, "cannot write %s: %s\n", argv[1], qPrintable(writer.errorString()));
    return 1;
  }
  return 0;
}
