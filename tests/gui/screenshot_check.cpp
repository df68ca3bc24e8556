// Checks two window grabs: each shows something (not one flat colour) and the
// second differs from the first. Exit status 0 when both hold.
#include <QImage>

#include <cstdio>
#include <set>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: screenshot_check START.png AFTER.png\n");
    return 2;
  }
  const QImage start(QString::fromLocal8Bit(argv[1])), after(QString::fromLocal8Bit(argv[2]));
  if (start.isNull() || after.isNull()) {
    std::fprintf(stderr, "cannot read the images\n");
    return 1;
  }
  std::set<QRgb> startColours, afterColours;
  int changed = 0;
  for (int y = 0; y < after.height(); ++y)
    for (int x = 0; x < after.width(); ++x) {
      const QRgb before = start.valid(x, y) ? start.pixel(x, y) : 0;
      startColours.insert(before);
      afterColours.insert(after.pixel(x, y));
      changed += before != after.pixel(x, y);
    }
  std::printf("%dx%d, %d pixels changed, %zu and %zu colours\n", after.width(), after.height(), changed,
              startColours.size(), afterColours.size());
  // Two pieces moved: far more than a few stray pixels must change.
  return startColours.size() >= 3 && afterColours.size() >= 3 && changed >= 200 ? 0 : 1;
}
