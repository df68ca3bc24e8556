// Engines and engine lists as a careless or hostile user may bring them: one
// crafted engine (hostile_engine.py) misbehaves in the way its mode says, and
// engines.ini files that are no sane list. Nothing may crash, hang, grow
// without bound, or carry the engine's raw bytes to the screen or a file.
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "analysis_panel.h"
#include "chess_engine.h"
#include "engine_analyser.h"
#include "engine_list.h"
#include "engine_match.h"
#include "engine_text.h"
#include "position/fen.h"

namespace {

constexpr int WAIT_MS = 30000;

EngineConfig hostile(const QString& mode, bool cecp, QMap<QString, QString> options = {}) {
  EngineConfig config;
  config.name = QStringLiteral("hostil");
  config.program = QStringLiteral(HOSTILE_ENGINE);
  config.arguments = mode.split(u' ');
  config.protocol = cecp ? EngineProtocol::Cecp : EngineProtocol::Uci;
  config.optionValues = std::move(options);
  return config;
}

bool hasControl(const QString& text) { return engine_text::hasControl(text); }

struct GameRow {
  const char* mode;
  bool cecp;
  QMap<QString, QString> options;
  const char* result;  // "*": the move was legal and the game stopped after it
  QString reason;
};

// The crafted engine plays White's first move; a legal one ends the game
// there. Every line it sent arrives bounded and printable.
TEST(HostileEngine, EachMisbehaviourEndsAsAFaultOrIsShrugged) {
  const QString illegalHuge = QStringLiteral("El motor hostil envió una jugada ilegal: «") + QString(20, u'a') + QChar(0x2026) + "».";
  const QString stopped = QStringLiteral("Partida detenida tras 1 jugadas.");
  const QString noMove = QStringLiteral("El motor hostil envió «bestmove» sin jugada.");
  const GameRow rows[] = {
      {"huge", false, {}, "0-1", illegalHuge},
      {"huge", true, {}, "0-1", illegalHuge},
      {"endless", false, {}, "*", stopped},
      {"endless", true, {}, "*", stopped},
      {"errors", false, {}, "*", stopped},
      {"controls", false, {}, "0-1", "El motor hostil envió una jugada ilegal: «[31me2»."},
      {"controls", true, {}, "0-1", "El motor hostil envió una jugada ilegal: «[31me2»."},
      {"empty", false, {}, "0-1", noMove},
      {"empty blanks", false, {}, "0-1", noMove},
      {"empty nuls", false, {}, "0-1", noMove},
      {"option", false, {{"Libro", "nada\ninjected"}}, "*", stopped},
      {"option", false, {{"Libro", "nada\rinjected"}}, "*", stopped},
  };
  for (const GameRow& row : rows) {
    SCOPED_TRACE(std::string(row.mode) + (row.cecp ? " xboard" : " uci"));
    auto white = ChessEngine::create(hostile(row.mode, row.cecp, row.options));
    auto black = ChessEngine::create(hostile("quiet", row.cecp));
    qsizetype longest = 0;
    bool raw = false;
    QObject::connect(white.get(), &ChessEngine::lineReceived, [&](const QString& line) {
      longest = std::max(longest, line.size());
      raw = raw || hasControl(line);
    });
    QStringList sent;
    QObject::connect(white.get(), &ChessEngine::lineSent, [&](const QString& line) { sent << line; });
    EngineMatch match(white.get(), black.get(), {}, {-1, 0, 100});
    match.setPlyLimit(1);
    match.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return match.isOver(); }, WAIT_MS));
    EXPECT_EQ(match.result(), row.result);
    EXPECT_EQ(match.reason(), row.reason);
    EXPECT_LE(longest, engine_text::MAX_LINE_BYTES);
    EXPECT_FALSE(raw);
    EXPECT_FALSE(sent.join(u'\n').contains("injected"));
  }
}

// Numbers past every type in analysis lines (UCI and xboard) come out within
// their ranges: no overflow on the side flip or the speed.
TEST(HostileEngine, AnalysisNumbersOutOfRangeAreBounded) {
  for (const bool cecp : {false, true}) {
    SCOPED_TRACE(cecp ? "xboard" : "uci");
    EngineAnalyser analyser(hostile("numbers", cecp));
    QSignalSpy found(&analyser, &EngineAnalyser::lineFound);
    CChessBoard start;
    start.setupInitialPosition();
    analyser.analyse({start}, 1, 2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return found.size() >= (cecp ? 1 : 2); }, WAIT_MS));
    const auto first = found[0][0].value<AnalysisLine>();
    // xboard writes a mate as a score past 100000.
    EXPECT_EQ(first.score, cecp ? WhiteScore::mateIn(-10000) : WhiteScore::pawns(-99999));
    EXPECT_EQ(first.nodes, 1'000'000'000'000'000);
    EXPECT_EQ(first.milliseconds, cecp ? 1'000'000'000'000 : 1'000'000'000'000'000'000);
    EXPECT_EQ(first.depth, 1000);
    if (!cecp) {
      const auto second = found[1][0].value<AnalysisLine>();
      EXPECT_EQ(second.score, WhiteScore::mateIn(-10000));
      EXPECT_EQ(second.rank, 256);
    }
    analyser.stop();
  }
}

struct ListRow {
  const char* name;
  QByteArray text;  // the file's bytes; "fifo" and "folder" make those instead
  QStringList protocols;  // the engines read, by protocol text ("" for a refused one)
  bool foreign;
};

// engines.ini as hand edits or other programs leave it.
TEST(HostileEngineList, OnlyASaneListIsReadAndAnUnknownProtocolIsNeverAnEngineOfNone) {
  QTemporaryDir dir;
  const QByteArray entry = "[engines]\n1\\name=A\n1\\program=a\n2\\name=B\n2\\program=b\n3\\name=C\n3\\program=c\n";
  const ListRow rows[] = {
      {"protocols", entry + "1\\protocol=UCI\n2\\protocol= Xboard\n3\\protocol=\nsize=3\n", {"uci", "xboard", ""}, false},
      {"no protocol word", entry + "1\\protocol=winboard\n2\\protocol=cecp\n3\\protocol=kelvo\nsize=3\n", {"", "xboard"}, false},
      {"endless count", entry + "1\\protocol=uci\nsize=2147483647\n", {"uci", "", ""}, false},
      {"option with a line break", entry + "1\\protocol=uci\n1\\optionNames=Libro, Hash\n1\\optionValues=\"a\\nquit\", 16\nsize=1\n",
       {"uci"}, false},
      {"huge", "[engines]\nsize=1\n1\\program=a\n;" + QByteArray(2 << 20, 'x') + "\n", {}, true},
      {"fifo", "fifo", {}, true},
      {"folder", "folder", {}, true},
  };
  for (const ListRow& row : rows) {
    SCOPED_TRACE(row.name);
    const QString path = dir.filePath(QStringLiteral("%1.ini").arg(row.name));
    if (row.text == "fifo") {
      ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (row.text == "folder") {
      ASSERT_TRUE(QDir().mkpath(path));
    } else {
      QFile file(path);
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
      file.write(row.text);
    }
    EngineList list(path);
    list.load();
    EXPECT_EQ(list.isForeign(), row.foreign);
    QStringList protocols;
    for (qsizetype i = 1; i < list.engines().size(); ++i) protocols << protocolText(list.engines()[i].protocol);
    EXPECT_EQ(protocols, row.protocols);
    for (qsizetype i = 1; i < list.engines().size(); ++i)
      for (const QString& value : list.engines()[i].optionValues) EXPECT_FALSE(hasControl(value));
    if (row.foreign) {
      EXPECT_FALSE(list.save());
    }
  }
}

// The crash of F2 on such an entry: the panel names the engine as unusable.
TEST(HostileEngineList, AnEntryOfAnUnknownProtocolAnalysesNothingAndSaysSo) {
  EngineConfig config = hostile("numbers", false);
  config.protocol = protocolFromText(QStringLiteral("Winboard"));
  AnalysisPanel panel;
  panel.setEngines({builtInEngine(), config}, config.name);
  CChessBoard start;
  start.setupInitialPosition();
  panel.showPosition({start}, 1);
  panel.setActive(true);
  QTRY_COMPARE_WITH_TIMEOUT(panel.infoText(), QStringLiteral("El motor hostil no se puede usar: su protocolo no es UCI ni xboard."),
                            WAIT_MS);
}

}  // namespace
