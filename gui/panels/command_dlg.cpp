#include "command_dlg.h"

#include <QVBoxLayout>

#include "log_text_edit.h"

CCommandDlg::CCommandDlg(QWidget* parent) : QDialog(parent), log(new LogTextEdit(this)) {
  setWindowTitle(tr("Command dialog"));
  setModal(false);
  // Closing the main window ends the program even while these are open.
  setAttribute(Qt::WA_QuitOnClose, false);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(log);
  resize(300, 340);
}

void CCommandDlg::appendText(int colour, const QString& text) { log->appendText(colour, text); }

QString CCommandDlg::text() const { return log->toPlainText(); }
