// Editar posición on the real dialog, offscreen: pieces placed by clicks on
// its board, the reason shown while the position cannot be played.
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "dialogs/position_editor_dlg.h"
#include "test_positions.h"

namespace {

QPoint centre(const char* square) { return {(square[0] - 'a') * 40 + 20, (7 - (square[1] - '1')) * 40 + 20}; }

QPushButton* acceptButton(PositionEditorDlg& editor) {
  for (QPushButton* button : editor.findChildren<QPushButton*>())
    if (button->text() == QStringLiteral("Aceptar")) return button;
  return nullptr;
}

TEST(PositionEditor, ClicksBuildAPositionAndTheReasonFollowsIt) {
  PositionEditorDlg editor(fromFen(INITIAL_FEN));
  editor.show();
  auto* board = editor.findChild<QWidget*>(QStringLiteral("editorBoard"));
  ASSERT_NE(board, nullptr);
  EXPECT_TRUE(editor.canAccept());
  editor.clearBoard();
  EXPECT_EQ(editor.problemText(), QStringLiteral("Las blancas deben tener un rey, y solo uno."));
  EXPECT_FALSE(acceptButton(editor)->isEnabled());

  editor.choosePiece(WHITE_KING);
  QTest::mouseClick(board, Qt::LeftButton, {}, centre("e1"));
  editor.choosePiece(BLACK_KING);
  QTest::mouseClick(board, Qt::LeftButton, {}, centre("e8"));
  editor.choosePiece(WHITE_ROOK);
  QTest::mouseClick(board, Qt::LeftButton, {}, centre("a8"));
  EXPECT_EQ(editor.problemText(), QStringLiteral("El bando que no mueve está en jaque."));
  editor.setSideToMove(false);
  EXPECT_TRUE(editor.canAccept());
  EXPECT_TRUE(acceptButton(editor)->isEnabled());
  EXPECT_EQ(editor.fen(), QStringLiteral("R3k3/8/8/8/8/8/8/4K3 b - - 0 1"));

  // A second click with the same piece takes it off; the right button always does.
  QTest::mouseClick(board, Qt::LeftButton, {}, centre("a8"));
  EXPECT_EQ(editor.position().squares[parseSquare("a8")], EMPTY);
  QTest::mouseClick(board, Qt::RightButton, {}, centre("e8"));
  EXPECT_EQ(editor.problemText(), QStringLiteral("Las negras deben tener un rey, y solo uno."));

  // Castling and en passant only where the board allows them.
  editor.setInitialPosition();
  editor.choosePiece(WHITE_KNIGHT);
  QTest::mouseClick(board, Qt::RightButton, {}, centre("h1"));
  EXPECT_EQ(editor.problemText(),
            QStringLiteral("Para enrocar, el rey y la torre deben estar en sus casillas iniciales."));
  editor.setCastling(WHITE_QUEEN_SIDE | BLACK_CASTLING);
  EXPECT_TRUE(editor.canAccept());
  editor.setEnPassantFile(4);
  EXPECT_FALSE(editor.canAccept());
  EXPECT_TRUE(editor.problemText().startsWith(QStringLiteral("No hay captura al paso")));
  editor.setEnPassantFile(-1);
  EXPECT_EQ(editor.fen(), QStringLiteral("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBN1 w Qkq - 0 1"));
}

}  // namespace
