#include "cli/bank_commands.hpp"

#include <optional>
#include <utility>

#include "banks/bank_manager.hpp"
#include "cli/command_line.hpp"
#include "common/cp1251.hpp"
#include "common/file_io.hpp"
#include "workspace/workspace.hpp"

namespace patchlore::cli {

namespace {

// The loaded FROM and TO files (one file when both name the same) and the
// bank manager working on them, with both files chosen.
struct Session {
  Workspace workspace;
  BankManager manager{workspace};
  int toIndex = -1;
};

std::optional<int> Load(Session& session, const std::string& file, const Output& output) {
  const LoadResult opened = session.workspace.openFile(file);
  if (!opened) {
    output.error(Utf8ToCp1251(file) + ": " + opened.failure().text);
    if (!opened.failure().reason.empty()) output.error(opened.failure().reason);
  }
  return opened ? std::optional<int>(opened->index) : std::nullopt;
}

// Loads both files and chooses them and their banks; an exit code on failure.
std::optional<int> Prepare(Session& session, const BankCommandOptions& options, const Output& output) {
  if (RefuseOutputTarget(options.output, output)) return kRefused;
  const auto from = Load(session, options.from, output);
  if (!from) return kRefused;
  const auto to = options.to == options.from ? from : Load(session, options.to, output);
  if (!to) return kRefused;
  session.toIndex = *to;
  BankManager& manager = session.manager;
  manager.open();
  const int fromLine = manager.lineOfFile(*from);
  const int toLine = manager.lineOfFile(*to);
  if (fromLine < 0 || toLine < 0) {
    output.err << "patchlore-cli: the bank manager works on PCG files only\n";
    return kRefused;
  }
  manager.chooseFile(BankSide::From, fromLine);
  manager.chooseFile(BankSide::To, toLine);
  const auto& state = manager.state();
  if (options.fromBank < 0 || options.fromBank >= static_cast<int>(state.from.banks.size()) || options.toBank < 0 ||
      options.toBank >= static_cast<int>(state.to.banks.size())) {
    output.err << "patchlore-cli: no such bank line\n";
    return kRefused;
  }
  manager.chooseBank(BankSide::From, options.fromBank);
  manager.chooseBank(BankSide::To, options.toBank);
  return std::nullopt;
}

int Refuse(const std::string& reason, const Output& output) {
  output.err << "patchlore-cli: " << reason << '\n';
  return kRefused;
}

int Save(Session& session, const std::string& path, const Output& output) {
  const Status written = session.workspace.writeImage(session.toIndex, path);
  if (written) return kDone;
  output.err << "patchlore-cli: " << written.failure().text << '\n';
  return kRefused;
}

// The warning for a To bank whose checksum is wrong before the edit.
std::optional<std::string> WarningBeforeEdit(Session& session) {
  return WrongChecksumWarning(session.workspace.registry().image(session.toIndex),
                              session.manager.state().to.header.offset);
}

int RunCopyBank(const BankCommandOptions& options, const Output& output) {
  Session session;
  if (const auto failed = Prepare(session, options, output)) return *failed;
  if (!session.manager.state().writeEnabled) return Refuse("Write refused: " + session.manager.writeRefusal(), output);
  const auto warning = WarningBeforeEdit(session);
  if (const Status done = session.manager.write(); !done) return Refuse(done.failure().text, output);
  output.line("checkSum_Info: " + session.manager.state().checkSumInfo);
  output.line("MoveSize: " + session.manager.state().moveSize);
  if (warning) output.error(*warning);
  return Save(session, options.output, output);
}

int RunMove(const BankCommandOptions& options, const Output& output) {
  Session session;
  if (const auto failed = Prepare(session, options, output)) return *failed;
  BankManager& manager = session.manager;
  if (options.fromPatch < 0 || options.fromPatch >= static_cast<int>(manager.state().from.patches.size()) ||
      options.toPatch < 0 || options.toPatch >= static_cast<int>(manager.state().to.patches.size()))
    return Refuse("no such patch line", output);
  manager.choosePatch(BankSide::From, options.fromPatch);
  manager.choosePatch(BankSide::To, options.toPatch);
  manager.setOffset(options.offset);
  manager.setLength(options.length);
  if (!manager.state().moveEnabled) return Refuse("Move refused: " + manager.moveRefusal(), output);
  const auto warning = WarningBeforeEdit(session);
  if (const Status done = manager.move(); !done) return Refuse(done.failure().text, output);
  output.line("MoveSize: " + manager.state().moveSize);
  output.line("MoveINI2: " + manager.state().moveIni2);
  if (warning) output.error(*warning);
  return Save(session, options.output, output);
}

}  // namespace

void AddBankCommands(CLI::App& app, BankCommandOptions& options) {
  auto* copy = app.add_subcommand("copy-bank", "Write every patch of bank FROMBANK of FROM over bank TOBANK of TO");
  copy->add_option("FROM", options.from, "PCG to copy from")->required();
  copy->add_option("FROMBANK", options.fromBank, "Line of the From bank list, from 0")->required();
  copy->add_option("TO", options.to, "PCG to copy into (may be FROM)")->required();
  copy->add_option("TOBANK", options.toBank, "Line of the To bank list, from 0")->required();
  copy->add_option("-o", options.output, "File to write the changed TO to")->required();
  options.copyBank = copy;

  auto* move = app.add_subcommand("move", "Copy a run of bytes from one patch into another");
  move->add_option("FROM", options.from, "PCG to copy from")->required();
  move->add_option("FROMBANK", options.fromBank, "Line of the From bank list, from 0")->required();
  move->add_option("FROMPATCH", options.fromPatch, "Line of the From patch list, from 0")->required();
  move->add_option("TO", options.to, "PCG to copy into (may be FROM)")->required();
  move->add_option("TOBANK", options.toBank, "Line of the To bank list, from 0")->required();
  move->add_option("TOPATCH", options.toPatch, "Line of the To patch list, from 0")->required();
  move->add_option("--offset", options.offset, "First byte of the run inside the patch")->required();
  move->add_option("--length", options.length, "Bytes in the run")->required();
  move->add_option("-o", options.output, "File to write the changed TO to")->required();
  options.move = move;
}

int RunBankCommand(const BankCommandOptions& options, const Output& output) {
  return *options.copyBank ? RunCopyBank(options, output) : RunMove(options, output);
}

}  // namespace patchlore::cli
