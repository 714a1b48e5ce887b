// The core's dialogs as Qt's standard file, font and message dialogs.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include "common/services.hpp"

// A filter given as pairs of description and patterns joined by "|"
// («All files (*.*)|*.*») in Qt's form («All files (*)»).
QString QtNameFilter(const std::string& filter);

class QtDialogs : public patchlore::Dialogs {
 public:
  // The dialogs are shown over this window; it can be set once it exists.
  void setParentWidget(QWidget* parent) { parent_ = parent; }

  std::optional<std::string> openFile(const std::string& filter) override;
  std::optional<std::string> saveFile(const std::string& proposal,
                                      const std::string& filter) override;
  std::optional<patchlore::FontChoice> chooseFont(const patchlore::FontChoice& current) override;
  bool askYesNo(const std::string& question) override;
  patchlore::UnsavedChangesAnswer askAboutUnsavedChanges(const std::string& question) override;
  std::optional<std::string> chooseFolder() override;

 private:
  QPointer<QWidget> parent_;
};
