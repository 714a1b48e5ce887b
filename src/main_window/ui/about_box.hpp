// The About box: product name, version, contact and the instruments it serves.
#pragma once

#include <QDialog>

class AboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit AboutBox(QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;
};
