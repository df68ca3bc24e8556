// The generated font files: they load, carry the face names the view asks
// for and draw every character the glyph tables use.
#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QRawFont>

#include <gtest/gtest.h>

#include <set>

#include "font_glyphs.h"
#include "position/piece.h"
#include "position/square.h"

namespace {

struct FontFile {
  const char* file;
  const char* fontName;
  const char* family;
};

const FontFile FONT_FILES[] = {{"CHEQ_TT0.TTF", "Regular", "Chess Regular"}, {"merida.ttf", "Merida", "Chess Merida"}};

QString fontPath(const FontFile& f) { return QStringLiteral(KELVO_RUN_DIR "/") + f.file; }

std::set<unsigned char> tableCharacters(const char* fontName) {
  std::set<unsigned char> chars;
  for (int code = 0; code < 256; ++code)
    for (int square : {A1, B1}) chars.insert(fontGlyph(code, square, fontName));
  for (int part = 0; part <= static_cast<int>(FramePart::BottomRight); ++part)
    chars.insert(fontGlyph(static_cast<FramePart>(part), fontName));
  return chars;
}

// Dark pixels of one glyph drawn alone in a 64 x 64 cell.
int ink(const QRawFont& font, unsigned char ch) {
  QImage image(64, 64, QImage::Format_Grayscale8);
  image.fill(255);
  QPainter painter(&image);
  QFont qfont(font.familyName());
  qfont.setPixelSize(64);
  qfont.setStyleStrategy(QFont::NoFontMerging);
  painter.setFont(qfont);
  painter.setPen(Qt::black);
  painter.drawText(0, 64, QString(QChar(ch)));
  painter.end();
  int count = 0;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) count += image.pixelColor(x, y).value() < 128;
  return count;
}

class ChessFontTest : public ::testing::TestWithParam<FontFile> {
 protected:
  void SetUp() override {
    id = QFontDatabase::addApplicationFont(fontPath(GetParam()));
    ASSERT_NE(id, -1) << fontPath(GetParam()).toStdString();
    raw = QRawFont(fontPath(GetParam()), 64);
    ASSERT_TRUE(raw.isValid());
  }
  void TearDown() override {
    if (id != -1) QFontDatabase::removeApplicationFont(id);
  }
  int id = -1;
  QRawFont raw;
};

TEST_P(ChessFontTest, LoadsWithTheFaceName) {
  EXPECT_EQ(QFontDatabase::applicationFontFamilies(id), QStringList{GetParam().family});
  EXPECT_EQ(fontFamily(GetParam().fontName), GetParam().family);
}

TEST_P(ChessFontTest, HasAGlyphForEveryTableCharacter) {
  for (unsigned char ch : tableCharacters(GetParam().fontName)) {
    EXPECT_TRUE(raw.supportsCharacter(QChar(ch))) << "character " << int(ch);
  }
}

TEST_P(ChessFontTest, EveryGlyphIsOneSquareCell) {
  for (unsigned char ch : tableCharacters(GetParam().fontName)) {
    QList<quint32> glyphs = raw.glyphIndexesForString(QString(QChar(ch)));
    ASSERT_EQ(glyphs.size(), 1);
    QList<QPointF> advances = raw.advancesForGlyphIndexes(glyphs);
    EXPECT_DOUBLE_EQ(advances.at(0).x(), 64.0) << "character " << int(ch);
  }
  EXPECT_DOUBLE_EQ(raw.ascent() + raw.descent(), 64.0);
}

TEST_P(ChessFontTest, DarkSquaresCarryMoreInkThanLightOnes) {
  const char* name = GetParam().fontName;
  EXPECT_EQ(ink(raw, fontGlyph(EMPTY, B1, name)), 0);
  EXPECT_GT(ink(raw, fontGlyph(EMPTY, A1, name)), 64 * 64 / 4);
  for (int piece : {WHITE_ROOK, WHITE_KNIGHT, WHITE_BISHOP, WHITE_QUEEN, WHITE_KING, WHITE_PAWN, BLACK_PAWN,
                    BLACK_ROOK, BLACK_KNIGHT, BLACK_BISHOP, BLACK_QUEEN, BLACK_KING}) {
    const int light = ink(raw, fontGlyph(piece, B1, name));
    EXPECT_GT(light, 0) << piece;
    EXPECT_GT(ink(raw, fontGlyph(piece, A1, name)), light + 300) << piece;
  }
}

TEST_P(ChessFontTest, BlackPiecesCarryMoreInkThanWhiteOnes) {
  const char* name = GetParam().fontName;
  const std::pair<int, int> pairs[] = {{WHITE_ROOK, BLACK_ROOK},   {WHITE_KNIGHT, BLACK_KNIGHT},
                                       {WHITE_BISHOP, BLACK_BISHOP}, {WHITE_QUEEN, BLACK_QUEEN},
                                       {WHITE_KING, BLACK_KING},   {WHITE_PAWN, BLACK_PAWN}};
  for (auto [white, black] : pairs)
    for (int square : {A1, B1}) {
      EXPECT_GT(ink(raw, fontGlyph(black, square, name)), ink(raw, fontGlyph(white, square, name)) + 100)
          << white << " on " << square;
    }
}

INSTANTIATE_TEST_SUITE_P(BothFaces, ChessFontTest, ::testing::ValuesIn(FONT_FILES),
                         [](const auto& info) { return std::string(info.param.fontName); });

}  // namespace
