#include "config_dlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

CConfigDlg::CConfigDlg(const Choices& shown, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Configuración"));

  auto* kelvo = new QGroupBox(QStringLiteral("KELVO"), this);
  openingBookBox = new QCheckBox(QStringLiteral("Usar libro de aperturas"), kelvo);
  randomFactorBox = new QCheckBox(QStringLiteral("Juego diverso"), kelvo);
  postBox = new QCheckBox(QStringLiteral("Mostrar línea de pensamiento"), kelvo);
  debugFilesBox = new QCheckBox(QStringLiteral("Archivos de depuración"), kelvo);
  auto* kelvoLayout = new QVBoxLayout(kelvo);
  for (QCheckBox* box : {openingBookBox, randomFactorBox, postBox, debugFilesBox}) kelvoLayout->addWidget(box);

  auto* dovrel = new QGroupBox(QStringLiteral("DOVREL"), this);
  debugBox = new QCheckBox(QStringLiteral("Depuración (sí, soy experto)"), dovrel);
  auto* dovrelLayout = new QVBoxLayout(dovrel);
  dovrelLayout->addWidget(debugBox);
  showLegalMovesBox = new QCheckBox(QStringLiteral("Mostrar jugadas legales"), dovrel);
  dovrelLayout->addWidget(showLegalMovesBox);
  showLegalMovesBox->setChecked(shown.showLegalMoves);

  openingBookBox->setChecked(shown.openingBook);
  randomFactorBox->setChecked(shown.randomFactor);
  postBox->setChecked(shown.post);
  debugFilesBox->setChecked(shown.debugFiles);
  debugBox->setChecked(shown.debug);

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
  return {openingBookBox->isChecked(), randomFactorBox->isChecked(), postBox->isChecked(), debugFilesBox->isChecked(),
          debugBox->isChecked(), showLegalMovesBox->isChecked()};
}
