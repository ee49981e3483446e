#include "speech/ansi_lines.h"

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
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
