#include "viewer/ui/viewer_settings_panel.hpp"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <algorithm>

#include "ui/widgets.hpp"
#include "viewer/ui/settings_groups.hpp"

using patchlore::ViewerPart;

// The program-name filter takes the width the other groups leave.
ViewerSettingsPanel::ViewerSettingsPanel(patchlore::ViewerCore& core, patchlore::ViewerReporter& reporter,
                                         QWidget* parent)
    : QScrollArea(parent), core_(core) {
  setObjectName("SettingsArea");
  setFocusPolicy(Qt::NoFocus);  // Tab goes to the groups' controls, not the frame round them
  frame_ = Named(new QGroupBox(this), "GroupSetting");
  auto* row = new QHBoxLayout(frame_);
  row->setContentsMargins(2, 2, 4, 2);
  row->setSpacing(2);
  exportSeparator_ = new ExportSeparatorGroup(core_, frame_);
  bankProgFilter_ = new BankProgFilterGroup(core_, reporter, frame_);
  nameFilter_ = new NameFilterGroup(core_, reporter, frame_);
  row->addWidget(exportSeparator_);
  row->addWidget(bankProgFilter_);
  row->addWidget(nameFilter_, 1);
  row->addStretch(0);
  auto* close = Named(new QPushButton("Close", frame_), "CloseSet");
  // As wide as its caption needs, not a dialog button's usual width.
  close->setFixedWidth(close->fontMetrics().horizontalAdvance(close->text()) + 16);
  connect(close, &QPushButton::clicked, this, [this] { core_.closeSettings(); });
  row->addWidget(close, 0, Qt::AlignTop);

  setFrameShape(QFrame::NoFrame);
  setWidgetResizable(true);
  setWidget(frame_);
  setFixedHeight(kDesignHeight);
  hide();
}

void ViewerSettingsPanel::showPart(ViewerPart part) {
  switch (part) {
    case ViewerPart::Settings: showGroups(); break;
    case ViewerPart::Filters:
      bankProgFilter_->showFilters();
      nameFilter_->showFilters();
      break;
    case ViewerPart::Separator: exportSeparator_->showSeparator(); break;
    default: break;
  }
}

void ViewerSettingsPanel::showGroups() {
  const patchlore::SettingsArea& settings = core_.state().settings;
  exportSeparator_->setVisible(settings.exportSettings);
  bankProgFilter_->setVisible(settings.bankProgFilter);
  nameFilter_->setVisible(settings.progNameFilter);
  frame_->setVisible(settings.open);
  setVisible(settings.open);
}

void ViewerSettingsPanel::fitHeight(int offered) {
  if (isHidden()) return;
  setFixedHeight(std::max(kDesignHeight, offered));
}
