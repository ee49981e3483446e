#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A SAPI 4 control tag as the engines read it: \Name=value\ with the name in
// any letter case.
struct ControlTag {
  std::string name;  // upper case
  DWORD value;
};

// The tags in a text handed to Inject; text between tags and tags without a
// number are skipped, as engines ignore what they do not know.
std::vector<ControlTag> ParseControlTags(const std::string& text);
