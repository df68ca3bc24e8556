#include "window_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

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
  if (toolkit->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    install(std::move(toolkit));
}

WindowTranslation::~WindowTranslation() {
  for (const auto& translator : installed) QCoreApplication::removeTranslator(translator.get());
}
