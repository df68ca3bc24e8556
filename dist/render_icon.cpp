// Draws the program's icon and xboard logo at build time from the generated
// chess font, so that nothing is downloaded or kept as a binary in the
// repository.
//   render_icon FONT_FILE icon SIZE OUT.png     the white knight on a light tile
//   render_icon FONT_FILE logo OUT.png          100 x 50: knight and the name "Kelvo"

#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace {

// The font letter of a white knight on a light square ("h", as the board draws it).
const QString KNIGHT = QStringLiteral("h");

void drawKnight(QPainter& painter, const QString& family, const QRectF& box) {
  QFont font(family);
  font.setPixelSize(qRound(box.height()));
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(box, Qt::AlignCenter, KNIGHT);
}

QImage icon(const QString& family, int size) {
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal border = size / 24.0;
  const QRectF tile(border, border, size - 2 * border, size - 2 * border);
  painter.setPen(QPen(QColor(0x5a, 0x3d, 0x1e), border));
  painter.setBrush(QColor(0xf0, 0xd9, 0xb5));
  painter.drawRoundedRect(tile, size / 8.0, size / 8.0);
  drawKnight(painter, family, tile.adjusted(size / 10.0, size / 10.0, -size / 10.0, -size / 10.0));
  return image;
}

QImage logo(const QString& family) {
  QImage image(100, 50, QImage::Format_RGB32);
  image.fill(QColor(0xf0, 0xd9, 0xb5));
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  drawKnight(painter, family, QRectF(2, 3, 44, 44));
  QFont text(QStringLiteral("DejaVu Sans"));
  text.setPixelSize(16);
  text.setBold(true);
  painter.setFont(text);
  painter.setPen(QColor(0x5a, 0x3d, 0x1e));
  painter.drawText(QRectF(46, 0, 52, 50), Qt::AlignCenter, QStringLiteral("Kelvo"));
  return image;
}

}  // namespace

int main(int argc, char* argv[]) {
  QGuiApplication application(argc, argv);
  const bool isIcon = argc == 5 && qstrcmp(argv[2], "icon") == 0;
  const bool isLogo = argc == 4 && qstrcmp(argv[2], "logo") == 0;
  if (!isIcon && !isLogo) {
    std::fprintf(stderr, "usage: render_icon FONT icon SIZE OUT.png | render_icon FONT logo OUT.png\n");
    return 2;
  }
  const int id = QFontDatabase::addApplicationFont(QString::fromLocal8Bit(argv[1]));
  const QStringList families = QFontDatabase::applicationFontFamilies(id);
  if (families.isEmpty()) {
    std::fprintf(stderr, "render_icon: cannot load the font %s\n", argv[1]);
    return 1;
  }
  const QImage image = isIcon ? icon(families.first(), QByteArray(argv[3]).toInt()) : logo(families.first());
  const char* out = argv[argc - 1];
  if (image.isNull() || !image.save(QString::fromLocal8Bit(out), "PNG")) {
    std::fprintf(stderr, "render_icon: cannot write %s\n", out);
    return 1;
  }
  return 0;
}
