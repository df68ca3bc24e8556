#pragma once
// The About box.

#include <QDialog>
#include <QUrl>

class CAboutDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CAboutDlg(QWidget* parent = nullptr);

  // Where the link leads: the project's README.
  static QUrl projectPage();
};
