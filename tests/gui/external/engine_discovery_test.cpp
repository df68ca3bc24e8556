#include "external/engine_discovery.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "external/engine_list.h"
#include "external/engine_text.h"
#include "fake_engine.h"

namespace {

void writeFile(const QString& path, const QByteArray& text) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(text);
}

// The format line of the plugin files Debian's engines install (fairymax's is
// there for the tests), so the crafted files begin as real ones do.
QByteArray pluginHeader() {
  QFile real(QStringLiteral("/usr/share/games/plugins/xboard/fairymax.eng"));
  return real.open(QIODevice::ReadOnly) ? real.readLine() : QByteArray();
}

QStringList commandsOf(const QList<EngineConfig>& configs) {
  QStringList commands;
  for (const EngineConfig& config : configs) commands << config.commandText();
  return commands;
}

TEST(EngineDiscovery, PluginFilesGiveTheChessEnginesOnly) {
  const QByteArray header = pluginHeader();
  if (!header.startsWith("plugin ")) GTEST_SKIP() << "no Debian plugin file to copy the format line from";
  QTemporaryDir dir;
  writeFile(dir.filePath("good.eng"), header + "/opt/good -x\nchess,capablanca\n");
  writeFile(dir.filePath("normal.eng"), header + "normal\nnormal\n");
  writeFile(dir.filePath("xiangqi.eng"), header + "maxqi\nxiangqi\n");
  writeFile(dir.filePath("broken.eng"), "not a plugin\nbroken\nchess\n");
  writeFile(dir.filePath("empty.eng"), header + "\nchess\n");
  writeFile(dir.filePath("readme.txt"), header + "txt\nchess\n");
  const QList<EngineConfig> found = readXboardPlugins(dir.path());
  EXPECT_EQ(commandsOf(found), (QStringList{"/opt/good -x", "normal"}));
  EXPECT_EQ(found[0].name, "Good");
}

TEST(EngineDiscovery, EnginesConfGivesNameProtocolProgramAndArguments) {
  QTemporaryDir dir;
  writeFile(dir.filePath("engines.conf"),
            "# engines\n[Stockfish]\nprotocol=uci\nbinary=stockfish\n\n[GNU Chess]\nprotocol=cecp\nbinary=gnuchess\n"
            "args=--xboard --post\n[Nothing]\nprotocol=uci\n");
  const QList<EngineConfig> found = readEnginesConf(dir.filePath("engines.conf"));
  ASSERT_EQ(found.size(), 2);
  EXPECT_EQ(found[0].name, "Stockfish");
  EXPECT_EQ(found[0].protocol, EngineProtocol::Uci);
  EXPECT_EQ(found[1].name, "GNU Chess");
  EXPECT_EQ(found[1].protocol, EngineProtocol::Cecp);
  EXPECT_EQ(found[1].arguments, (QStringList{"--xboard", "--post"}));
  EXPECT_TRUE(readEnginesConf(dir.filePath("absent.conf")).isEmpty());
}

// Installed engines only, each program once: a program the known list names
// is not listed again from a plugin file under another command.
TEST(EngineDiscovery, OnlyInstalledEnginesAreListedAndEachProgramOnce) {
  const QByteArray header = pluginHeader();
  if (!header.startsWith("plugin ")) GTEST_SKIP() << "no Debian plugin file to copy the format line from";
  QTemporaryDir dir;
  const QString script = uciScript(dir, "myengine", "echo bestmove e2e4");
  writeFile(dir.filePath("mine.eng"), header + (script + "\nchess\n").toUtf8());
  writeFile(dir.filePath("missing.eng"), header + "/nowhere/engine\nchess\n");
  writeFile(dir.filePath("engines.conf"), ("[Mine again]\nprotocol=uci\nbinary=" + script + "\n").toUtf8());
  const QList<EngineConfig> found = discoverEngines(dir.path(), dir.filePath("engines.conf"));
  const QStringList commands = commandsOf(found);
  EXPECT_EQ(commands.count(script), 1);
  EXPECT_FALSE(commands.contains("/nowhere/engine"));
  // Debian's own engines, installed for the tests, are found with no setup.
  EXPECT_TRUE(commands.contains("stockfish"));
  EXPECT_TRUE(commands.contains("gnuchess --uci"));
  EXPECT_EQ(found[commands.indexOf("stockfish")].protocol, EngineProtocol::Uci);
}

TEST(EngineList, TheBuiltInEngineComesFirstAndTheListReadsBackAsSaved) {
  QTemporaryDir dir;
  const QString path = dir.filePath("sub/engines.ini");
  EngineList list(path);
  EngineConfig stockfish{"Stockfish 15.1", "stockfish", {}, EngineProtocol::Uci, {{"Skill Level", "3"}, {"Hash", "32"}}};
  EngineConfig phalanx{"Phalanx XXV", "/usr/games/phalanx", {"-l-"}, EngineProtocol::Cecp, {}};
  list.add(stockfish);
  list.add(phalanx);
  stockfish.name = "Otro nombre";
  list.add(stockfish);  // the same command replaces its entry
  list.remove(0);       // the built-in engine stays
  ASSERT_TRUE(list.save());

  EngineList again(path);
  again.load();
  ASSERT_EQ(again.engines().size(), 3);
  EXPECT_TRUE(again.engines()[0].isBuiltIn());
  EXPECT_EQ(again.engines()[1].name, "Otro nombre");
  EXPECT_EQ(again.engines()[1].optionValues, stockfish.optionValues);
  EXPECT_EQ(again.engines()[2].arguments, phalanx.arguments);
  EXPECT_EQ(again.engines()[2].protocol, EngineProtocol::Cecp);
}

TEST(EngineList, TheFirstStartListsTheInstalledEngines) {
  QTemporaryDir dir;
  EngineList list(dir.filePath("engines.ini"));
  list.load();
  EXPECT_TRUE(list.engines()[0].isBuiltIn());
  EXPECT_GE(list.indexOf("Stockfish"), 1);
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
      writeFile(path, row.text);
    }
    EngineList list(path);
    list.load();
    EXPECT_EQ(list.isForeign(), row.foreign);
    QStringList protocols;
    for (qsizetype i = 1; i < list.engines().size(); ++i) protocols << protocolText(list.engines()[i].protocol);
    EXPECT_EQ(protocols, row.protocols);
    for (qsizetype i = 1; i < list.engines().size(); ++i)
      for (const QString& value : list.engines()[i].optionValues) EXPECT_FALSE(engine_text::hasControl(value));
    if (row.foreign) {
      EXPECT_FALSE(list.save());
    }
  }
}

}  // namespace
