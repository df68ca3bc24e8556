#include "move_notation.h"

#include <atomic>
#include <string_view>

#include "book/pgn_writer.h"
#include "position/move_gen.h"
#include "position/notation.h"

namespace {

std::atomic<MoveNotation> chosen{MoveNotation::List};

constexpr std::string_view ENGLISH_LETTERS = "KQRBN";
constexpr std::string_view SPANISH_LETTERS = "RDTAC";
constexpr const char* FIGURINES[] = {"\u2654", "\u2655", "\u2656", "\u2657", "\u2658"};

}  // namespace

std::string notatedSan(const std::string& listSan, MoveNotation notation) {
  if (notation == MoveNotation::List) return listSan;
  std::string text;
  // Only capitals are pieces: files are small letters, castling is written with noughts.
  for (char c : listSan) {
    const std::size_t piece = ENGLISH_LETTERS.find(c);
    if (piece == std::string_view::npos)
      text += c;
    else if (notation == MoveNotation::Spanish)
      text += SPANISH_LETTERS[piece];
    else
      text += FIGURINES[piece];
  }
  return text;
}

std::string notatedMove(const CChessBoard& before, const Move& move, MoveNotation notation, bool asTheList) {
  if (!asTheList) return notatedSan(standardSan(before, move), notation);
  CChessBoard position = before;
  generateMoves(position, false);
  return notatedSan(moveToSan(position, move), notation);
}

MoveNotation windowNotation() { return chosen.load(); }
void setWindowNotation(MoveNotation notation) { chosen.store(notation); }

const char* notationKey(MoveNotation notation) {
  switch (notation) {
    case MoveNotation::Spanish:
      return "Spanish";
    case MoveNotation::Figurines:
      return "Figurines";
    case MoveNotation::List:
      break;
  }
  return "List";
}

MoveNotation notationOfKey(const std::string& key) {
  if (key == "Spanish") return MoveNotation::Spanish;
  if (key == "Figurines") return MoveNotation::Figurines;
  return MoveNotation::List;
}
