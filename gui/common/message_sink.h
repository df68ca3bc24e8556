#pragma once
// Every message box of the program goes through here, so tests can take the
// boxes instead of blocking on them.

#include <QMessageBox>
#include <QString>

#include <functional>

using MessageSink = std::function<void(QMessageBox::Icon icon, const QString& caption, const QString& text)>;

// An empty sink restores real message boxes.
void setMessageSink(MessageSink sink);

// A box with the program's title as its caption.
void showMessage(QMessageBox::Icon icon, const QString& text, QWidget* parent = nullptr);
