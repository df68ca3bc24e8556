#include "save_questions.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace {

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
  const int chosen = ask(parent, QStringLiteral("La partida ha cambiado. ¿Desea guardarla antes de continuar?"),
                         {QStringLiteral("&Guardar"), QStringLiteral("&Descartar"), QStringLiteral("Cancelar")});
  return static_cast<DiscardChoice>(chosen);
}

CollectionChoice askHowToSaveIntoCollection(QWidget* parent, const QString& path) {
  const QString text =
      QStringLiteral("El archivo «%1» contiene otras partidas además de esta.\n\n"
                     "¿Desea reemplazar esta partida dentro del archivo (las demás se conservan tal cual) "
                     "o guardarla con otro nombre?")
          .arg(QFileInfo(path).fileName());
  const int chosen = ask(parent, text,
                         {QStringLiteral("&Reemplazar la partida"), QStringLiteral("Guardar c&omo..."),
                          QStringLiteral("Cancelar")});
  return static_cast<CollectionChoice>(chosen);
}

bool askBeforeResigning(QWidget* parent) {
  return ask(parent, QStringLiteral("¿Abandonar la partida?"), {QStringLiteral("&Abandonar"), QStringLiteral("Cancelar")}) == 0;
}
