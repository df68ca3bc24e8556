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
  queued.append(pendingText);
  if (!engine->isStarted()) engine->start();
  engine->release();
  handing = false;
}

// The worker takes one command a wait; the next waits for its next wait.
void CommandChannel::onCommandWanted(QByteArray* buffer) {
  if (queued.isEmpty()) {
    *buffer = QByteArray("\n");  // a blank line asks nothing
    return;
  }
  *buffer = queued.takeFirst();
  if (!queued.isEmpty()) engine->release();
  emit taken(QString::fromLatin1(buffer->chopped(1)).split(u'\n'), *buffer);
}
