#include "position_editor_dlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "position/fen.h"

namespace {

constexpr int CELL = 40;
constexpr std::uint8_t CASTLING_BITS[4] = {WHITE_KING_SIDE, WHITE_QUEEN_SIDE, BLACK_KING_SIDE, BLACK_QUEEN_SIDE};
const Piece PALETTE[] = {WHITE_KING, WHITE_QUEEN, WHITE_ROOK, WHITE_BISHOP, WHITE_KNIGHT, WHITE_PAWN,
                         BLACK_KING, BLACK_QUEEN, BLACK_ROOK, BLACK_BISHOP, BLACK_KNIGHT, BLACK_PAWN, EMPTY};

// The chess figurines of Unicode, which the usual desktop fonts carry.
QString figurine(Piece piece) {
  switch (piece) {
    case WHITE_KING: return QStringLiteral("♔");
    case WHITE_QUEEN: return QStringLiteral("♕");
    case WHITE_ROOK: return QStringLiteral("♖");
    case WHITE_BISHOP: return QStringLiteral("♗");
    case WHITE_KNIGHT: return QStringLiteral("♘");
    case WHITE_PAWN: return QStringLiteral("♙");
    case BLACK_KING: return QStringLiteral("♚");
    case BLACK_QUEEN: return QStringLiteral("♛");
    case BLACK_ROOK: return QStringLiteral("♜");
    case BLACK_BISHOP: return QStringLiteral("♝");
    case BLACK_KNIGHT: return QStringLiteral("♞");
    case BLACK_PAWN: return QStringLiteral("♟");
    default: return QString();
  }
}

}  // namespace

QString setupProblemText(SetupProblem problem) {
  switch (problem) {
    case SetupProblem::WHITE_KING_COUNT: return PositionEditorDlg::tr("Las blancas deben tener un rey, y solo uno.");
    case SetupProblem::BLACK_KING_COUNT: return PositionEditorDlg::tr("Las negras deben tener un rey, y solo uno.");
    case SetupProblem::PAWN_ON_END_RANK:
      return PositionEditorDlg::tr("Un peón no puede estar en la primera ni en la octava fila.");
    case SetupProblem::TOO_MANY_WHITE:
      return PositionEditorDlg::tr("Las blancas tienen más de 16 piezas o más de 8 peones.");
    case SetupProblem::TOO_MANY_BLACK:
      return PositionEditorDlg::tr("Las negras tienen más de 16 piezas o más de 8 peones.");
    case SetupProblem::CASTLING_WITHOUT_HOME:
      return PositionEditorDlg::tr("Para enrocar, el rey y la torre deben estar en sus casillas iniciales.");
    case SetupProblem::EN_PASSANT_WITHOUT_PAWN:
      return PositionEditorDlg::tr(
          "No hay captura al paso posible en esa columna: falta el peón que acaba de avanzar dos casillas.");
    case SetupProblem::WAITING_SIDE_IN_CHECK:
      return PositionEditorDlg::tr("El bando que no mueve está en jaque.");
    default: return QString();
  }
}

// The board of the editor: White at the bottom, a click names a square.
class PositionEditorDlg::BoardWidget : public QWidget {
 public:
  explicit BoardWidget(PositionEditorDlg* editor) : QWidget(editor), editor(editor) {
    setObjectName(QStringLiteral("editorBoard"));
    setFixedSize(8 * CELL, 8 * CELL);
  }

  static QRect cellOf(Square square) {
    return {fileOf(square) * CELL, (7 - rankOf(square)) * CELL, CELL, CELL};
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    QFont font = painter.font();
    font.setPixelSize(CELL * 3 / 4);
    painter.setFont(font);
    for (Square s : ALL_SQUARES) {
      const bool dark = (fileOf(s) + rankOf(s)) % 2 == 0;
      painter.fillRect(cellOf(s), dark ? QColor(181, 136, 99) : QColor(240, 217, 181));
      painter.setPen(Qt::black);
      painter.drawText(cellOf(s), Qt::AlignCenter, figurine(editor->edited.squares[s]));
    }
  }
  void mousePressEvent(QMouseEvent* event) override {
    const QPoint at = event->position().toPoint();
    if (!rect().contains(at)) return;
    editor->clickSquare(static_cast<Square>(makeSquare(at.x() / CELL, 7 - at.y() / CELL)),
                        event->button() == Qt::RightButton);
  }

 private:
  PositionEditorDlg* editor;
};

PositionEditorDlg::PositionEditorDlg(const CChessBoard& start, QWidget* parent)
    : QDialog(parent),
      edited(start),
      board(new BoardWidget(this)),
      palette(new QButtonGroup(this)),
      side(new QComboBox(this)),
      enPassant(new QComboBox(this)),
      problem(new QLabel(this)),
      acceptButton(new QPushButton(tr("Aceptar"), this)) {
  setWindowTitle(tr("Editar posición"));
  edited.lastMove = Move();
  edited.parent = edited.child = nullptr;

  auto* pieces = new QGridLayout;
  for (int i = 0; i < 13; ++i) {
    auto* button = new QToolButton(this);
    button->setCheckable(true);
    button->setText(PALETTE[i] == EMPTY ? tr("Borrar") : figurine(PALETTE[i]));
    QFont font = button->font();
    if (PALETTE[i] != EMPTY) font.setPixelSize(24);
    button->setFont(font);
    palette->addButton(button, i);
    pieces->addWidget(button, i / 6, i % 6, 1, PALETTE[i] == EMPTY ? 6 : 1);
  }
  palette->setExclusive(true);
  palette->button(5)->setChecked(true);
  connect(palette, &QButtonGroup::idClicked, this, [this](int id) { chosen = PALETTE[id]; });

  side->addItems({tr("Juegan blancas"), tr("Juegan negras")});
  const char* castlingNames[4] = {QT_TR_NOOP("O-O blancas"), QT_TR_NOOP("O-O-O blancas"), QT_TR_NOOP("O-O negras"),
                                  QT_TR_NOOP("O-O-O negras")};
  auto* rights = new QGridLayout;
  for (int i = 0; i < 4; ++i) {
    castling[i] = new QCheckBox(tr(castlingNames[i]), this);
    rights->addWidget(castling[i], i / 2, i % 2);
    connect(castling[i], &QCheckBox::toggled, this, [this, i](bool on) {
      edited.castlingRights = on ? edited.castlingRights | CASTLING_BITS[i]
                                 : edited.castlingRights & static_cast<std::uint8_t>(~CASTLING_BITS[i]);
      check();
    });
  }
  enPassant->addItem(tr("Sin captura al paso"));
  for (char file = 'a'; file <= 'h'; ++file) enPassant->addItem(tr("Al paso: columna %1").arg(QChar(file)));
  connect(side, &QComboBox::activated, this, [this](int index) { setSideToMove(index == 0); });
  connect(enPassant, &QComboBox::activated, this, [this](int index) { setEnPassantFile(index - 1); });

  auto* initial = new QPushButton(tr("Posición inicial"), this);
  auto* empty = new QPushButton(tr("Vaciar"), this);
  auto* cancel = new QPushButton(tr("Cancelar"), this);
  connect(initial, &QPushButton::clicked, this, &PositionEditorDlg::setInitialPosition);
  connect(empty, &QPushButton::clicked, this, &PositionEditorDlg::clearBoard);
  connect(acceptButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  problem->setWordWrap(true);
  problem->setStyleSheet(QStringLiteral("color: #b00000"));

  auto* controls = new QVBoxLayout;
  controls->addLayout(pieces);
  controls->addWidget(side);
  controls->addLayout(rights);
  controls->addWidget(enPassant);
  controls->addWidget(initial);
  controls->addWidget(empty);
  controls->addStretch();
  auto* top = new QHBoxLayout;
  top->addWidget(board);
  top->addLayout(controls);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(problem, 1);
  buttons->addWidget(acceptButton);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(buttons);
  showControls();
  check();
}

void PositionEditorDlg::choosePiece(Piece piece) {
  chosen = piece;
  for (int i = 0; i < 13; ++i)
    if (PALETTE[i] == piece) palette->button(i)->setChecked(true);
}

void PositionEditorDlg::clickSquare(Square square, bool clear) {
  if (!isValidSquare(square)) return;
  Piece& on = edited.squares[square];
  on = clear || on == chosen ? EMPTY : chosen;
  check();
}

void PositionEditorDlg::setSideToMove(bool white) {
  edited.sideToMove = white ? 1 : 0;
  // The en-passant pawn belongs to the side that just moved: its rank follows.
  if (edited.enPassantSquare != NO_SQUARE) setEnPassantFile(fileOf(edited.enPassantSquare));
  showControls();
  check();
}

void PositionEditorDlg::setCastling(std::uint8_t rights) {
  edited.castlingRights = rights;
  showControls();
  check();
}

void PositionEditorDlg::setEnPassantFile(int file) {
  edited.enPassantSquare =
      file < 0 || file > 7 ? NO_SQUARE : static_cast<Square>(makeSquare(file, edited.sideToMove ? 4 : 3));
  showControls();
  check();
}

void PositionEditorDlg::setInitialPosition() {
  edited.setupInitialPosition();
  edited.lastMove = Move();
  showControls();
  check();
}

void PositionEditorDlg::clearBoard() {
  for (Square s : ALL_SQUARES) edited.squares[s] = EMPTY;
  edited.castlingRights = 0;
  edited.enPassantSquare = NO_SQUARE;
  showControls();
  check();
}

void PositionEditorDlg::showControls() {
  side->setCurrentIndex(edited.sideToMove ? 0 : 1);
  for (int i = 0; i < 4; ++i) {
    const QSignalBlocker quiet(castling[i]);
    castling[i]->setChecked(edited.castlingRights & CASTLING_BITS[i]);
  }
  enPassant->setCurrentIndex(edited.enPassantSquare == NO_SQUARE ? 0 : fileOf(edited.enPassantSquare) + 1);
}

void PositionEditorDlg::check() {
  problem->setText(problemText());
  acceptButton->setEnabled(canAccept());
  board->update();
}

QString PositionEditorDlg::fen() const { return QString::fromStdString(positionToFen(edited)); }

QString PositionEditorDlg::problemText() const { return setupProblemText(setupProblem(edited)); }

bool PositionEditorDlg::canAccept() const { return setupProblem(edited) == SetupProblem::NONE; }
