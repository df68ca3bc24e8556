// The desktop app's settings file: any bytes as "kelvo.ini", read as at start-up,
// then changed and saved as the settings dialog does. A saved value must read back.

#include <QString>
#include <cstdio>
#include <cstdlib>

#include "fuzz_support.h"
#include "settings/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  enterScratchDirectory();
  std::FILE* file = std::fopen(SettingsFile::FILE_NAME, "wb");
  if (!file) return 0;
  std::fwrite(data, 1, size, file);
  std::fclose(file);

  SettingsFile settings;
  ProgramSettings::read(settings);
  settings.setText(QStringLiteral("DOVREL"), QStringLiteral("Font"), QStringLiteral("Merida"));
  settings.setBoolean(QStringLiteral("KELVO"), QStringLiteral("Post"), false);
  if (!settings.save()) return 0;

  const ProgramSettings again = ProgramSettings::read(SettingsFile());
  if (again.font != QStringLiteral("Merida") || again.post) std::abort();
  return 0;
}
