// The window in its two languages: which one the setting and the system
// choose, the English translation whole, and the real main window's menus in
// each (Spanish exactly as ever, English with nothing Spanish left).

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "app/main_frame.h"
#include "app/window_translation.h"
#include "driver/game.h"
#include "files/dovrel2_doc.h"
#include "settings/window_language.h"

namespace {

TEST(WindowLanguage, EnglishOnlyWhenChosenOrSpokenByTheSystem) {
  const QLocale english(QLocale::English, QLocale::UnitedKingdom), french(QLocale::French), spanish(QLocale::Spanish);
  EXPECT_EQ(window_language::chosen(QStringLiteral("auto"), english), QLocale::English);
  EXPECT_EQ(window_language::chosen(QString(), french), QLocale::Spanish);
  EXPECT_EQ(window_language::chosen(QString(), QLocale::c()), QLocale::Spanish);
  EXPECT_EQ(window_language::chosen(QStringLiteral("es"), english), QLocale::Spanish);
  EXPECT_EQ(window_language::chosen(QStringLiteral(" EN "), spanish), QLocale::English);
  EXPECT_EQ(window_language::chosen(QStringLiteral("fr"), english), QLocale::English);  // unknown: as auto
}

// Every entry translated, keeping its placeholders and the shortcut after its tab.
TEST(WindowLanguage, EnglishTranslationIsWhole) {
  QFile file(QStringLiteral(DOVREL_TRANSLATIONS_DIR "/dovrel2_en.ts"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  static const QRegularExpression fixed(QStringLiteral("%\\d|\\t.*$"));
  const auto fixedParts = [](const QString& text) {
    QStringList parts;
    for (const QRegularExpressionMatch& match : fixed.globalMatch(text)) parts << match.captured();
    parts.sort();
    return parts;
  };
  QXmlStreamReader xml(&file);
  QString source;
  int messages = 0;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (xml.name() == u"source") source = xml.readElementText();
    if (xml.name() != u"translation") continue;
    ++messages;
    const QString type = xml.attributes().value(QLatin1String("type")).toString();
    const QString text = xml.readElementText();
    EXPECT_TRUE(type.isEmpty()) << type.toStdString() << ": " << source.toStdString();
    EXPECT_FALSE(text.isEmpty()) << source.toStdString();
    EXPECT_EQ(fixedParts(text), fixedParts(source)) << source.toStdString();
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_GT(messages, 300);
}

using Menus = std::vector<std::pair<QString, QStringList>>;

// The menu bar of a main window built as the program builds it: each menu's
// title and its items' captions. Built in a folder of its own, as closing
// the window writes kelvo.ini.
Menus mainWindowMenus() {
  QTemporaryDir dir;
  const QString previous = QDir::currentPath();
  QDir::setCurrent(dir.path());
  Menus menus;
  {
    CDovrel2Doc doc(Game::instance());
    CMainFrame frame(&doc, EngineObjects::ofProcess());
    for (QAction* title : frame.menuBar()->actions()) {
      QStringList items;
      for (QAction* item : title->menu()->actions())
        if (!item->isSeparator()) items << item->text();
      menus.emplace_back(title->text(), items);
    }
  }
  QDir::setCurrent(previous);
  return menus;
}

TEST(WindowLanguage, MainWindowMenusInEachLanguage) {
  const Menus spanish = mainWindowMenus();
  ASSERT_EQ(spanish.size(), 7u);
  EXPECT_EQ(spanish[3].first, "Partida");
  EXPECT_EQ(spanish[4].first, "Entrenamiento");
  EXPECT_EQ(spanish[3].second, QStringList({"Nueva", "Nueva partida...", "Detener motores", "Atras",
                                            "Mueve!", "Move now!", "Delante", "Pista", "Ofrecer tablas",
                                            "Abandonar", "Analizar partida..."}));

  Menus english;
  {
    const WindowTranslation translation(QLocale::English);
    ASSERT_TRUE(translation.programTranslated());
    english = mainWindowMenus();
  }
  ASSERT_EQ(english.size(), spanish.size());
  EXPECT_EQ(english[3].first, "Game");
  EXPECT_EQ(english[4].first, "Training");
  EXPECT_EQ(english[3].second, QStringList({"New", "New Game...", "Stop Engines", "Take Back",
                                            "Move!", "Move now!", "Forward", "Hint", "Offer Draw", "Resign",
                                            "Analyse Game..."}));
  // Outside the Debug menu, written in English from the start, only "Move now!" was English already.
  for (std::size_t menu = 0; menu < spanish.size(); ++menu) {
    if (spanish[menu].first == QLatin1String("Debug")) continue;
    EXPECT_NE(english[menu].first, spanish[menu].first);
    ASSERT_EQ(english[menu].second.size(), spanish[menu].second.size());
    for (qsizetype item = 0; item < spanish[menu].second.size(); ++item) {
      if (spanish[menu].second[item] != QLatin1String("Move now!")) {
        EXPECT_NE(english[menu].second[item], spanish[menu].second[item]);
      }
    }
  }
}

}  // namespace
