#include "about_dlg.h"

#include <QApplication>
#include <QDesktopServices>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#ifndef DOVREL_README_PATH
#define DOVREL_README_PATH "README.md"
#endif

namespace {

QLabel* lineInFont(const QString& text, const QString& family, int pixelHeight, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  QFont font(family);
  font.setPixelSize(pixelHeight);
  label->setFont(font);
  return label;
}

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("Acerca de gui-KELVO"));

  auto* icon = new QLabel(this);
  icon->setPixmap(windowIcon().isNull() ? style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(32, 32)
                                        : windowIcon().pixmap(32, 32));
  auto* product = lineInFont(QStringLiteral("KELVO 3.0"), QStringLiteral("Digiface"), 38, this);
  auto* built = new QLabel(tr("Last: %1").arg(QStringLiteral("Oct  1 2006")), this);
  auto* version = new QLabel(QStringLiteral("Kelvo: 1.19"), this);

  auto* contact = new QGroupBox(tr("Contact"), this);
  auto* contactLine = lineInFont(tr("Kelvo chess project"), QStringLiteral("Times New Roman"), 18, contact);
  auto* link = new QLabel(QStringLiteral("<a href=\"%1\">README</a>").arg(projectPage().toString()), contact);
  link->setTextInteractionFlags(Qt::TextBrowserInteraction);
  link->setOpenExternalLinks(false);
  connect(link, &QLabel::linkActivated, this, [] { QDesktopServices::openUrl(projectPage()); });
  auto* contactLayout = new QVBoxLayout(contact);
  contactLayout->addWidget(contactLine);
  contactLayout->addWidget(link);

  auto* ok = new QPushButton(tr("Aceptar"), this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* grid = new QGridLayout(this);
  grid->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
  grid->addWidget(product, 0, 1);
  grid->addWidget(ok, 0, 2, Qt::AlignTop);
  grid->addWidget(built, 1, 1);
  grid->addWidget(version, 2, 1);
  grid->addWidget(contact, 3, 0, 1, 3);
}

QUrl CAboutDlg::projectPage() { return QUrl::fromLocalFile(QStringLiteral(DOVREL_README_PATH)); }
