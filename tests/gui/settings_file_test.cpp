#include "settings/settings_file.h"

#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class SettingsFileTest : public ::testing::Test {
 protected:
  void write(const QByteArray& text) {
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(text);
    ini.close();
  }
  QTemporaryDir dir;
  const QString path = dir.filePath("kelvo.ini");
  QFile ini{path};
};

TEST(SettingsBoolean, OnlyTrueAndLowerTrueCount) {
  const std::pair<const char*, bool> cases[] = {{"True", true},   {"true", true},  {"TRUE", false}, {"tRUE", false},
                                                {"1", false},     {"yes", false},  {"", false},     {"False", false},
                                                {"True ", false}, {"Truex", false}};
  for (auto [text, expected] : cases) EXPECT_EQ(SettingsFile::parseBoolean(QLatin1String(text)), expected) << text;
}

// A huge file or a pipe named kelvo.ini is not ours: the defaults apply, fast
// and in little memory, and it is never overwritten.
TEST_F(SettingsFileTest, AFileThatIsNoSettingsFileIsNeitherReadNorWritten) {
  write("[DOVREL]\nFont=Merida\n" + QByteArray(SettingsFile::MAX_BYTES, ';'));
  const QString fifo = dir.filePath("fifo.ini");
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  for (const QString& file : {path, fifo}) {
    SettingsFile settings(file);
    EXPECT_EQ(ProgramSettings::read(settings).font, "Regular") << file.toStdString();
    settings.setText("DOVREL", "Font", "Merida");
    QString reason;
    EXPECT_FALSE(settings.save(&reason)) << file.toStdString();
    EXPECT_FALSE(reason.isEmpty());
  }
  EXPECT_EQ(QFileInfo(path).size(), 21 + SettingsFile::MAX_BYTES);
}

// The first-start page: wanted while nothing is stored yet (an upgraded
// program's settings are not a first start), then as its own key says.
TEST_F(SettingsFileTest, TheWelcomePageBelongsToTheFirstStart) {
  EXPECT_TRUE(ProgramSettings::read(SettingsFile(path)).welcomePage);  // no file at all
  const std::pair<QByteArray, bool> cases[] = {{"; kelvo\r\n[DOVREL]\r\n", true},
                                               {"[DOVREL]\nFont=Merida\n", false},
                                               {"[DOVREL]\nWindow=0,0,520,462\nWelcomePage=True\n", true}};
  for (const auto& [text, wanted] : cases) {
    write(text);
    EXPECT_EQ(ProgramSettings::read(SettingsFile(path)).welcomePage, wanted) << text.toStdString();
  }
}

TEST_F(SettingsFileTest, ReadsValuesAsTheProfileFunctionsDo) {
  write("; comment\n[dovrel]\n  debug =  true \nFont=" + QByteArray(300, 'x') +
        "\n[KELVO]\nPost=TRUE\nOpeningBook=False\nRandomFactor=\"True\"\n");
  const ProgramSettings settings = ProgramSettings::read(SettingsFile(path));
  EXPECT_TRUE(settings.debug);  // names without regard to case, values trimmed
  EXPECT_EQ(settings.font, QString(254, u'x'));
  EXPECT_FALSE(settings.post);
  EXPECT_FALSE(settings.openingBook);
  EXPECT_TRUE(settings.randomFactor);
}

// The file may come from a Windows editor: its code page, its CR LF line ends,
// the blanks around "=" and a last line without an ending all survive; only the
// written keys' lines change, and new lines follow the file's own line ends.
// (The main window's test writes an LF file and reads it back through the player.)
TEST_F(SettingsFileTest, WritingAKeyKeepsEveryOtherByte) {
  write("; Configuraci\xf3n\r\n[KELVO]\r\nPost = False\r\nOther=\xe9t\xe9\r\n\r\n[DOVREL]\r\nFont=Merida");
  SettingsFile file(path);
  file.setBoolean("KELVO", "post", true);
  file.setBoolean("KELVO", "RandomFactor", false);
  file.setText("DOVREL", "Font", "Merida");  // unchanged: the unended last line stays so
  ASSERT_TRUE(file.save());
  ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
  EXPECT_EQ(ini.readAll(), "; Configuraci\xf3n\r\n[KELVO]\r\nPost =True\r\nOther=\xe9t\xe9\r\nRandomFactor=False\r\n"
                           "\r\n[DOVREL]\r\nFont=Merida");
  ini.close();

  SettingsFile again(path);
  again.setBoolean("DOVREL", "Debug", true);
  again.setText("NEW", "Key", "x");
  ASSERT_TRUE(again.save());
  ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
  EXPECT_EQ(ini.readAll(), "; Configuraci\xf3n\r\n[KELVO]\r\nPost =True\r\nOther=\xe9t\xe9\r\nRandomFactor=False\r\n"
                           "\r\n[DOVREL]\r\nFont=Merida\r\nDebug=True\r\n[NEW]\r\nKey=x\r\n");
}

}  // namespace
