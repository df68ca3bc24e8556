#include "message_sink.h"

namespace {

MessageSink& currentSink() {
  static MessageSink sink;
  return sink;
}

}  // namespace

void setMessageSink(MessageSink sink) { currentSink() = std::move(sink); }

void showMessage(QMessageBox::Icon icon, const QString& text, QWidget* parent) {
  const QString caption = QStringLiteral("dovrel2");
  if (currentSink()) {
    currentSink()(icon, caption, text);
    return;
  }
  QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
  box.exec();
}
