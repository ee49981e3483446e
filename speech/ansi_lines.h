#pragma once
// The text a SAPI 4 engine reads, in bytes of the ANSI code page: cut to the
// size a reading may have and split into the component's lines. Portable:
// whether a byte leads a double-byte character is the code page's to say, and
// comes in as a function.

#include <cstddef>
#include <string>
#include <vector>

using LeadByteTest = bool (*)(unsigned char byte);

// Split at CR LF, CR or LF, with no empty line after a final line break: an
// empty text has no lines at all.
std::vector<std::string> SplitLines(const std::string& text);

// The first maxBytes bytes, fewer when the cut would split a double-byte
// character.
std::string CutAnsi(std::string text, std::size_t maxBytes, LeadByteTest isLeadByte);
