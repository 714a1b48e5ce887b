#include "main_window/ui/about_box.hpp"
#include "main_window/ui/app_icon.hpp"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace {

QLabel* NamedLabel(const char* name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  return label;
}

}  // namespace

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
  setObjectName("AboutBox");
  setWindowTitle("About");

  auto* icon = NamedLabel("ProgramIcon", QString(), this);
  icon->setPixmap(ApplicationIcon().pixmap(48, 48));

  auto* product = NamedLabel("ProductName", "Patchlore", this);
  QFont bold = product->font();
  bold.setBold(true);
  product->setFont(bold);

  auto* text = new QVBoxLayout;
  text->addWidget(product);
  text->addWidget(NamedLabel("Version", "Version 0.1.0, December 2026", this));
  text->addWidget(NamedLabel("Copyright", "Contact: the Patchlore developers", this));
  text->addWidget(NamedLabel("Comments", "For the Korg KRONOS and Korg OASYS", this));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
  ok->setObjectName("OKButton");
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
