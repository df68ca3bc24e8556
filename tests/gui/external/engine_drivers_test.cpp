// The two drivers against Debian's engines and against crafted ones that
// misbehave. Every game is judged by how it ended: its result, its reason and
// the legal moves it kept.
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

#include "external/chess_engine.h"
#include "external/engine_discovery.h"
#include "external/engine_match.h"
#include "external/engine_text.h"
#include "external/protocol_probe.h"
#include "fake_engine.h"

namespace {

constexpr int GAME_WAIT_MS = 60000;

std::unique_ptr<ChessEngine> engineOf(const QString& command, EngineProtocol protocol,
                                      QMap<QString, QString> options = {}) {
  EngineConfig config = configFromCommand(command);
  config.protocol = protocol;
  config.optionValues = std::move(options);
  return ChessEngine::create(config);
}

// Plays until the match ends; the result and the reason.
std::pair<QString, QString> play(EngineMatch& match) {
  match.start();
  const bool ended = QTest::qWaitFor([&] { return match.isOver(); }, GAME_WAIT_MS);
  if (!ended) match.stop();
  return {match.result(), match.reason()};
}

struct RealEngine {
  const char* command;
  EngineProtocol protocol;
  const char* name;  // what it calls itself
};

const RealEngine REAL[] = {
    {"stockfish", EngineProtocol::Uci, "Stockfish"},
    {"gnuchess --uci", EngineProtocol::Uci, "GNU Chess"},
    {"fairymax", EngineProtocol::Cecp, "Fairy-Max"},
    {"phalanx", EngineProtocol::Cecp, "Phalanx"},
};

TEST(ProtocolProbe, EachDebianEngineIsAskedItsProtocolAndName) {
  for (const RealEngine& real : REAL) {
    SCOPED_TRACE(real.command);
    ProtocolProbe probe(configFromCommand(real.command));
    QSignalSpy found(&probe, &ProtocolProbe::found);
    QSignalSpy failed(&probe, &ProtocolProbe::failed);
    probe.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !found.isEmpty() || !failed.isEmpty(); }, 15000));
    ASSERT_EQ(found.size(), 1) << (failed.isEmpty() ? QString() : failed[0][0].toString()).toStdString();
    const auto config = found[0][0].value<EngineConfig>();
    EXPECT_EQ(config.protocol, real.protocol);
    EXPECT_TRUE(config.name.startsWith(real.name)) << config.name.toStdString();
  }
}

// Each engine plays eight plies against itself, on a clock of 10 s + 0.1 s.
TEST(EngineDrivers, EachDebianEnginePlaysAShortGameOfLegalMovesOnItsProtocol) {
  for (const RealEngine& real : REAL) {
    SCOPED_TRACE(real.command);
    auto white = engineOf(real.command, real.protocol);
    auto black = engineOf(real.command, real.protocol);
    EngineMatch match(white.get(), black.get(), {}, {10000, 100, 0});
    match.setPlyLimit(8);
    const auto [result, reason] = play(match);
    EXPECT_EQ(result, "*") << reason.toStdString();
    EXPECT_EQ(match.moves().size(), 8) << reason.toStdString();
    EXPECT_GT(match.remainingMs(1), 0);
    EXPECT_EQ(white->name().left(4), QString(real.name).left(4));
  }
}

// From a set-up position both protocols reach the end of the game.
TEST(EngineDrivers, StockfishMatesPhalanxFromAGivenPosition) {
  auto white = engineOf("stockfish", EngineProtocol::Uci);
  auto black = engineOf("phalanx", EngineProtocol::Cecp);
  EngineMatch match(white.get(), black.get(), "6k1/5ppp/8/8/8/8/5PPP/R5K1 w - - 0 1", {-1, 0, 200});
  const auto [result, reason] = play(match);
  EXPECT_EQ(result, "1-0");
  EXPECT_EQ(reason, "Jaque mate: ganan las blancas.");
  EXPECT_EQ(match.moves(), QStringList{"a1a8"});
}

TEST(EngineDrivers, AChosenOptionIsSentAndAnUndeclaredOneIsNot) {
  auto engine = engineOf("stockfish", EngineProtocol::Uci, {{"Skill Level", "3"}, {"No Such", "1"}, {"Hash", "-5"}});
  QSignalSpy sent(engine.get(), &ChessEngine::lineSent);
  QSignalSpy ready(engine.get(), &ChessEngine::ready);
  engine->start();
  ASSERT_TRUE(ready.wait(10000));
  QStringList lines;
  for (const auto& args : sent) lines << args[0].toString();
  EXPECT_TRUE(lines.contains("setoption name Skill Level value 3"));
  EXPECT_FALSE(lines.join('\n').contains("No Such"));
  EXPECT_FALSE(lines.join('\n').contains("Hash"));
  EXPECT_EQ(lines.last(), "isready");
}

struct Fault {
  const char* name;
  bool cecp;
  const char* onGo;      // shell command answering "go"
  long long clockMs;     // -1: 200 ms a move
  const char* result;    // the crafted engine plays White
  const char* reason;
  const char* libro = nullptr;  // the value chosen for its string option
};

// A word of a megabyte after `prefix`.
#define HUGE_WORD(prefix) "{ printf '" prefix "'; head -c 1000000 /dev/zero | tr '\\0' a; echo; }"

const Fault FAULTS[] = {
    {"muere", false, "exit 3", -1, "0-1", "El motor muere se cerró durante la partida (código 3)."},
    {"ilegal", false, "echo bestmove e2e5", -1, "0-1", "El motor ilegal envió una jugada ilegal: «e2e5»."},
    {"cuelga", false, ":", 1500, "0-1", "El motor cuelga perdió por tiempo."},
    {"ilegalx", true, "echo move a1a8", -1, "0-1", "El motor ilegalx envió una jugada ilegal: «a1a8»."},
    {"abandona", true, "echo resign", -1, "0-1", "El motor abandona abandona."},
    // Hostile output: bounded, printable, and the line after a flood still read.
    {"enorme", false, HUGE_WORD("bestmove "), -1, "0-1", "El motor enorme envió una jugada ilegal: «aaaaaaaaaaaaaaaaaaaa…»."},
    {"enormex", true, HUGE_WORD("move "), -1, "0-1", "El motor enormex envió una jugada ilegal: «aaaaaaaaaaaaaaaaaaaa…»."},
    {"sinfin", false, "head -c 8000000 /dev/zero | tr '\\0' x; echo; echo bestmove e2e5", -1, "0-1",
     "El motor sinfin envió una jugada ilegal: «e2e5»."},
    {"errores", false, "head -c 8000000 /dev/zero >&2; echo bestmove e2e5", -1, "0-1",
     "El motor errores envió una jugada ilegal: «e2e5»."},
    {"control", false, "printf 'bestmove \\033[31me2\\007e9\\000\\033]0;t\\007\\n'", -1, "0-1",
     "El motor control envió una jugada ilegal: «[31me2»."},
    {"vacio", false, "echo bestmove", -1, "0-1", "El motor vacio envió «bestmove» sin jugada."},
    {"blancos", false, "echo 'bestmove    '", -1, "0-1", "El motor blancos envió «bestmove» sin jugada."},
    {"nulos", false, "printf 'bestmove \\000\\000\\n'", -1, "0-1", "El motor nulos envió «bestmove» sin jugada."},
    // A line break in an option's value would have sent a command of its own.
    {"inyectada", false, "[ -n \"$injected\" ] && echo bestmove e2e4 || echo bestmove e2e5", -1, "0-1",
     "El motor inyectada envió una jugada ilegal: «e2e5».", "nada\ninjected"},
};

TEST(EngineFaults, AMisbehavingEngineLosesWithItsFaultNamedAndTheGameKept) {
  QTemporaryDir dir;
  for (const Fault& fault : FAULTS) {
    SCOPED_TRACE(fault.name);
    const QString script = fault.cecp ? cecpScript(dir, fault.name, fault.onGo) : uciScript(dir, fault.name, fault.onGo);
    QMap<QString, QString> options;
    if (fault.libro) options.insert("Libro", fault.libro);
    auto white = engineOf(script, fault.cecp ? EngineProtocol::Cecp : EngineProtocol::Uci, options);
    auto black = engineOf("stockfish", EngineProtocol::Uci);
    qsizetype longest = 0;
    bool raw = false;
    QObject::connect(white.get(), &ChessEngine::lineReceived, [&](const QString& line) {
      longest = std::max(longest, line.size());
      raw = raw || engine_text::hasControl(line);
    });
    EngineMatch match(white.get(), black.get(), {}, {fault.clockMs, 0, 200});
    const auto [result, reason] = play(match);
    EXPECT_EQ(result, fault.result);
    EXPECT_EQ(reason, QString::fromUtf8(fault.reason));
    EXPECT_TRUE(match.moves().isEmpty());
    EXPECT_LE(longest, engine_text::MAX_LINE_BYTES);
    EXPECT_FALSE(raw);
  }
}

// A fault after some moves keeps them: the engine dies on its third "go".
TEST(EngineFaults, MovesPlayedBeforeTheEngineDiesAreKept) {
  QTemporaryDir dir;
  const QString script = uciScript(dir, "tarde", R"(n=$((n+1)); [ $n -ge 3 ] && exit 1; [ $n = 1 ] && echo bestmove e7e5; [ $n = 2 ] && echo bestmove b8c6)");
  auto white = engineOf("stockfish", EngineProtocol::Uci);
  auto black = engineOf(script, EngineProtocol::Uci);
  EngineMatch match(white.get(), black.get(), {}, {-1, 0, 100});
  const auto [result, reason] = play(match);
  EXPECT_EQ(result, "1-0");
  EXPECT_EQ(reason, "El motor tarde se cerró durante la partida (código 1).");
  EXPECT_EQ(match.moves().size(), 5);
  EXPECT_EQ(match.moves()[1], "e7e5");
}

struct StartFault {
  const char* name;
  const char* body;  // the script; empty: a program that does not exist
  const char* reason;
};

// No game began: its result is "*".
TEST(EngineFaults, AnEngineThatDoesNotStartOrDoesNotAnswerIsNamedWithTheReason) {
  QTemporaryDir dir;
  const StartFault faults[] = {
      {"ausente", "", "El motor Ausente no se pudo iniciar: no existe "},
      {"mudo", "sleep 30\n", "El motor Mudo no contestó en 10 s al iniciarse."},
      {"breve", "exit 2\n", "El motor Breve terminó al iniciarse (código 2)."},
  };
  for (const StartFault& fault : faults) {
    SCOPED_TRACE(fault.name);
    const QString program = *fault.body ? writeScript(dir, fault.name, fault.body) : dir.filePath(fault.name);
    auto white = engineOf(program, EngineProtocol::Uci);
    auto black = engineOf("stockfish", EngineProtocol::Uci);
    EngineMatch match(white.get(), black.get(), {}, {-1, 0, 100});
    const auto [result, reason] = play(match);
    EXPECT_EQ(result, "*");
    EXPECT_TRUE(reason.startsWith(fault.reason)) << reason.toStdString();
  }
}

TEST(ProtocolProbe, AnEngineThatAnswersNeitherProtocolIsAFault) {
  QTemporaryDir dir;
  ProtocolProbe probe(configFromCommand(writeScript(dir, "sordo", "sleep 30\n")));
  QSignalSpy failed(&probe, &ProtocolProbe::failed);
  probe.start();
  ASSERT_TRUE(failed.wait(30000));
  EXPECT_EQ(failed[0][0].toString(), "El motor Sordo no contestó en 10 s al iniciarse.");
}

}  // namespace
