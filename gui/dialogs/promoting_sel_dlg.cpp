#include "promoting_sel_dlg.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

#include "board/font_glyphs.h"
#include "position/piece.h"
#include "position/square.h"

namespace {

struct Choice {
  const char* caption;
  int piece;
};
constexpr Choice CHOICES[4] = {{QT_TRANSLATE_NOOP("CPromotingSelDlg", "QUEEN"), WHITE_QUEEN},
                               {QT_TRANSLATE_NOOP("CPromotingSelDlg", "ROOK"), WHITE_ROOK},
                               {QT_TRANSLATE_NOOP("CPromotingSelDlg", "KNIGHT"), WHITE_KNIGHT},
                               {QT_TRANSLATE_NOOP("CPromotingSelDlg", "BISHOP"), WHITE_BISHOP}};

constexpr int BITMAP_WIDTH = 32;
constexpr int BITMAP_HEIGHT = 30;
constexpr int BUTTON_SIZE = 40;  // the bitmap with a few pixels of edge around it

// The piece as the board draws it on a light square, in the screen's own pixels.
QPixmap pieceBitmap(int piece, qreal ratio) {
  QPixmap bitmap(QSize(BITMAP_WIDTH, BITMAP_HEIGHT) * ratio);
  bitmap.setDevicePixelRatio(ratio);
  bitmap.fill(Qt::white);
  QPainter painter(&bitmap);
  QFont font(QString::fromLatin1(fontFamily("Regular").data(), static_cast<qsizetype>(fontFamily("Regular").size())));
  font.setPixelSize(28);
  painter.setFont(font);
  painter.setPen(Qt::black);
  const char glyph = static_cast<char>(fontGlyph(piece, A8, "Regular"));  // a8 is a light square
  painter.drawText(QRect(0, 0, BITMAP_WIDTH, BITMAP_HEIGHT), Qt::AlignCenter, QString(QChar::fromLatin1(glyph)));
  return bitmap;
}

}  // namespace

CPromotingSelDlg::CPromotingSelDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("Promoting"));
  auto* layout = new QHBoxLayout(this);
  // Square bitmap buttons: the picture is the button; the caption names it
  // for tooltips and screen readers.
  for (int i = 0; i < 4; ++i) {
    const QString caption = tr(CHOICES[i].caption);
    buttons[i] = new QPushButton(this);
    buttons[i]->setObjectName(QString::fromLatin1(CHOICES[i].caption));
    buttons[i]->setAccessibleName(caption);
    buttons[i]->setToolTip(caption);
    buttons[i]->setIcon(QIcon(pieceBitmap(CHOICES[i].piece, devicePixelRatioF())));
    buttons[i]->setIconSize(QSize(BITMAP_WIDTH, BITMAP_HEIGHT));
    buttons[i]->setFixedSize(BUTTON_SIZE, BUTTON_SIZE);
    buttons[i]->setAutoDefault(false);
    const int piece = CHOICES[i].piece;
    connect(buttons[i], &QPushButton::clicked, this, [this, piece] {
      chosen = piece;
      accept();
    });
    layout->addWidget(buttons[i]);
  }
}

int CPromotingSelDlg::ask(QWidget* parent) {
  CPromotingSelDlg dialog(parent);
  dialog.exec();
  return dialog.answer();
}

QString CPromotingSelDlg::suffix(int answer) {
  switch (answer) {
    case WHITE_ROOK: return QStringLiteral("=R");
    case WHITE_KNIGHT: return QStringLiteral("=N");
    case WHITE_BISHOP: return QStringLiteral("=B");
    default: return QStringLiteral("=Q");
  }
}
