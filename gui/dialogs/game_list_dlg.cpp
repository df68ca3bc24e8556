#include "game_list_dlg.h"

#include <QAbstractTableModel>
#include <QCollator>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {

constexpr int BATCH = 500;

}  // namespace

class GameListModel : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;
  enum Column { NUMBER, EVENT, WHITE, BLACK, RESULT, DATE, ECO, OPENING, MOVES, COLUMNS };

  int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(games.size()); }
  int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : COLUMNS; }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::TextAlignmentRole)) return {};
    const GameIndexEntry& game = games[index.row()];
    const bool number = index.column() == NUMBER || index.column() == MOVES;
    if (role == Qt::TextAlignmentRole)
      return number ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    switch (index.column()) {
      case NUMBER: return game.number;  // numbers sort as numbers
      case EVENT: return game.event;
      case WHITE: return game.white;
      case BLACK: return game.black;
      case RESULT: return game.result;
      case DATE: return game.date;
      case ECO: return game.eco;
      case OPENING: return game.opening;
      case MOVES: return game.moves;
      default: return {};
    }
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    static const char* const CAPTIONS[] = {
        QT_TRANSLATE_NOOP("CGameListDlg", "Nº"),        QT_TRANSLATE_NOOP("CGameListDlg", "Evento"),
        QT_TRANSLATE_NOOP("CGameListDlg", "Blancas"),   QT_TRANSLATE_NOOP("CGameListDlg", "Negras"),
        QT_TRANSLATE_NOOP("CGameListDlg", "Resultado"), QT_TRANSLATE_NOOP("CGameListDlg", "Fecha"),
        QT_TRANSLATE_NOOP("CGameListDlg", "ECO"),       QT_TRANSLATE_NOOP("CGameListDlg", "Apertura"),
        QT_TRANSLATE_NOOP("CGameListDlg", "Jugadas")};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= COLUMNS) return {};
    return QCoreApplication::translate("CGameListDlg", CAPTIONS[section]);
  }

  void append(const QVector<GameIndexEntry>& more) {
    if (more.isEmpty()) return;
    beginInsertRows({}, int(games.size()), int(games.size() + more.size()) - 1);
    games += more;
    endInsertRows();
  }

  QVector<GameIndexEntry> games;
};

// Texts sort with the numbers in them taken as numbers ("Jugador 10" before
// "Jugador 100"), letters without regard to case.
class NaturalSortProxy : public QSortFilterProxyModel {
 public:
  explicit NaturalSortProxy(QObject* parent) : QSortFilterProxyModel(parent) {
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
  }

 protected:
  bool lessThan(const QModelIndex& left, const QModelIndex& right) const override {
    const QVariant a = left.data(), b = right.data();
    if (a.typeId() == QMetaType::Int && b.typeId() == QMetaType::Int) return a.toInt() < b.toInt();
    return collator.compare(a.toString(), b.toString()) < 0;
  }

 private:
  QCollator collator;
};

CGameListDlg::CGameListDlg(const QString& path, QWidget* parent)
    : QDialog(parent),
      model(new GameListModel(this)),
      proxy(new NaturalSortProxy(this)),
      view(new QTableView(this)),
      filterEdit(new QLineEdit(this)),
      countLabel(new QLabel(this)) {
  setWindowTitle(tr("Partidas de %1").arg(QFileInfo(path).fileName()));
  proxy->setSourceModel(model);
  proxy->setFilterKeyColumn(-1);  // any column
  proxy->setFilterCaseSensitivity(Qt::CaseInsensitive);
  proxy->setSortCaseSensitivity(Qt::CaseInsensitive);
  view->setModel(proxy);
  view->setSortingEnabled(true);
  view->sortByColumn(GameListModel::NUMBER, Qt::AscendingOrder);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setSelectionMode(QAbstractItemView::SingleSelection);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->verticalHeader()->hide();
  view->horizontalHeader()->setStretchLastSection(false);
  view->horizontalHeader()->setSectionResizeMode(GameListModel::OPENING, QHeaderView::Stretch);
  view->setColumnWidth(GameListModel::NUMBER, 60);
  view->setColumnWidth(GameListModel::WHITE, 150);
  view->setColumnWidth(GameListModel::BLACK, 150);
  filterEdit->setPlaceholderText(tr("Filtrar: jugador, fecha, ECO, apertura..."));
  filterEdit->setClearButtonEnabled(true);
  connect(filterEdit, &QLineEdit::textChanged, proxy, &QSortFilterProxyModel::setFilterFixedString);
  connect(filterEdit, &QLineEdit::textChanged, this, &CGameListDlg::updateCount);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Open)->setText(tr("&Abrir"));
  buttons->button(QDialogButtonBox::Cancel)->setText(tr("Cancelar"));
  connect(buttons, &QDialogButtonBox::accepted, this, [this] {
    if (chosenOffset()) accept();
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(view, &QTableView::activated, this, [this] { accept(); });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(filterEdit);
  layout->addWidget(view);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(countLabel, 1);
  bottom->addWidget(buttons);
  layout->addLayout(bottom);
  resize(900, 500);
  filterEdit->setFocus();  // typing filters at once

  // The worker hands batches over through the event loop; once the dialog is
  // gone they are dropped, and the destructor stops and waits for it.
  reader = QThread::create([this, path] {
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
      indexGames(
          file,
          [this](QVector<GameIndexEntry> games) {
            QMetaObject::invokeMethod(this, [this, games] { addGames(games); }, Qt::QueuedConnection);
          },
          BATCH, -1, &stop);
    QMetaObject::invokeMethod(this, [this] {
      done = true;
      updateCount();
      emit gamesArrived();
    }, Qt::QueuedConnection);
  });
  reader->start();
  updateCount();
}

CGameListDlg::~CGameListDlg() {
  stop = true;
  reader->wait();
  delete reader;
}

void CGameListDlg::addGames(QVector<GameIndexEntry> games) {
  const bool first = model->games.isEmpty();
  model->append(games);
  if (first) view->selectRow(0);
  updateCount();
  emit gamesArrived();
}

int CGameListDlg::gameCount() const { return int(model->games.size()); }

void CGameListDlg::updateCount() {
  const QString shown = tr("%1 de %2 partidas").arg(proxy->rowCount()).arg(model->games.size());
  countLabel->setText(done ? shown : shown + tr(" (leyendo...)"));
}

std::optional<qint64> CGameListDlg::chosenOffset() const {
  const QModelIndex current = view->currentIndex();
  if (!current.isValid()) return std::nullopt;
  return model->games[proxy->mapToSource(current).row()].offset;
}

std::optional<qint64> CGameListDlg::choose(const QString& path, QWidget* parent) {
  CGameListDlg dialog(path, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.chosenOffset();
}
