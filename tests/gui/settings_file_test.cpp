#include "settings_file.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class SettingsFileTest : public ::testing::Test {
 protected:
  QString path(const char* name = "kelvo.ini") const { return dir.filePath(QLatin1String(name)); }
  void write(const QByteArray& text) const {
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
  }
  QByteArray contents() const {
    QFile file(path());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  QTemporaryDir dir;
};

TEST_F(SettingsFileTest, MissingFileGivesTheDefaults) {
  const ProgramSettings settings = ProgramSettings::read(SettingsFile(path("absent.ini")));
  EXPECT_TRUE(settings.openingBook);
  EXPECT_TRUE(settings.randomFactor);
  EXPECT_TRUE(settings.post);
  EXPECT_FALSE(settings.debug);
  EXPECT_EQ(settings.font, QLatin1String("Regular"));
}

TEST(SettingsBoolean, OnlyTrueAndLowerTrueCount) {
  const std::pair<const char*, bool> cases[] = {{"True", true},   {"true", true},  {"TRUE", false}, {"tRUE", false},
                                                {"1", false},     {"yes", false},  {"", false},     {"False", false},
                                                {"True ", false}, {"Truex", false}};
  for (auto [text, expected] : cases) EXPECT_EQ(SettingsFile::parseBoolean(QLatin1String(text)), expected) << text;
}

TEST_F(SettingsFileTest, ReadsValuesAsTheProfileFunctionsDo) {
  write("; comment\n[dovrel]\n  debug =  true \nFont=Merida\n[KELVO]\nPost=TRUE\nOpeningBook=False\n"
        "RandomFactor=\"True\"\n");
  const ProgramSettings settings = ProgramSettings::read(SettingsFile(path()));
  EXPECT_TRUE(settings.debug);  // names without regard to case, values trimmed
  EXPECT_EQ(settings.font, QLatin1String("Merida"));
  EXPECT_FALSE(settings.post);
  EXPECT_FALSE(settings.openingBook);
  EXPECT_TRUE(settings.randomFactor);
}

TEST_F(SettingsFileTest, LongFontNameIsCut) {
  write("[DOVREL]\nFont=" + QByteArray(300, 'x') + "\n");
  EXPECT_EQ(ProgramSettings::read(SettingsFile(path())).font.size(), 254);
}

TEST_F(SettingsFileTest, WritesBooleansAsTrueAndFalseAndReadsThemBack) {
  SettingsFile file(path());
  file.setBoolean(QStringLiteral("KELVO"), QStringLiteral("OpeningBook"), false);
  file.setBoolean(QStringLiteral("KELVO"), QStringLiteral("Post"), true);
  file.setBoolean(QStringLiteral("DOVREL"), QStringLiteral("Debug"), true);
  file.setText(QStringLiteral("DOVREL"), QStringLiteral("Font"), QStringLiteral("Merida"));
  ASSERT_TRUE(file.save());
  EXPECT_EQ(contents(), "[KELVO]\nOpeningBook=False\nPost=True\n[DOVREL]\nDebug=True\nFont=Merida\n");

  const ProgramSettings settings = ProgramSettings::read(SettingsFile(path()));
  EXPECT_FALSE(settings.openingBook);
  EXPECT_TRUE(settings.post);
  EXPECT_TRUE(settings.debug);
  EXPECT_EQ(settings.font, QLatin1String("Merida"));
}

TEST_F(SettingsFileTest, RewritingKeepsOtherLinesAndReplacesKeysInPlace) {
  write("; mine\n[KELVO]\nPost=False\nOther=1\n\n[DOVREL]\nFont=Merida\n");
  SettingsFile file(path());
  file.setBoolean(QStringLiteral("KELVO"), QStringLiteral("post"), true);
  file.setBoolean(QStringLiteral("KELVO"), QStringLiteral("RandomFactor"), false);
  file.setBoolean(QStringLiteral("DOVREL"), QStringLiteral("DebugFiles"), true);
  ASSERT_TRUE(file.save());
  EXPECT_EQ(contents(), "; mine\n[KELVO]\npost=True\nOther=1\nRandomFactor=False\n\n[DOVREL]\nFont=Merida\n"
                        "DebugFiles=True\n");
}

}  // namespace
