#pragma once
// The window's side of the hand-over to the engine worker: the one pending
// command (a line, or a batch of lines taken one after the other), released
// to the worker, and the news that the worker is taking it. A command given
// while the worker is busy replaces the pending one and is lost with it.

#include <QByteArray>
#include <QObject>
#include <QStringList>

class EngineBridge;

class CommandChannel : public QObject {
  Q_OBJECT

 public:
  // Longest command line: with its newline it must fit the engine's 128-byte buffer.
  static constexpr int MAX_COMMAND = 126;

  explicit CommandChannel(EngineBridge* engine, QObject* parent = nullptr);

  // Hands a command line (or lines) to the engine; starts the worker the first time.
  void send(const QString& text);
  const QByteArray& pending() const { return pendingText; }
  // True while send runs: the status shows "thinking" meanwhile.
  bool handingOver() const { return handing; }

 signals:
  // The engine is taking these lines now, before it acts on them.
  void taken(const QStringList& lines, const QByteArray& text);

 private:
  void onCommandWanted(QByteArray* buffer);

  EngineBridge* engine;
  QByteArray pendingText;
  bool handing = false;
};
