#include "main_window/ui/qt_dialogs.hpp"

#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStringList>

#include "ui/font_conversion.hpp"
#include "ui/qt_text.hpp"

namespace {

// "*.*" means every file, also those without an extension: Qt writes "*".
QString QtPatterns(const QString& patterns) {
  QStringList qtPatterns;
  for (const QString& pattern : patterns.split(';', Qt::SkipEmptyParts))
    qtPatterns << (pattern.trimmed() == "*.*" ? QStringLiteral("*") : pattern.trimmed());
  return qtPatterns.join(' ');
}

// The description often repeats its patterns in brackets; Qt adds its own.
QString DescriptionWithoutPatterns(const QString& description) {
  static const QRegularExpression trailingBrackets(R"(\s*\([^()]*\)\s*$)");
  return QString(description).remove(trailingBrackets);
}

std::optional<std::string> Chosen(const QString& path) {
  if (path.isEmpty()) return std::nullopt;
  return path.toStdString();
}

}  // namespace

QString QtNameFilter(const std::string& filter) {
  const QStringList parts = toQString(filter).split('|');
  QStringList entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
    entries << DescriptionWithoutPatterns(parts[i]) + " (" + QtPatterns(parts[i + 1]) + ")";
  return entries.join(";;");
}

std::optional<std::string> QtDialogs::openFile(const std::string& filter) {
  return Chosen(QFileDialog::getOpenFileName(parent_, QString(), QString(), QtNameFilter(filter)));
}

// Overwriting is not asked here: the one overwrite question of the program is
// the core's own, when a PCG image is saved.
std::optional<std::string> QtDialogs::saveFile(const std::string& proposal,
                                               const std::string& filter) {
  return Chosen(QFileDialog::getSaveFileName(parent_, QString(), QString::fromStdString(proposal),
                                             QtNameFilter(filter), nullptr,
                                             QFileDialog::DontConfirmOverwrite));
}

std::optional<patchlore::FontChoice> QtDialogs::chooseFont(const patchlore::FontChoice& current) {
  bool confirmed = false;
  const QFont chosen =
      QFontDialog::getFont(&confirmed, toQFont(current, QFont::AnyStyle), parent_);
  if (!confirmed) return std::nullopt;
  return toFontChoice(chosen);
}

bool QtDialogs::askYesNo(const std::string& question) {
  return QMessageBox::question(parent_, "Confirm", toQString(question),
                               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

// The question's lines are converted one by one: toQString shows a line
// break as a control byte.
patchlore::UnsavedChangesAnswer QtDialogs::askAboutUnsavedChanges(const std::string& question) {
  QStringList lines;
  for (const QByteArray& line : QByteArray::fromStdString(question).split('\n'))
    lines << toQString(line.toStdString());
  switch (QMessageBox::warning(parent_, "Unsaved changes", lines.join('\n'),
                               QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save)) {
    case QMessageBox::Save: return patchlore::UnsavedChangesAnswer::Save;
    case QMessageBox::Discard: return patchlore::UnsavedChangesAnswer::Discard;
    default: return patchlore::UnsavedChangesAnswer::Cancel;  // Escape and the window's close button too
  }
}

std::optional<std::string> QtDialogs::chooseFolder() {
  const QString folder = QFileDialog::getExistingDirectory(parent_, "Add Folder");
  if (folder.isEmpty()) return std::nullopt;
  return folder.toStdString();
}
