// Checks two window grabs: each shows something (not one flat colour) and the
// second differs from the first. Exit status 0 when both hold.
#include <QImage>

#include <cstdio>
#include <set>

namespace {

bool isBlank(const QImage& image) {
  std::set<QRgb> colours;
  for (int y = 0; y < image.height(); y += 2)
    for (int x = 0; x < image.width(); x += 2) colours.insert(image.pixel(x, y));
  return colours.size() < 3;
}

int differingPixels(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return a.width() * a.height();
  int count = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y)) ++count;
  return count;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: screenshot_check START.png AFTER.png\n");
    return 2;
  }
  const QImage start(QString::fromLocal8Bit(argv[1]));
  const QImage after(QString::fromLocal8Bit(argv[2]));
  if (start.isNull() || after.isNull()) {
    std::fprintf(stderr, "cannot read the images\n");
    return 1;
  }
  if (isBlank(start) || isBlank(after)) {
    std::fprintf(stderr, "an image is blank\n");
    return 1;
  }
  const int changed = differingPixels(start, after);
  std::printf("%dx%d, %d pixels changed\n", after.width(), after.height(), changed);
  // Two pieces moved: far more than a few stray pixels must change.
  return changed >= 200 ? 0 : 1;
}
