#pragma once
// Crafted engines for the fault tests: small shell scripts that speak just
// enough of a protocol and then misbehave the way the test needs.

#include <QFile>
#include <QString>
#include <QTemporaryDir>

inline QString writeScript(const QTemporaryDir& dir, const QString& name, const QString& body) {
  const QString path = dir.filePath(name);
  QFile file(path);
  file.open(QIODevice::WriteOnly);
  file.write("#!/bin/sh\n" + body.toUtf8());
  file.close();
  file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  return path;
}

// A UCI engine that shakes hands and then answers "go" with `onGo` (a shell
// command). A line starting "injected", which no driver sends, sets $injected.
inline QString uciScript(const QTemporaryDir& dir, const QString& name, const QString& onGo) {
  return writeScript(dir, name, QStringLiteral(R"(while read line; do
  case "$line" in
    uci) echo "id name %1"; echo "option name Skill Level type spin default 20 min 0 max 20"
         echo "option name Libro type string default nada"; echo uciok ;;
    injected*) injected=1 ;;
    isready) echo readyok ;;
    go*) %2 ;;
    quit) exit 0 ;;
  esac
done
)").arg(name, onGo));
}

// A CECP engine that takes its features and answers "go" with `onGo`.
inline QString cecpScript(const QTemporaryDir& dir, const QString& name, const QString& onGo) {
  return writeScript(dir, name, QStringLiteral(R"(while read line; do
  case "$line" in
    uci) echo "Error (unknown command): uci" ;;
    protover*) echo 'feature myname="%1" setboard=1 usermove=1 done=1' ;;
    go) %2 ;;
    quit) exit 0 ;;
  esac
done
)").arg(name, onGo));
}
