// The main window's commands, its menus and its toolbar.
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QToolBar>

#include "main_window/ui/about_box.hpp"
#include "main_window/ui/loaded_files_list.hpp"
#include "main_window/ui/main_window.hpp"
#include "ui/font_conversion.hpp"
#include "ui/widgets.hpp"

namespace {

const MenuItem kSeparator{nullptr};

const MenuLayout kMenus[] = {
    {"File1", "&File", "File related commands",
     {{"FileNewItem", "FileNew1"}, {"FileOpenItem", "FileOpen1"}, {"FileOpenAsSysExItem", "FileOpenAsSysEx1"},
      {"FileImportSmfItem", "FileImportSmf1"}, {"CompareFilesItem", "CompareFiles"},
      {"ComparePatchesItem", "ComparePatches"}, {"FileCloseItem", "FileClose1"}, {"FileSaveItem", "FileSave1"},
      {"FileSavePcgItem", "FileSavePcgItem"}, {"FileSaveAsItem", "FileSaveAs1"}, kSeparator,
      {"FileExitItem", "FileExit1"}}},
    {"Edit1", "&Edit", "Edit commands",
     {{"EditUndo1", "EditUndo1"}, {"EditRedo1", "EditRedo1"}, kSeparator, {"CutItem", "EditCut1"},
      {"CopyItem", "EditCopy1"}, {"PasteItem", "EditPaste1"}}},
    {"Window1", "&Window", "Window related commands",
     {{"WindowCascadeItem", "WindowCascade1"}, {"WindowTileItem", "WindowTileHorizontal1"},
      {"WindowTileItem2", "WindowTileVertical1"}, {"WindowMinimizeItem", "WindowMinimizeAll1"},
      {"WindowArrangeItem", "WindowArrange1"}}},
    {"Options1", "Options", "",
     {{"FontSet", "FontSet"}, {"BankCopy", "BankManager"}, {"LibraryItem", "LibraryOpen"},
      {"MidiPorts", "MidiPorts"}}},
    {"Help1", "&Help", "Help topics", {{"HelpAboutItem", "HelpAbout1"}}},
};

// The buttons the design hides stay hidden; the menus reach their commands.
const ToolButtonLayout kToolButtons[] = {
    {"ToolButton9", "FileNew1", true},
    {"ToolButton1", "FileOpen1", true},
    {"ToolButton2", "FileSave1", true},
    {"ToolButton4", "EditCut1", false},
    {"ToolButton5", "EditCopy1", false},
    {"ToolButton6", "EditPaste1", false},
    {"ToolButton8", "WindowCascade1", false},
    {"ToolButton10", "WindowTileHorizontal1", false},
    {"ToolButton11", "WindowTileVertical1", false},
    {"ToolButton12", "CompareFiles", false, "Compare", "Compare files", ToolbarImage::Compare},
    {"ToolButton13", "BankManager", false, "Bank copy", "Bank copy", ToolbarImage::BankCopy},
};

// Cut, copy and paste work on the focused edit control, whatever its kind.
void OnFocusedEdit(const char* slot) {
  QWidget* focused = QApplication::focusWidget();
  if (qobject_cast<QLineEdit*>(focused) || qobject_cast<QPlainTextEdit*>(focused) ||
      qobject_cast<QTextEdit*>(focused))
    QMetaObject::invokeMethod(focused, slot);
}

}  // namespace

// Every command of the main window, in the order of its menus. A load's
// outcome shows in ActionMsg, so the commands drop the results they return.
std::vector<Command> MainWindow::commandTable() {
  using enum ToolbarImage;
  constexpr Availability kNoLoadRunning = Availability::NoLoadRunning;
  return {
      {"FileNew1", "&New", "Ctrl+N", New, "New|Create a new file", [this] { windows_.checkFile(); }},
      {"FileOpen1", "&Open", "Ctrl+O", Open, "Open|Open a file", [this] { (void)core_.openFile(); }, kNoLoadRunning},
      {"FileOpenAsSysEx1", "Open As Sys&Ex", "Ctrl+E", {}, "", [this] { (void)core_.openAsSysex(); }, kNoLoadRunning},
      {"FileImportSmf1", "&Import SysEx from MIDI File...", "", {},
       "Import SysEx from MIDI File|Load the SysEx messages of a MIDI file",
       [this] { (void)core_.importSysexFromMidiFile(); }, kNoLoadRunning},
      {"CompareFiles", "Compare files...", "", {}, "Compare|Compare files", [this] { windows_.compareFiles(); },
       Availability::OneAtATime},
      {"ComparePatches", "Compare Patches...", "", {}, "Compare Patches|List the patches that differ between two files",
       [this] { windows_.comparePatches(); }},
      {"FileClose1", "&Close", "", {}, "Close|Close current file", [this] { windows_.closeActiveWindow(); }},
      {"FileSave1", "&Save", "Ctrl+S", Save, "Save|Save current file", [this] { core_.saveLog(); }},
      {"FileSavePcgItem", "Save &Pcg", "Ctrl+P", {}, "", [this] { core_.savePcg(files_->selectedFileRows()); }},
      {"FileSaveAs1", "Save &As...", "Ctrl+A", {}, "Save As|Save current file with different name", {}},  // none behind it
      {"FileExit1", "E&xit", "", {}, "Exit|Exit application", [this] { close(); }},
      // Their captions name the change (MainWindow::showEditCommands); the
      // viewers' Ctrl+S and the name editor's line edit keep to their own windows.
      {"EditUndo1", "Undo", "Ctrl+Z", {}, "Undo|Take back the last change of a loaded file", [this] { core_.undo(); }},
      {"EditRedo1", "Redo", "Ctrl+Shift+Z", {}, "Redo|Make the change taken back last again",
       [this] { core_.redo(); }},
      {"EditCut1", "Cu&t", "Ctrl+X", Cut, "Cut|Cut the selection to the clipboard", [] { OnFocusedEdit("cut"); }},
      {"EditCopy1", "&Copy", "Ctrl+C", Copy, "Copy|Copy the selection to the clipboard",
       [] { OnFocusedEdit("copy"); }},
      {"EditPaste1", "&Paste", "Ctrl+V", Paste, "Paste|Insert the clipboard contents", [] { OnFocusedEdit("paste"); }},
      {"WindowCascade1", "&Cascade", "", Cascade, "Cascade|Cascade the windows", [this] { windows_.cascadeWindows(); }},
      {"WindowTileHorizontal1", "Tile &Horizontally", "", TileHorizontally,
       "Tile Horizontally|Tile the windows one above the other", [this] { windows_.tileWindows(Qt::Horizontal); }},
      {"WindowTileVertical1", "Tile &Vertically", "", TileVertically, "Tile Vertically|Tile the windows side by side",
       [this] { windows_.tileWindows(Qt::Vertical); }},
      {"WindowMinimizeAll1", "&Minimize All", "", {}, "Minimize All|Minimize the windows",
       [this] { windows_.minimizeAllWindows(); }},
      {"WindowArrange1", "&Arrange All", "", {}, "Arrange All|Restore the windows",
       [this] { windows_.arrangeWindows(); }},
      {"FontSet", "&Font Setting", "Ctrl+F", {}, "Font Setting|Font of the log",
       [this] { core_.chooseLogFont(toFontChoice(log_->font())); }},
      {"BankManager", "&Bank Manager", "Ctrl+B", BankCopy, "Bank Manager|Copy banks between PCG files",
       [this] { windows_.openBankManager(); }},
      {"LibraryOpen", "&Library...", "Ctrl+L", {}, "Library|Find a patch among all your files",
       [this] { windows_.openLibrary(); }},
      {"MidiPorts", "&MIDI Ports...", "", {}, "MIDI Ports|Send and receive SysEx messages",
       [this] { windows_.openMidiPorts(files_->selectedFileRows()); }},
      {"HelpAbout1", "&About...", "", {}, "About|Version of Patchlore and contact", [this] { aboutBox_->exec(); }},
  };
}

void MainWindow::createMenusAndToolBar() {
  commands_.addMenus(*Named(menuBar(), "MainMenu1"), kMenus);
  QToolBar* toolBar = Named(addToolBar("ToolBar2"), "ToolBar2");
  toolBar->setMovable(false);
  commands_.addToolButtons(*toolBar, kToolButtons);
}
