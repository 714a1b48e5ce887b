#include "main_window/ui/about_box.hpp"
#include "main_window/ui/app_icon.hpp"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include "ui/widgets.hpp"

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
  setObjectName("AboutBox");
  setWindowTitle("About");

  auto* icon = Named(new QLabel(this), "ProgramIcon");
  icon->setPixmap(ApplicationIcon().pixmap(48, 48));

  QLabel* product = PlainLabel("ProductName", "Patchlore", this);
  product->setFont(Bold(product->font()));

  auto* text = new QVBoxLayout;
  text->addWidget(product);
  text->addWidget(PlainLabel("Version", "Version 0.1.0, December 2026", this));
  text->addWidget(PlainLabel("Copyright", "Contact: the Patchlore developers", this));
  text->addWidget(PlainLabel("Comments", "For the Korg KRONOS and Korg OASYS", this));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  QPushButton* ok = Named(buttons->button(QDialogButtonBox::Ok), "OKButton");
  ok->setText("OK");
  ok->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* layout = new QGridLayout(this);
  layout->addWidget(icon, 0, 0, Qt::AlignTop);
  layout->addLayout(text, 0, 1);
  layout->addWidget(buttons, 1, 0, 1, 2);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

// Centred on the screen rather than on the main window.
void AboutBox::showEvent(QShowEvent* event) {
  if (const QScreen* screen = this->screen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  QDialog::showEvent(event);
}
