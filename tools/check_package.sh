#!/usr/bin/env bash
# Checks the Debian package that `make package` built: the files it holds,
# the dependencies dpkg-shlibdeps computed, and lintian (errors and warnings
# fail; the informational tags left are listed in the README).
#   tools/check_package.sh PACKAGE.deb
set -euo pipefail
deb=$1

expected="./usr/games/dovrel2
./usr/games/kelvo
./usr/share/applications/dovrel2.desktop
./usr/share/doc/kelvo/changelog.gz
./usr/share/doc/kelvo/copyright
./usr/share/games/kelvo/CHEQ_TT0.TTF
./usr/share/games/kelvo/aperturas.pgn
./usr/share/games/kelvo/merida.ttf
./usr/share/games/plugins/logos/kelvo.png
./usr/share/games/plugins/xboard/kelvo.eng
./usr/share/icons/hicolor/128x128/apps/dovrel2.png
./usr/share/icons/hicolor/256x256/apps/dovrel2.png
./usr/share/icons/hicolor/48x48/apps/dovrel2.png
./usr/share/man/es/man6/dovrel2.6.gz
./usr/share/man/man6/dovrel2.6.gz
./usr/share/man/man6/kelvo.6.gz
./usr/share/metainfo/invalid.kelvo.dovrel2.metainfo.xml"
files=$(dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ {print $6}' | sort)
if [ "$files" != "$expected" ]; then
  echo "check_package: the package's files differ from the expected list:" >&2
  diff <(echo "$expected") <(echo "$files") >&2 || true
  exit 1
fi

depends=$(dpkg-deb --field "$deb" Depends)
echo "Depends: $depends"
names=$(sed 's/ *([^)]*)//g; s/, */\n/g' <<<"$depends")
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
  grep -qxF "$library" <<<"$names" || { echo "check_package: no dependency on $library" >&2; exit 1; }
done

if command -v lintian >/dev/null; then
  lintian --fail-on error,warning "$deb"
else
  echo "check_package: lintian is not installed" >&2
  exit 1
fi
echo "check_package: $deb ok"
