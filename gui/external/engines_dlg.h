#pragma once
// Motores: the configured engines (kelvo first), engines added by name, by a
// file dialog or found installed, each asked its protocol before it is
// listed; the selected engine's options as it declares them, with the value
// column editable. Aceptar saves the list per user.

#include <QDialog>

#include <memory>

#include "chess_engine.h"
#include "engine_list.h"

class QLabel;
class QPushButton;
class QTableWidget;

class EnginesDlg : public QDialog {
  Q_OBJECT

 public:
  // Refuses what cannot be used, with the reason; otherwise closes.
  void accept() override;
  EnginesDlg(EngineList& list, QWidget* parent = nullptr);

  // Asks the engine named by `command` its protocol and adds it; a fault is shown.
  void addCommand(const QString& command);
  // The engine table's rows, for tests: name, protocol, command.
  QTableWidget* engineTable() const { return engines; }
  QTableWidget* optionTable() const { return optionsTable; }
  // Where the dialog tells what it is doing ("Leyendo opciones...") or what failed.
  QString statusText() const;

 signals:
  // An engine was added or its options were read: tests wait on these.
  void engineAdded(const QString& name);
  void optionsShown(int count);
  void faultShown(const QString& reason);

 private:
  void fillEngines();
  void showOptionsOf(int row);
  void optionEdited(int row, int column);
  void addByName();
  void addByFile();
  void addInstalled();
  void removeSelected();
  void tellFault(const QString& reason);

  EngineList& list;
  QTableWidget* engines;
  QTableWidget* optionsTable;
  QLabel* status;
  QPushButton* removeButton;
  std::unique_ptr<ChessEngine> reader;  // the engine whose options are being read
  QList<EngineOption> shownOptions;
  int shownRow = -1;
  bool filling = false;
};
