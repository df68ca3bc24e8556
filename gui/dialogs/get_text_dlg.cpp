#include "get_text_dlg.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

CGetTextDlg::CGetTextDlg(QWidget* parent) : QDialog(parent), edit(new QLineEdit(this)) {
  setWindowTitle(tr("Issue command"));
  auto* ok = new QPushButton(tr("OK"), this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, [this] {
    copied = edit->text();
    accept();
  });
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(edit, 1);
  layout->addWidget(ok);
  edit->setFocus();
  resize(320, 0);
}
