#include "review_panel.h"

#include <QCoreApplication>
#include <QLabel>
#include <QGridLayout>

#include <algorithm>

#include "eval_graph.h"
#include "spanish_notation.h"

namespace {

QString coloured(const QString& text, MoveMark mark) {
  return QStringLiteral("<b style=\"color:%1\">%2</b>").arg(markColour(mark).name(), text.toHtmlEscaped());
}

QLabel* wrappingLabel(const char* name) {
  auto* label = new QLabel;
  label->setObjectName(QString::fromLatin1(name));
  label->setWordWrap(true);
  label->setTextFormat(Qt::RichText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

}  // namespace

ReviewPanel::ReviewPanel(QWidget* parent)
    : QWidget(parent),
      white(wrappingLabel("whiteSummary")),
      black(wrappingLabel("blackSummary")),
      legend(wrappingLabel("legend")),
      verdictLabel(wrappingLabel("verdict")) {
  setObjectName(QStringLiteral("reviewPanel"));
  // Under the graph: the sides side by side, then the legend and the verdict.
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(6, 2, 6, 2);
  layout->setSpacing(4);
  layout->addWidget(white, 0, 0);
  layout->addWidget(black, 0, 1);
  layout->addWidget(legend, 1, 0, 1, 2);
  layout->addWidget(verdictLabel, 2, 0, 1, 2);
  layout->setRowStretch(2, 1);
  const MoveMark kinds[] = {MoveMark::INACCURACY, MoveMark::MISTAKE, MoveMark::BLUNDER};
  const char* names[] = {QT_TRANSLATE_NOOP("GameReview", "imprecisión"), QT_TRANSLATE_NOOP("GameReview", "error"),
                         QT_TRANSLATE_NOOP("GameReview", "error grave")};
  QStringList parts;
  for (int i = 0; i < 3; ++i)
    parts << coloured(markSign(kinds[i]), kinds[i]) + u' ' + QCoreApplication::translate("GameReview", names[i]);
  legend->setText(parts.join(QStringLiteral(" &nbsp; ")));
  // Room for a verdict's three lines before there is one, so the graph keeps its height.
  verdictLabel->setMinimumHeight(3 * fontMetrics().lineSpacing());
}

void ReviewPanel::setReview(const GameReview& newReview) {
  review = newReview;
  auto side = [](const QString& name, const SideSummary& summary) {
    return QStringLiteral("<b>%1</b> ").arg(name) + summaryText(summary).toHtmlEscaped().replace(
                                                         QStringLiteral(" · "), QStringLiteral("<br>"));
  };
  white->setText(side(tr("Blancas"), review.summary.white));
  black->setText(side(tr("Negras"), review.summary.black));
  verdict.clear();
  verdictLabel->clear();
}

void ReviewPanel::showPosition(const std::vector<CChessBoard>& positions, int shown) {
  verdict.clear();
  verdictLabel->clear();
  const int move = shown - 1;  // the move that led to the shown position
  if (move < 0 || move >= static_cast<int>(review.marks.size()) || shown >= static_cast<int>(positions.size()))
    return;
  const MoveMark mark = review.marks[move];
  if (mark == MoveMark::NONE) return;
  const CChessBoard& before = positions[move];
  const int number = 1 + (move + (positions[0].sideToMove ? 0 : 1)) / 2;
  const QString played = notatedLine(before, number, {positions[shown].lastMove}) + markSign(mark);
  QStringList plain{played + u' ' + markName(mark)};
  QStringList rich{coloured(played, mark) + u' ' + markName(mark).toHtmlEscaped()};
  if (move < static_cast<int>(review.betterMoves.size()) && !review.betterMoves[move].isEmpty()) {
    plain << tr("Mejor: %1").arg(review.betterMoves[move]);
    rich << plain.back().toHtmlEscaped();
  }
  if (move < static_cast<int>(review.betterLines.size()) && review.betterLines[move].size() > 1) {
    // Its first moves: a line longer than the panel is wide is read no better.
    const std::vector<Move>& line = review.betterLines[move];
    const std::vector<Move> start(line.begin(), line.begin() + std::min<std::size_t>(line.size(), 8));
    plain << tr("Línea: %1").arg(notatedLine(before, number, start));
    rich << plain.back().toHtmlEscaped();
  }
  verdict = plain.join(u'\n');
  verdictLabel->setText(rich.join(QStringLiteral("<br>")));
}
