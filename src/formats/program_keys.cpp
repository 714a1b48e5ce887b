#include "formats/program_keys.hpp"

#include <array>

#include "common/bytes.hpp"

namespace patchlore {

namespace {

// Bank numbers of the GM bank, the variations g(1) to g(9) and the drums g(d).
constexpr int kFirstGmBank = 6;
constexpr int kLastGmBank = 16;

std::array<std::string, 256> NamesOfBankBytes() {
  std::array<std::string, 256> names;
  for (std::size_t b = 0; b < names.size(); ++b) names[b] = BankNameOfNumber(HexPad(static_cast<std::int64_t>(b), 2));
  return names;
}

}  // namespace

const std::string& BankNameOfByte(std::uint8_t bankNumber) {
  static const std::array<std::string, 256> names = NamesOfBankBytes();
  return names[bankNumber];
}

std::string ProgramReferenceKey(std::optional<std::uint8_t> bankNumber, std::optional<std::uint8_t> programNumber) {
  std::string key;
  if (bankNumber) key += BankNameOfByte(*bankNumber);
  if (programNumber) key += ZeroPad(*programNumber, 3);
  return key;
}

bool IsGmBank(int bankNumber) { return bankNumber >= kFirstGmBank && bankNumber <= kLastGmBank; }

std::string TrackProgramKey(std::uint8_t bankNumber, std::uint8_t programNumber) {
  return PatchKey(BankNameOfByte(bankNumber), IsGmBank(bankNumber) ? programNumber + 1 : programNumber);
}

std::string ProgramBankKeyName(const BankHeader& bank) {
  return BankNameOfNumber(BankNumberOfCode(bank.typeCodeHex()));
}

std::string PatchKey(std::string_view bankName, std::int64_t number) {
  std::string key(bankName);
  key += ZeroPad(number, 3);
  return key;
}

}  // namespace patchlore
