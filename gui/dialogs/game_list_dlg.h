#pragma once
// The games of a PGN collection as a table to choose one from: sortable by
// any column, filtered by a typed text, filled from a worker thread as the
// file is read so a large collection is usable at once.

#include <QDialog>
#include <QThread>

#include <atomic>
#include <optional>

#include "files/game_index.h"

class QLabel;
class QLineEdit;
class QSortFilterProxyModel;
class QTableView;
class GameListModel;

class CGameListDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CGameListDlg(const QString& path, QWidget* parent = nullptr);
  ~CGameListDlg() override;

  // Where the chosen game begins, or nothing when the list was closed.
  static std::optional<qint64> choose(const QString& path, QWidget* parent);
  std::optional<qint64> chosenOffset() const;

  QTableView* table() const { return view; }
  QLineEdit* filter() const { return filterEdit; }
  // The games read so far.
  int gameCount() const;
  bool readingDone() const { return done; }

 signals:
  void gamesArrived();

 private:
  void addGames(QVector<GameIndexEntry> games);
  void updateCount();

  GameListModel* model;
  QSortFilterProxyModel* proxy;
  QTableView* view;
  QLineEdit* filterEdit;
  QLabel* countLabel;
  QThread* reader = nullptr;
  std::atomic<bool> stop{false};
  bool done = false;
};
