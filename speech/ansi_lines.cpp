#include "speech/ansi_lines.h"

#include "base/text_lines.h"

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::string_view line : SplitLines(std::string_view(text))) lines.emplace_back(line);
  return lines;
}

std::string CutAnsi(std::string text, std::size_t maxBytes, LeadByteTest isLeadByte) {
  if (text.size() <= maxBytes) return text;
  std::size_t length = 0;
  while (length < maxBytes) {
    const std::size_t next =
        length + (isLeadByte(static_cast<unsigned char>(text[length])) ? 2 : 1);
    if (next > maxBytes) break;
    length = next;
  }
  text.resize(length);
  return text;
}
