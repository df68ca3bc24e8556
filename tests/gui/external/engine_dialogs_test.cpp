// Motores and Nueva partida as the player uses them.
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "common/message_sink.h"
#include "external/engines_dlg.h"
#include "external/new_game_dlg.h"

namespace {

int rowOf(const QTableWidget* table, const QString& name) {
  for (int row = 0; row < table->rowCount(); ++row)
    if (table->item(row, 0)->text() == name) return row;
  return -1;
}

// Added by name, asked its protocol, its options edited within their range,
// saved and read back.
TEST(EnginesDialog, AnEngineAddedByNameShowsItsOptionsAndKeepsAnEditedValue) {
  QTemporaryDir dir;
  QStringList boxes;
  setMessageSink([&](QMessageBox::Icon, const QString&, const QString& text) { boxes << text; });
  EngineList list(dir.filePath("engines.ini"));
  EnginesDlg dialog(list);
  QSignalSpy added(&dialog, &EnginesDlg::engineAdded);
  dialog.addCommand("stockfish");
  ASSERT_TRUE(added.wait(15000));
  const int row = rowOf(dialog.engineTable(), "Stockfish 15.1");
  ASSERT_EQ(row, 1);
  EXPECT_EQ(dialog.engineTable()->item(0, 0)->text(), "kelvo");
  EXPECT_EQ(dialog.engineTable()->item(row, 1)->text(), "UCI");

  QSignalSpy shown(&dialog, &EnginesDlg::optionsShown);
  dialog.engineTable()->setCurrentCell(row, 0);
  ASSERT_TRUE(shown.wait(15000));
  QTableWidget* options = dialog.optionTable();
  const int skill = rowOf(options, "Skill Level");
  ASSERT_GE(skill, 0);
  EXPECT_EQ(options->item(skill, 2)->text(), "20");
  options->item(skill, 2)->setText("3");
  options->item(skill, 2)->setText("99");  // out of range: back to 3
  EXPECT_EQ(options->item(skill, 2)->text(), "3");
  EXPECT_TRUE(dialog.statusText().startsWith("Valor no válido"));
  dialog.accept();

  EngineList again(dir.filePath("engines.ini"));
  again.load();
  ASSERT_EQ(again.engines().size(), 2);
  EXPECT_EQ(again.engines()[1].optionValues, (QMap<QString, QString>{{"Skill Level", "3"}}));

  dialog.addCommand("no-such-engine-here");
  ASSERT_FALSE(boxes.isEmpty());
  EXPECT_EQ(boxes.last(), "No se encuentra el programa no-such-engine-here.");
  setMessageSink({});
}

TEST(NewGameDialog, SeatsClockAndStartAreWhatWasChosenAndABadFenIsRefused) {
  QStringList boxes;
  setMessageSink([&](QMessageBox::Icon, const QString&, const QString& text) { boxes << text; });
  QTemporaryDir dir;
  EngineList list(dir.filePath("engines.ini"));
  list.add({"Stockfish", "stockfish", {}, EngineProtocol::Uci, {}});
  NewGameDlg::Choices shown;
  shown.black.engine = 0;
  NewGameDlg dialog(list, shown);
  EXPECT_EQ(dialog.playerBox(1)->currentText(), "Persona");
  EXPECT_FALSE(dialog.levelBox(1)->isEnabled());
  EXPECT_EQ(dialog.playerBox(0)->currentText(), "kelvo");
  EXPECT_EQ(dialog.levelBox(0)->maximum(), 10);  // kelvo's ladder

  dialog.playerBox(1)->setCurrentIndex(2);  // Stockfish
  EXPECT_EQ(dialog.levelBox(1)->maximum(), 20);
  dialog.levelBox(1)->setValue(3);
  dialog.setStart(NewGameDlg::Start::Fen);
  dialog.fenEdit()->setText("8/8/8 w - - 0 1");
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Rejected);  // still open
  EXPECT_EQ(boxes.value(0), "La posición FEN no es válida.");

  dialog.fenEdit()->setText("6k1/8/6K1/8/8/8/8/R7 b - - 0 1");
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  const NewGameDlg::Choices chosen = dialog.choices();
  EXPECT_EQ(chosen.white.engine, 1);
  EXPECT_EQ(chosen.white.level, 3);
  EXPECT_EQ(chosen.black.engine, 0);
  EXPECT_EQ(chosen.start, NewGameDlg::Start::Fen);
  setMessageSink({});
}

}  // namespace
