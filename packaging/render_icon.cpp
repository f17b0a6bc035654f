// Renders the application icon, kept only as SVG, into the PNG sizes of the
// hicolor icon theme at build time:
//   tralva-render-icon ICON.svg FOLDER SIZE...
// writes FOLDER/SIZExSIZE/apps/<name of ICON>.png for every SIZE.

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

namespace {

bool render(QSvgRenderer& renderer, int size, const QString& path) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, size, size));
  }
  return QDir().mkpath(QFileInfo(path).path()) && image.save(path, "PNG");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fputs("uso: tralva-render-icon ICONA.svg CARTELLA DIMENSIONE...\n", stderr);
    return 64;
  }
  const QString svg = QString::fromLocal8Bit(argv[1]);
  QSvgRenderer renderer(svg);
  if (!renderer.isValid()) {
    std::fprintf(stderr, "tralva-render-icon: impossibile leggere %s\n", argv[1]);
    return 1;
  }
  const QString folder = QString::fromLocal8Bit(argv[2]);
  const QString name = QFileInfo(svg).completeBaseName() + QStringLiteral(".png");
  for (int k = 3; k < argc; ++k) {
    bool ok = false;
    const int size = QString::fromLocal8Bit(argv[k]).toInt(&ok);
    const QString path = QStringLiteral("%1/%2x%2/apps/%3").arg(folder).arg(size).arg(name);
    if (!ok || size <= 0 || !render(renderer, size, path)) {
      std::fprintf(stderr, "tralva-render-icon: impossibile scrivere %s\n", qPrintable(path));
      return 1;
    }
  }
  return 0;
}
