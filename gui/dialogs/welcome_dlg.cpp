#include "welcome_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "settings/level_names.h"

WelcomeDlg::WelcomeDlg(int level, const TimeControl& usualClock, QWidget* parent)
    : QDialog(parent),
      levels(new QComboBox(this)),
      white(new QRadioButton(tr("Blancas"), this)),
      black(new QRadioButton(tr("Negras"), this)),
      clocks(new QComboBox(this)),
      dismiss(new QCheckBox(tr("No volver a mostrar"), this)) {
  setWindowTitle(tr("Bienvenida"));
  auto* heading = new QLabel(tr("<b>Te damos la bienvenida a dovrel2.</b><br>¿Qué quieres hacer?"), this);

  auto* game = new QGroupBox(tr("Jugar contra kelvo"), this);
  for (int each = WEAKEST_LEVEL; each <= TOP_LEVEL; ++each) levels->addItem(levelName(each), each);
  levels->setCurrentIndex(clampLevel(level) - WEAKEST_LEVEL);
  white->setChecked(true);
  auto* colours = new QHBoxLayout;
  colours->addWidget(white);
  colours->addWidget(black);
  colours->addStretch();
  // A few usual clocks, and the one of Opciones when it is none of them.
  const TimeControl offered[] = {{false, 0, 0}, {true, 3, 0}, {true, 5, 3}, {true, 10, 5}, {true, 15, 10}};
  for (const TimeControl& clock : offered) {
    const QString text = !clock.timed         ? tr("Sin reloj")
                         : clock.increment == 0 ? tr("%1 min").arg(clock.minutes)
                                                : tr("%1 min + %2 s").arg(clock.minutes).arg(clock.increment);
    clocks->addItem(text, clock.text());
  }
  if (clocks->findData(usualClock.text()) < 0)
    clocks->addItem(tr("%1 min + %2 s").arg(usualClock.minutes).arg(usualClock.increment), usualClock.text());
  clocks->setCurrentIndex(clocks->findData(usualClock.text()));
  auto* form = new QFormLayout(game);
  form->addRow(tr("Nivel:"), levels);
  form->addRow(tr("Juegas con:"), colours);
  form->addRow(tr("Reloj:"), clocks);
  form->addRow(addChoice(Choice::Play, tr("Jugar"), tr("Empieza una partida contra kelvo")));

  auto* files = new QHBoxLayout;
  files->addWidget(addChoice(Choice::Open, tr("Abrir una partida..."), tr("Muestra una partida de un archivo PGN")));
  files->addWidget(addChoice(Choice::Review, tr("Revisar una partida..."),
                             tr("Abre una partida y busca sus imprecisiones, errores y errores graves")));
  auto* freePlay = new QLabel(tr("O cierra esta página y juega libremente: mueve una pieza y kelvo contesta."), this);
  freePlay->setWordWrap(true);
  auto* closing = new QHBoxLayout;
  closing->addWidget(dismiss);
  closing->addStretch();
  closing->addWidget(addChoice(Choice::Close, tr("Cerrar"), tr("Cierra esta página")));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading);
  layout->addWidget(game);
  layout->addLayout(files);
  layout->addWidget(freePlay);
  layout->addLayout(closing);
  button(Choice::Play)->setDefault(true);
  button(Choice::Play)->setFocus();
}

QPushButton* WelcomeDlg::addChoice(Choice choice, const QString& caption, const QString& tip) {
  auto* button = new QPushButton(caption, this);
  button->setToolTip(tip);
  buttons[static_cast<int>(choice)] = button;
  connect(button, &QPushButton::clicked, this, [this, choice] {
    chosen = choice;
    if (choice == Choice::Close)
      reject();
    else
      accept();
  });
  return button;
}

QPushButton* WelcomeDlg::button(Choice choice) const { return buttons[static_cast<int>(choice)]; }

int WelcomeDlg::level() const { return levels->currentData().toInt(); }

bool WelcomeDlg::playsWhite() const { return white->isChecked(); }

TimeControl WelcomeDlg::timeControl() const { return TimeControl::parse(clocks->currentData().toString()); }

bool WelcomeDlg::showAgain() const { return !dismiss->isChecked(); }
