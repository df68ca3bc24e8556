#include "engines_dlg.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "common/message_sink.h"
#include "engine_discovery.h"
#include "protocol_probe.h"

namespace {

QTableWidgetItem* readOnly(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(item->flags() & ~Qt::ItemIsEditable);
  return item;
}

QString protocolShown(EngineProtocol protocol) {
  switch (protocol) {
    case EngineProtocol::BuiltIn: return EnginesDlg::tr("integrado");
    case EngineProtocol::Uci: return QStringLiteral("UCI");
    case EngineProtocol::Cecp: return QStringLiteral("xboard");
    default: return EnginesDlg::tr("no utilizable");  // a protocol this program does not speak
  }
}

}  // namespace

EnginesDlg::EnginesDlg(EngineList& list, QWidget* parent)
    : QDialog(parent),
      list(list),
      engines(new QTableWidget(0, 3, this)),
      optionsTable(new QTableWidget(0, 3, this)),
      status(new QLabel(this)),
      removeButton(new QPushButton(tr("&Quitar"), this)) {
  setWindowTitle(tr("Motores"));
  engines->setHorizontalHeaderLabels({tr("Motor"), tr("Protocolo"), tr("Orden")});
  engines->setSelectionBehavior(QAbstractItemView::SelectRows);
  engines->setSelectionMode(QAbstractItemView::SingleSelection);
  engines->horizontalHeader()->setStretchLastSection(true);
  engines->verticalHeader()->hide();
  optionsTable->setHorizontalHeaderLabels({tr("Opción"), tr("Tipo"), tr("Valor")});
  optionsTable->horizontalHeader()->setStretchLastSection(true);
  optionsTable->verticalHeader()->hide();

  auto* byName = new QPushButton(tr("Añadir por &nombre..."), this);
  auto* byFile = new QPushButton(tr("Añadir &archivo..."), this);
  auto* installed = new QPushButton(tr("&Buscar instalados"), this);
  connect(byName, &QPushButton::clicked, this, &EnginesDlg::addByName);
  connect(byFile, &QPushButton::clicked, this, &EnginesDlg::addByFile);
  connect(installed, &QPushButton::clicked, this, &EnginesDlg::addInstalled);
  connect(removeButton, &QPushButton::clicked, this, &EnginesDlg::removeSelected);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {byName, byFile, installed, removeButton}) buttons->addWidget(button);
  buttons->addStretch();

  auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  box->button(QDialogButtonBox::Ok)->setText(tr("Aceptar"));
  box->button(QDialogButtonBox::Cancel)->setText(tr("Cancelar"));
  connect(box, &QDialogButtonBox::accepted, this, &EnginesDlg::accept);
  connect(box, &QDialogButtonBox::rejected, this, &EnginesDlg::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(engines);
  layout->addLayout(buttons);
  layout->addWidget(new QLabel(tr("Opciones del motor:"), this));
  layout->addWidget(optionsTable);
  layout->addWidget(status);
  layout->addWidget(box);
  resize(560, 520);

  connect(engines, &QTableWidget::currentCellChanged, this, [this](int row) { showOptionsOf(row); });
  connect(optionsTable, &QTableWidget::cellChanged, this, &EnginesDlg::optionEdited);
  fillEngines();
}

QString EnginesDlg::statusText() const { return status->text(); }

void EnginesDlg::fillEngines() {
  const int keep = engines->currentRow();
  engines->setRowCount(0);
  for (const EngineConfig& config : list.engines()) {
    const int row = engines->rowCount();
    engines->insertRow(row);
    engines->setItem(row, 0, readOnly(config.name));
    engines->setItem(row, 1, readOnly(protocolShown(config.protocol)));
    engines->setItem(row, 2, readOnly(config.isBuiltIn() ? tr("(integrado)") : config.commandText()));
  }
  engines->resizeColumnsToContents();
  if (keep >= 0 && keep < engines->rowCount()) engines->selectRow(keep);
}

// The options come from the engine itself: it is started and asked, without blocking.
void EnginesDlg::showOptionsOf(int row) {
  reader.reset();
  shownRow = row;
  shownOptions.clear();
  optionsTable->setRowCount(0);
  removeButton->setEnabled(row > 0);
  if (row < 0 || row >= list.engines().size()) return;
  const EngineConfig& config = list.engines()[row];
  if (config.isBuiltIn()) {
    status->setText(tr("kelvo se ajusta en Opciones."));
    return;
  }
  status->setText(tr("Leyendo opciones de %1...").arg(config.name));
  reader = ChessEngine::create(config);
  if (!reader) return;
  ChessEngine* engine = reader.get();
  connect(engine, &ChessEngine::ready, this, [this, engine] {
    shownOptions = engine->options();
    filling = true;
    optionsTable->setRowCount(0);
    for (const EngineOption& option : shownOptions) {
      const int r = optionsTable->rowCount();
      optionsTable->insertRow(r);
      optionsTable->setItem(r, 0, readOnly(option.name));
      optionsTable->setItem(r, 1, readOnly(option.typeName()));
      auto* value = new QTableWidgetItem(option.value);
      if (option.type == EngineOption::Type::Button) value->setFlags(value->flags() & ~Qt::ItemIsEditable);
      if (option.type == EngineOption::Type::Combo) value->setToolTip(option.choices.join(QStringLiteral(", ")));
      if (option.type == EngineOption::Type::Spin) value->setToolTip(tr("%1 a %2").arg(option.min).arg(option.max));
      optionsTable->setItem(r, 2, value);
    }
    filling = false;
    optionsTable->resizeColumnsToContents();
    status->setText(tr("%1: %2 opciones.").arg(engine->name()).arg(shownOptions.size()));
    engine->quit();
    emit optionsShown(static_cast<int>(shownOptions.size()));
  });
  connect(engine, &ChessEngine::failed, this, &EnginesDlg::tellFault);
  engine->start();
}

// A value the engine would refuse goes back to what it was.
void EnginesDlg::optionEdited(int row, int column) {
  if (filling || column != 2 || row < 0 || row >= shownOptions.size() || shownRow <= 0) return;
  EngineOption& option = shownOptions[row];
  const QString text = optionsTable->item(row, 2)->text().trimmed();
  if (!option.accepts(text)) {
    filling = true;
    optionsTable->item(row, 2)->setText(option.value);
    filling = false;
    status->setText(tr("Valor no válido para %1.").arg(option.name));
    return;
  }
  option.value = text;
  EngineConfig config = list.engines()[shownRow];
  if (option.isChanged())
    config.optionValues.insert(option.name, text);
  else
    config.optionValues.remove(option.name);
  list.replace(shownRow, config);
}

void EnginesDlg::addCommand(const QString& command) {
  if (command.trimmed().isEmpty()) return;
  const EngineConfig config = configFromCommand(command);
  if (!isInstalled(config.program)) {
    tellFault(tr("No se encuentra el programa %1.").arg(config.program));
    return;
  }
  status->setText(tr("Preguntando a %1 su protocolo...").arg(config.name));
  auto* probe = new ProtocolProbe(config, this);
  connect(probe, &ProtocolProbe::found, this, [this, probe](const EngineConfig& answer) {
    list.add(answer);
    fillEngines();
    status->setText(tr("Añadido %1 (%2).").arg(answer.name, protocolShown(answer.protocol)));
    probe->deleteLater();
    emit engineAdded(answer.name);
  });
  connect(probe, &ProtocolProbe::failed, this, [this, probe](const QString& reason) {
    probe->deleteLater();
    tellFault(reason);
  });
  probe->start();
}

void EnginesDlg::addByName() {
  bool ok = false;
  const QString command = QInputDialog::getText(this, tr("Añadir motor"),
                                                tr("Orden del motor (por ejemplo: stockfish):"),
                                                QLineEdit::Normal, QString(), &ok);
  if (ok) addCommand(command);
}

void EnginesDlg::addByFile() {
  const QString path = QFileDialog::getOpenFileName(this, tr("Añadir motor"));
  if (!path.isEmpty()) addCommand(QStringLiteral("\"%1\"").arg(path));
}

void EnginesDlg::addInstalled() {
  const int added = list.addDiscovered(discoverEngines());
  fillEngines();
  status->setText(added ? tr("Encontrados %1 motores nuevos.").arg(added)
                        : tr("No hay motores nuevos instalados."));
}

void EnginesDlg::removeSelected() {
  const int row = engines->currentRow();
  if (row <= 0) return;
  list.remove(row);
  fillEngines();
}

void EnginesDlg::tellFault(const QString& reason) {
  status->setText(reason);
  emit faultShown(reason);
  showMessage(QMessageBox::Warning, reason, this);
}

void EnginesDlg::accept() {
  if (!list.save()) {
    showMessage(QMessageBox::Critical, tr("No se pudo guardar la lista de motores."), this);
    return;
  }
  QDialog::accept();
}
