#include "config_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QSpinBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "game/move_notation.h"
#include "settings/level_names.h"
#include "settings/window_language.h"

CConfigDlg::CConfigDlg(const Choices& shown, QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("Configuración"));

  auto* kelvo = new QGroupBox(QStringLiteral("KELVO"), this);
  openingBookBox = new QCheckBox(tr("Usar libro de aperturas"), kelvo);
  randomFactorBox = new QCheckBox(tr("Juego diverso"), kelvo);
  postBox = new QCheckBox(tr("Mostrar línea de pensamiento"), kelvo);
  debugFilesBox = new QCheckBox(tr("Archivos de depuración"), kelvo);
  auto* kelvoLayout = new QVBoxLayout(kelvo);
  for (QCheckBox* box : {openingBookBox, randomFactorBox, postBox, debugFilesBox}) kelvoLayout->addWidget(box);
  levelBox = new QComboBox(kelvo);
  for (int level = WEAKEST_LEVEL; level <= TOP_LEVEL; ++level) levelBox->addItem(levelName(level), level);
  auto* levelRow = new QFormLayout;
  levelRow->addRow(tr("Nivel"), levelBox);
  kelvoLayout->addLayout(levelRow);

  auto* dovrel = new QGroupBox(QStringLiteral("DOVREL"), this);
  debugBox = new QCheckBox(tr("Depuración (sí, soy experto)"), dovrel);
  auto* dovrelLayout = new QVBoxLayout(dovrel);
  dovrelLayout->addWidget(debugBox);
  showLegalMovesBox = new QCheckBox(tr("Mostrar jugadas legales"), dovrel);
  dovrelLayout->addWidget(showLegalMovesBox);
  showLegalMovesBox->setChecked(shown.showLegalMoves);
  untimedBox = new QCheckBox(tr("Sin reloj"), dovrel);
  minutesBox = new QSpinBox(dovrel);
  minutesBox->setRange(1, TimeControl::MAX_MINUTES);
  minutesBox->setSuffix(tr(" min"));
  incrementBox = new QSpinBox(dovrel);
  incrementBox->setRange(0, TimeControl::MAX_INCREMENT);
  incrementBox->setSuffix(tr(" s"));
  auto* clockRows = new QFormLayout;
  clockRows->addRow(tr("Reloj"), untimedBox);
  clockRows->addRow(tr("Minutos por partida"), minutesBox);
  clockRows->addRow(tr("Incremento por jugada"), incrementBox);
  dovrelLayout->addLayout(clockRows);
  // The languages are named in their own words, whatever the window speaks.
  languageBox = new QComboBox(dovrel);
  languageBox->addItem(tr("Automático"), window_language::AUTOMATIC);
  languageBox->addItem(QStringLiteral("Español"), window_language::SPANISH);
  languageBox->addItem(QStringLiteral("English"), window_language::ENGLISH);
  languageBox->setCurrentIndex(std::max(0, languageBox->findData(shown.language)));
  notationBox = new QComboBox(dovrel);
  notationBox->addItem(tr("Lista"), QString::fromLatin1(notationKey(MoveNotation::List)));
  notationBox->addItem(tr("Española"), QString::fromLatin1(notationKey(MoveNotation::Spanish)));
  notationBox->addItem(tr("Figurines"), QString::fromLatin1(notationKey(MoveNotation::Figurines)));
  notationBox->setCurrentIndex(std::max(0, notationBox->findData(shown.notation)));
  auto* languageRow = new QFormLayout;
  languageRow->addRow(tr("Notación"), notationBox);
  languageRow->addRow(tr("Idioma"), languageBox);
  dovrelLayout->addLayout(languageRow);
  auto* languageNote = new QLabel(tr("El idioma cambia al volver a abrir dovrel2."), dovrel);
  languageNote->setWordWrap(true);
  dovrelLayout->addWidget(languageNote);
  connect(untimedBox, &QCheckBox::toggled, this, [this](bool untimed) {
    minutesBox->setEnabled(!untimed);
    incrementBox->setEnabled(!untimed);
  });

  openingBookBox->setChecked(shown.openingBook);
  randomFactorBox->setChecked(shown.randomFactor);
  postBox->setChecked(shown.post);
  debugFilesBox->setChecked(shown.debugFiles);
  debugBox->setChecked(shown.debug);
  levelBox->setCurrentIndex(clampLevel(shown.level) - WEAKEST_LEVEL);
  minutesBox->setValue(shown.timeControl.timed ? shown.timeControl.minutes : TimeControl().minutes);
  incrementBox->setValue(shown.timeControl.timed ? shown.timeControl.increment : TimeControl().increment);
  untimedBox->setChecked(!shown.timeControl.timed);
  minutesBox->setEnabled(shown.timeControl.timed);
  incrementBox->setEnabled(shown.timeControl.timed);

  // Standard buttons, so they carry the toolkit's translated texts.
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(kelvo);
  layout->addWidget(dovrel);
  layout->addWidget(buttons);
}

CConfigDlg::Choices CConfigDlg::choices() const {
  const TimeControl control = untimedBox->isChecked() ? TimeControl{false, 0, 0}
                                                     : TimeControl{true, minutesBox->value(), incrementBox->value()};
  return {openingBookBox->isChecked(), randomFactorBox->isChecked(), postBox->isChecked(), debugFilesBox->isChecked(),
          debugBox->isChecked(),       levelBox->currentData().toInt(), control, showLegalMovesBox->isChecked(),
          languageBox->currentData().toString(), notationBox->currentData().toString()};
}
