#include "window_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

// The toolkit's Spanish writes the modifier keys out in full
// ("Control+Mayúsculas+C"); Spanish desktops name them short, "Ctrl+Mayús+C".
// Asked first, it answers for those two names only.
class ShortcutKeyNames : public QTranslator {
 public:
  bool isEmpty() const override { return false; }
  QString translate(const char* context, const char* source, const char*, int) const override {
    if (qstrcmp(context, "QShortcut") != 0) return {};
    if (qstrcmp(source, "Ctrl") == 0) return QStringLiteral("Ctrl");
    if (qstrcmp(source, "Shift") == 0) return QStringLiteral("Mayús");
    return {};
  }
};

}  // namespace

WindowTranslation::WindowTranslation(QLocale::Language language) {
  const QLocale locale(language);
  auto install = [this](std::unique_ptr<QTranslator> translator) {
    QCoreApplication::installTranslator(translator.get());
    installed.push_back(std::move(translator));
  };
  // Built into the program (dovrel2_en.qm), so it is found wherever the program runs.
  if (language != QLocale::Spanish) {
    auto own = std::make_unique<QTranslator>();
    if (own->load(locale, QStringLiteral("dovrel2"), QStringLiteral("_"), QStringLiteral(":/i18n"))) {
      program = true;
      install(std::move(own));
    }
  }
  // Debian's qt6-translations-l10n; without it the toolkit's texts stay in English.
  auto toolkit = std::make_unique<QTranslator>();
  if (!toolkit->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    return;
  install(std::move(toolkit));
  if (language == QLocale::Spanish) install(std::make_unique<ShortcutKeyNames>());
}

WindowTranslation::~WindowTranslation() {
  for (const auto& translator : installed) QCoreApplication::removeTranslator(translator.get());
}
