#include "position_clipboard.h"

#include <QCoreApplication>

#include "position/fen.h"
#include "position/setup_check.h"

namespace {

std::string trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

}  // namespace

std::optional<CChessBoard> playablePosition(const std::string& fen) {
  std::optional<CChessBoard> position = positionFromFen(fen);
  if (!position || !makePlayable(*position)) return std::nullopt;
  return position;
}

std::string pastedGameText(const std::string& text, std::string& why) {
  const std::string line = trimmed(text);
  // A FEN has its ranks separated by slashes and nothing of a PGN tag or move number.
  const bool looksLikeFen = line.find('/') != std::string::npos && line.find('[') == std::string::npos &&
                            line.find('\n') == std::string::npos && line.find('.') == std::string::npos;
  if (!looksLikeFen) return text;
  const std::optional<CChessBoard> position = playablePosition(line);
  if (!position) {
    why = QCoreApplication::translate("PositionClipboard", "«%1» no es una posición FEN válida.")
              .arg(QString::fromStdString(line))
              .toStdString();
    return {};
  }
  return "[SetUp \"1\"]\n[FEN \"" + positionToFen(*position, fenCounters(line)) + "\"]\n\n*\n";
}

FenCounters fenCountersAt(const std::vector<CChessBoard>& history, int entry, FenCounters start) {
  if (history.empty()) return start;
  if (entry < 0 || entry >= static_cast<int>(history.size())) entry = static_cast<int>(history.size()) - 1;
  FenCounters counters = start;
  // A history that begins after its first move counts from that move.
  int first = history.front().lastMove.isNull() ? 1 : 0;
  if (first == 0) counters = {};
  for (int i = first; i <= entry; ++i) {
    const Move& move = history[i].lastMove;
    counters.halfMoves = isPawn(move.piece) || move.captured != EMPTY ? 0 : counters.halfMoves + 1;
    if (history[i].sideToMove == 1) ++counters.moveNumber;  // Black has just moved
  }
  return counters;
}
