#include "position_clipboard.h"

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
    why = "«" + line + "» no es una posición FEN válida.";
    return {};
  }
  return "[SetUp \"1\"]\n[FEN \"" + positionToFen(*position) + "\"]\n\n*\n";
}
