// words.ini's codec: any bytes decode without harm, and rows whose fields
// can be stored come back exactly as they were encoded, in the code page or
// in UTF-8. The fuzz input is read as a stream of choices; when it runs out,
// every further choice is 0.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/input_pick.h"
#include "settings/words_file.h"

namespace {

// A code page holding the first 256 characters, byte for byte.
const AnsiCodePage kLatin1{[](std::wstring_view text) -> std::optional<std::string> {
                             std::string bytes;
                             for (wchar_t c : text) {
                               if (static_cast<std::uint32_t>(c) > 0xFF) return std::nullopt;
                               bytes += static_cast<char>(c);
                             }
                             return bytes;
                           },
                           [](std::string_view bytes) {
                             std::wstring text;
                             for (char c : bytes)
                               text += static_cast<wchar_t>(static_cast<unsigned char>(c));
                             return text;
                           }};

// Characters that make the separator, line breaks, letters in and out of the
// code page, and the code page's look of a UTF-16 byte-order mark.
constexpr wchar_t kAlphabet[] = {L'#',      L'*',      L'a',      L'\r',    L'\n',
                                 L'\u00e9', L'\u0416', L'\u00ff', L'\u00fe'};

std::wstring PickField(InputPick& pick) {
  std::wstring field;
  for (std::size_t length = pick(12); length > 0; --length) {
    field += kAlphabet[pick(std::size(kAlphabet))];
  }
  return field;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  DecodeWords(std::string_view(reinterpret_cast<const char*>(data), size), kLatin1);

  InputPick pick(data, size);
  std::vector<WordCorrection> rows(pick(6));
  bool storable = true;
  for (WordCorrection& row : rows) {
    row = {PickField(pick), PickField(pick), PickField(pick)};
    storable = storable && CanStoreWordField(row.word) && CanStoreWordField(row.pronunciation) &&
               CanStoreWordField(row.caseFlag);
  }
  if (storable && DecodeWords(EncodeWords(rows, kLatin1), kLatin1) != rows) std::abort();
  return 0;
}
