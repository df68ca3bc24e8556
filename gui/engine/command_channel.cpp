#include "command_channel.h"

#include "engine_bridge.h"

CommandChannel::CommandChannel(EngineBridge* engine, QObject* parent) : QObject(parent), engine(engine) {
  connect(engine, &EngineBridge::commandWanted, this, &CommandChannel::onCommandWanted);
}

void CommandChannel::send(const QString& text) {
  handing = true;
  // Each line of a batch fits the engine's buffer on its own.
  pendingText.clear();
  for (const QByteArray& line : text.toLatin1().split('\n')) pendingText += line.left(MAX_COMMAND) + '\n';
  if (!engine->isStarted()) engine->start();
  engine->release();
  handing = false;
}

void CommandChannel::onCommandWanted(QByteArray* buffer) {
  *buffer = pendingText;
  emit taken(QString::fromLatin1(pendingText.chopped(1)).split(u'\n'), pendingText);
}
