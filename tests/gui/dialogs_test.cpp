#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "config_dlg.h"
#include "debug_dialog.h"
#include "get_text_dlg.h"
#include "promoting_sel_dlg.h"
#include "right_bar_dlg.h"

namespace {

// Runs `act` on the modal dialog once it is up.
void whenModal(std::function<void(QWidget*)> act) {
  QTimer::singleShot(0, [act] {
    if (QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }, 5000))
      act(QApplication::activeModalWidget());
  });
}

TEST(PromotingSelDlg, EachButtonGivesItsPiece) {
  const std::pair<int, int> buttons[] = {{0, 3}, {1, 0}, {2, 1}, {3, 2}};
  for (auto [index, piece] : buttons) {
    CPromotingSelDlg dialog;
    EXPECT_EQ(dialog.answer(), 3);
    dialog.show();
    QTest::mouseClick(dialog.button(index), Qt::LeftButton);
    EXPECT_EQ(dialog.answer(), piece);
    EXPECT_FALSE(dialog.isVisible());
  }
}

TEST(PromotingSelDlg, CaptionsAndTitle) {
  CPromotingSelDlg dialog;
  EXPECT_EQ(dialog.windowTitle(), QLatin1String("Promoting"));
  const char* captions[] = {"QUEEN", "ROOK", "KNIGHT", "BISHOP"};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(dialog.button(i)->text(), QLatin1String(captions[i]));
    EXPECT_EQ(dialog.button(i)->iconSize(), QSize(32, 30));
  }
}

TEST(PromotingSelDlg, ClosingWithoutAChoiceGivesTheQueen) {
  whenModal([](QWidget* dialog) { dialog->close(); });
  EXPECT_EQ(CPromotingSelDlg::ask(nullptr), 3);
  whenModal([](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
  EXPECT_EQ(CPromotingSelDlg::ask(nullptr), 3);
  whenModal([](QWidget* dialog) { static_cast<CPromotingSelDlg*>(dialog)->button(2)->click(); });
  EXPECT_EQ(CPromotingSelDlg::ask(nullptr), 1);
}

TEST(PromotingSelDlg, SuffixOfEachAnswer) {
  EXPECT_EQ(CPromotingSelDlg::suffix(3), QLatin1String("=Q"));
  EXPECT_EQ(CPromotingSelDlg::suffix(0), QLatin1String("=R"));
  EXPECT_EQ(CPromotingSelDlg::suffix(1), QLatin1String("=N"));
  EXPECT_EQ(CPromotingSelDlg::suffix(2), QLatin1String("=B"));
}

TEST(GetTextDlg, OkCopiesTheTextAndClosingGivesNothing) {
  CGetTextDlg typed;
  EXPECT_EQ(typed.windowTitle(), QLatin1String("Issue command"));
  whenModal([](QWidget* dialog) {
    auto* self = static_cast<CGetTextDlg*>(dialog);
    QTest::keyClicks(self->edit, QStringLiteral("ping 7"));
    self->findChild<QPushButton*>()->click();
  });
  typed.exec();
  EXPECT_EQ(typed.text(), QLatin1String("ping 7"));

  CGetTextDlg closed;
  whenModal([](QWidget* dialog) { dialog->close(); });
  closed.exec();
  EXPECT_EQ(closed.text(), QString());
}

TEST(ConfigDlg, ShowsAndReturnsTheFiveSwitches) {
  CConfigDlg dialog({true, false, true, false, true});
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Configuración"));
  EXPECT_EQ(dialog.debugBox->text(), QStringLiteral("Depuración (sí, soy experto)"));
  EXPECT_EQ(dialog.postBox->text(), QStringLiteral("Mostrar línea de pensamiento"));
  dialog.randomFactorBox->setChecked(true);
  dialog.debugBox->setChecked(false);
  const CConfigDlg::Choices chosen = dialog.choices();
  EXPECT_TRUE(chosen.openingBook);
  EXPECT_TRUE(chosen.randomFactor);
  EXPECT_TRUE(chosen.post);
  EXPECT_FALSE(chosen.debugFiles);
  EXPECT_FALSE(chosen.debug);
}

TEST(DebugDialog, StatisticsAndTheSpeedThatOutlivesZeroFigures) {
  CDebugDialog dialog;
  dialog.show();
  dialog.showStats(5000, 50);
  EXPECT_EQ(dialog.fieldText(QStringLiteral("Time")), QLatin1String("0.50"));
  EXPECT_EQ(dialog.fieldText(QStringLiteral("Nodos")), QLatin1String("5000"));
  dialog.updateFields();
  EXPECT_EQ(dialog.fieldText(QStringLiteral("speed")), QLatin1String("(10.0)"));
  dialog.showStats(0, 0);
  dialog.updateFields();
  EXPECT_EQ(dialog.fieldText(QStringLiteral("speed")), QLatin1String("(10.0)"));
}

TEST(DebugDialog, TextIsTakenOnlyWhileShownAndClearedOnRequest) {
  CDebugDialog dialog;
  dialog.appendText(0, QStringLiteral("hidden\n"));
  EXPECT_EQ(dialog.logText(), QString());
  dialog.show();
  dialog.appendText(255, QStringLiteral("one\n"));
  dialog.appendText(0, QStringLiteral("two\n"));
  EXPECT_EQ(dialog.logText(), QLatin1String("one\ntwo\n"));
  dialog.clearLog();
  EXPECT_EQ(dialog.logText(), QString());
  EXPECT_EQ(dialog.windowTitle(), QLatin1String("Debug window"));
}

TEST(RightBarDlg, HeadStartsAtZeroClocks) {
  CRightBarDlg bar;
  EXPECT_EQ(bar.head(), QLatin1String("0:00 - 0:00"));
  bar.setMoveList(QStringLiteral("1.e4 e5 \n2.Nf3"));
  EXPECT_EQ(bar.moveList(), QLatin1String("1.e4 e5 \n2.Nf3"));
}

}  // namespace
