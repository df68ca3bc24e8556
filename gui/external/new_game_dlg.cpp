#include "new_game_dlg.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "common/message_sink.h"
#include "position/fen.h"
#include "search/level.h"

namespace {

// The UCI strength option most engines declare; others play at full strength.
constexpr int TOP_SKILL = 20;

}  // namespace

NewGameDlg::NewGameDlg(const EngineList& list, const Choices& shown, QWidget* parent)
    : QDialog(parent),
      list(list),
      whiteBox(new QComboBox(this)),
      blackBox(new QComboBox(this)),
      whiteLevel(new QSpinBox(this)),
      blackLevel(new QSpinBox(this)),
      clock(new QComboBox(this)),
      minutes(new QSpinBox(this)),
      increment(new QSpinBox(this)),
      startGroup(new QButtonGroup(this)),
      fen(new QLineEdit(this)) {
  setWindowTitle(tr("Nueva partida"));
  auto* players = new QGroupBox(tr("Jugadores"), this);
  auto* playersForm = new QFormLayout(players);
  for (int side : {1, 0}) {
    QComboBox* box = playerBox(side);
    box->addItem(tr("Persona"), PERSON);
    for (int i = 0; i < list.engines().size(); ++i) box->addItem(list.engines()[i].name, i);
    const Seat& seat = side ? shown.white : shown.black;
    box->setCurrentIndex(qMax(0, box->findData(seat.engine)));
    levelBox(side)->setPrefix(tr("nivel "));
    auto* row = new QHBoxLayout;
    row->addWidget(box, 1);
    row->addWidget(levelBox(side));
    playersForm->addRow(side ? tr("Blancas:") : tr("Negras:"), row);
    connect(box, &QComboBox::currentIndexChanged, this, [this, side] { seatChanged(side); });
    seatChanged(side);
    if (seat.level >= 0) levelBox(side)->setValue(seat.level);
  }

  auto* timeGroup = new QGroupBox(tr("Reloj"), this);
  auto* timeForm = new QFormLayout(timeGroup);
  clock->addItems({tr("Sin reloj"), tr("Minutos + incremento")});
  clock->setCurrentIndex(shown.timeControl.timed ? 1 : 0);
  minutes->setRange(1, TimeControl::MAX_MINUTES);
  minutes->setSuffix(tr(" min"));
  minutes->setValue(shown.timeControl.minutes);
  increment->setRange(0, TimeControl::MAX_INCREMENT);
  increment->setSuffix(tr(" s"));
  increment->setValue(shown.timeControl.increment);
  timeForm->addRow(tr("Control:"), clock);
  timeForm->addRow(tr("Tiempo:"), minutes);
  timeForm->addRow(tr("Incremento:"), increment);
  auto timedChanged = [this] {
    minutes->setEnabled(clock->currentIndex() == 1);
    increment->setEnabled(clock->currentIndex() == 1);
  };
  connect(clock, &QComboBox::currentIndexChanged, this, timedChanged);
  timedChanged();

  auto* startBox = new QGroupBox(tr("Posición inicial"), this);
  auto* startLayout = new QVBoxLayout(startBox);
  const QStringList captions = {tr("La posición inicial"), tr("La posición del tablero"),
                                tr("Una posición FEN:")};
  for (int i = 0; i < captions.size(); ++i) {
    auto* button = new QRadioButton(captions[i], startBox);
    startGroup->addButton(button, i);
    startLayout->addWidget(button);
  }
  startLayout->addWidget(fen);
  fen->setText(shown.fen);
  connect(startGroup, &QButtonGroup::idClicked, this, [this](int id) { fen->setEnabled(id == int(Start::Fen)); });
  setStart(shown.start);

  auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  box->button(QDialogButtonBox::Ok)->setText(tr("Empezar"));
  box->button(QDialogButtonBox::Cancel)->setText(tr("Cancelar"));
  connect(box, &QDialogButtonBox::accepted, this, &NewGameDlg::accept);
  connect(box, &QDialogButtonBox::rejected, this, &NewGameDlg::reject);
  auto* layout = new QVBoxLayout(this);
  for (QWidget* part : {static_cast<QWidget*>(players), static_cast<QWidget*>(timeGroup),
                        static_cast<QWidget*>(startBox), static_cast<QWidget*>(box)})
    layout->addWidget(part);
}

void NewGameDlg::setStart(Start start) {
  startGroup->button(int(start))->setChecked(true);
  fen->setEnabled(start == Start::Fen);
}

// A person has no level; kelvo has its ladder, other engines a Skill Level.
void NewGameDlg::seatChanged(int side) {
  QSpinBox* level = levelBox(side);
  const int engine = playerBox(side)->currentData().toInt();
  level->setEnabled(engine != PERSON);
  if (engine == PERSON) return;
  if (list.engines()[engine].isBuiltIn()) {
    level->setRange(WEAKEST_LEVEL, TOP_LEVEL);
    level->setValue(SPECIFIED_LEVEL);
  } else {
    level->setRange(0, TOP_SKILL);
    level->setValue(TOP_SKILL);
  }
}

NewGameDlg::Choices NewGameDlg::choices() const {
  Choices chosen;
  chosen.white = {whiteBox->currentData().toInt(), whiteLevel->value()};
  chosen.black = {blackBox->currentData().toInt(), blackLevel->value()};
  chosen.timeControl.timed = clock->currentIndex() == 1;
  chosen.timeControl.minutes = minutes->value();
  chosen.timeControl.increment = increment->value();
  chosen.start = Start(startGroup->checkedId());
  chosen.fen = fen->text().trimmed();
  return chosen;
}

void NewGameDlg::accept() {
  const Choices chosen = choices();
  if (chosen.start == Start::Fen && !positionFromFen(chosen.fen.toStdString())) {
    showMessage(QMessageBox::Warning, tr("La posición FEN no es válida."), this);
    return;
  }
  if (chosen.white.engine >= 0 && chosen.black.engine >= 0 && list.engines()[chosen.white.engine].isBuiltIn() &&
      list.engines()[chosen.black.engine].isBuiltIn()) {
    showMessage(QMessageBox::Warning, tr("kelvo no puede jugar con los dos bandos a la vez."), this);
    return;
  }
  QDialog::accept();
}
