#include "right_bar_dlg.h"

#include <QLabel>
#include <QScrollBar>
#include <QTextEdit>
#include <QVBoxLayout>

CRightBarDlg::CRightBarDlg(QWidget* parent) : QWidget(parent), moves(new QTextEdit(this)), headField(new QLabel(this)) {
  setObjectName(QStringLiteral("rightBar"));
  moves->setObjectName(QStringLiteral("moveList"));
  moves->setReadOnly(true);
  moves->setLineWrapMode(QTextEdit::NoWrap);
  moves->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  // A long line ("14.Qxe7+ Kxe7") is wider than the bar: it scrolls sideways.
  moves->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  headField->setObjectName(QStringLiteral("head"));
  headField->setAlignment(Qt::AlignCenter);
  headField->setText(QStringLiteral("0:00 - 0:00"));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(moves, 1);
  layout->addWidget(headField);
  setFixedWidth(BAR_WIDTH);
}

void CRightBarDlg::setMoveList(const QString& text) {
  if (text == moves->toPlainText()) return;
  moves->setPlainText(text);
  moves->verticalScrollBar()->setValue(moves->verticalScrollBar()->maximum());
}

QString CRightBarDlg::moveList() const { return moves->toPlainText(); }

void CRightBarDlg::setHead(const QString& text) { headField->setText(text); }

QString CRightBarDlg::head() const { return headField->text(); }
