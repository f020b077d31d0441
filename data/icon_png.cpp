// icon_png SVG SIZE PNG: the icon drawn at SIZE x SIZE pixels, for the
// icon theme's fixed sizes and the program's own window icon.
#include <QtCore/QString>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtSvg/QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fputs("usage: icon_png SVG SIZE PNG\n", stderr);
    return 2;
  }
  QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
  const int size = QString::fromLatin1(argv[2]).toInt();
  if (!svg.isValid() || size < 1) return 1;
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter);
  }
  return image.save(QString::fromLocal8Bit(argv[3]), "PNG") ? 0 : 1;
}
