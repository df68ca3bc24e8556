#pragma once
// The window's side of the hand-over to the engine worker: the commands (each
// a line, or a batch of lines taken one after the other) released to the
// worker in the order given, and the news that the worker is taking one. A
// command given while the worker is busy waits for it; none is lost.

#include <QByteArray>
#include <QList>
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
  // The last command given, as the worker takes it.
  const QByteArray& pending() const { return pendingText; }
  // Commands given but not yet taken.
  int waiting() const { return static_cast<int>(queued.size()); }
  // True while send runs: the status shows "thinking" meanwhile.
  bool handingOver() const { return handing; }

 signals:
  // The engine is taking these lines now, before it acts on them.
  void taken(const QStringList& lines, const QByteArray& text);

 private:
  void onCommandWanted(QByteArray* buffer);

  EngineBridge* engine;
  QByteArray pendingText;
  QList<QByteArray> queued;
  bool handing = false;
};
