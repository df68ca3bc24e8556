#pragma once
// The questions asked before a changed game is thrown away (Nueva, Abrir,
// Salir) and before a game is saved into a file that holds other games too.

#include <QString>

#include <functional>

class QWidget;

enum class DiscardChoice { Save, Discard, Cancel };
enum class CollectionChoice { Replace, SaveAs, Cancel };

DiscardChoice askBeforeDiscarding(QWidget* parent);
CollectionChoice askHowToSaveIntoCollection(QWidget* parent, const QString& path);
// Abandonar: true when the person gives the game up.
bool askBeforeResigning(QWidget* parent);

// Tests answer in place of a person: the question's text in, the index of the
// button chosen out (in the order of the enums above). Empty: real boxes.
using QuestionAnswerer = std::function<int(const QString& text)>;
void setQuestionAnswerer(QuestionAnswerer answerer);
