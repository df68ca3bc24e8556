// The generated font files: they load, carry the face names the view asks
// for and draw every character the glyph tables use.
#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QRawFont>

#include <gtest/gtest.h>

#include <set>

#include "board/font_glyphs.h"
#include "position/piece.h"
#include "position/square.h"

namespace {

struct FontFile {
  const char* file;
  const char* fontName;
  const char* family;
};

class ChessFontTest : public ::testing::TestWithParam<FontFile> {
 protected:
  void SetUp() override {
    const QString path = QStringLiteral(KELVO_RUN_DIR "/") + GetParam().file;
    id = QFontDatabase::addApplicationFont(path);
    ASSERT_NE(id, -1) << path.toStdString();
    raw = QRawFont(path, 64);
  }
  void TearDown() override { QFontDatabase::removeApplicationFont(id); }

  // Dark pixels of one glyph drawn alone in a 64 x 64 cell.
  int ink(int piece, int square) const {
    QImage image(64, 64, QImage::Format_Grayscale8);
    image.fill(255);
    QPainter painter(&image);
    QFont font(raw.familyName());
    font.setPixelSize(64);
    font.setStyleStrategy(QFont::NoFontMerging);
    painter.setFont(font);
    painter.drawText(0, 64, QString(QChar(fontGlyph(piece, square, GetParam().fontName))));
    painter.end();
    int count = 0;
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 64; ++x) count += image.constScanLine(y)[x] < 128;
    return count;
  }

  int id = -1;
  QRawFont raw;
};

TEST_P(ChessFontTest, LoadsWithTheFaceNameAndHasAOneCellGlyphForEveryTableCharacter) {
  EXPECT_EQ(QFontDatabase::applicationFontFamilies(id), QStringList{GetParam().family});
  EXPECT_EQ(fontFamily(GetParam().fontName), GetParam().family);
  std::set<unsigned char> chars;
  for (int code = 0; code < 256; ++code)
    for (int square : {A1, B1}) chars.insert(fontGlyph(code, square, GetParam().fontName));
  for (int part = 0; part <= static_cast<int>(FramePart::BottomRight); ++part)
    chars.insert(fontGlyph(static_cast<FramePart>(part), GetParam().fontName));
  for (unsigned char ch : chars) {
    EXPECT_TRUE(raw.supportsCharacter(QChar(ch))) << "character " << int(ch);
    const QList<quint32> glyphs = raw.glyphIndexesForString(QString(QChar(ch)));
    ASSERT_EQ(glyphs.size(), 1);
    EXPECT_DOUBLE_EQ(raw.advancesForGlyphIndexes(glyphs).at(0).x(), 64.0) << "character " << int(ch);
  }
  EXPECT_DOUBLE_EQ(raw.ascent() + raw.descent(), 64.0);
}

// A dark square is hatched, so its glyphs carry more ink; black pieces are filled in.
TEST_P(ChessFontTest, InkFollowsSquareAndPieceColour) {
  EXPECT_EQ(ink(EMPTY, B1), 0);
  EXPECT_GT(ink(EMPTY, A1), 64 * 64 / 4);
  for (int white : {WHITE_ROOK, WHITE_KNIGHT, WHITE_BISHOP, WHITE_QUEEN, WHITE_KING, WHITE_PAWN}) {
    const int black = white == WHITE_PAWN ? BLACK_PAWN : white + BLACK_ROOK;
    for (int piece : {white, black}) {
      EXPECT_GT(ink(piece, B1), 0) << piece;
      EXPECT_GT(ink(piece, A1), ink(piece, B1) + 300) << piece;
    }
    for (int square : {A1, B1}) EXPECT_GT(ink(black, square), ink(white, square) + 100) << white << " on " << square;
  }
}

INSTANTIATE_TEST_SUITE_P(BothFaces, ChessFontTest,
                         ::testing::Values(FontFile{"CHEQ_TT0.TTF", "Regular", "Chess Regular"},
                                           FontFile{"merida.ttf", "Merida", "Chess Merida"}),
                         [](const auto& info) { return std::string(info.param.fontName); });

}  // namespace
