#include "save_questions.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace {

// The questions and their buttons, in the window's language.
struct Texts {
  Q_DECLARE_TR_FUNCTIONS(SaveQuestions)
};

QuestionAnswerer& answerer() {
  static QuestionAnswerer current;
  return current;
}

// A box with the program's title and buttons in this order; the index of the
// one chosen, the last (cancelling) one when the box is closed.
int ask(QWidget* parent, const QString& text, const QStringList& buttons) {
  if (answerer()) return answerer()(text);
  QMessageBox box(QMessageBox::Question, QStringLiteral("dovrel2"), text, QMessageBox::NoButton, parent);
  QList<QPushButton*> added;
  for (int i = 0; i < buttons.size(); ++i) {
    const auto role = i == 0 ? QMessageBox::AcceptRole
                      : i == buttons.size() - 1 ? QMessageBox::RejectRole
                                                : QMessageBox::DestructiveRole;
    added << box.addButton(buttons[i], role);
  }
  box.setDefaultButton(added.front());
  box.setEscapeButton(added.back());
  box.exec();
  const int chosen = static_cast<int>(added.indexOf(static_cast<QPushButton*>(box.clickedButton())));
  return chosen < 0 ? static_cast<int>(buttons.size()) - 1 : chosen;
}

}  // namespace

void setQuestionAnswerer(QuestionAnswerer current) { answerer() = std::move(current); }

DiscardChoice askBeforeDiscarding(QWidget* parent) {
  const int chosen = ask(parent, Texts::tr("La partida ha cambiado. ¿Desea guardarla antes de continuar?"),
                         {Texts::tr("&Guardar"), Texts::tr("&Descartar"), Texts::tr("Cancelar")});
  return static_cast<DiscardChoice>(chosen);
}

CollectionChoice askHowToSaveIntoCollection(QWidget* parent, const QString& path) {
  const QString text =
      Texts::tr("El archivo «%1» contiene otras partidas además de esta.\n\n"
                "¿Desea reemplazar esta partida dentro del archivo (las demás se conservan tal cual) "
                "o guardarla con otro nombre?")
          .arg(QFileInfo(path).fileName());
  const int chosen = ask(parent, text,
                         {Texts::tr("&Reemplazar la partida"), Texts::tr("Guardar c&omo..."), Texts::tr("Cancelar")});
  return static_cast<CollectionChoice>(chosen);
}

bool askBeforeResigning(QWidget* parent) {
  return ask(parent, Texts::tr("¿Abandonar la partida?"), {Texts::tr("&Abandonar"), Texts::tr("Cancelar")}) == 0;
}
