#pragma once
// The layout the settings files are rewritten to after a save: no empty lines,
// and one separator line before each section header after the first.

#include <string>
#include <string_view>

// The separator is a line holding a single carriage return, so the file has
// CR CR LF there rather than an empty CR LF line. The next tidy reads it back
// as empty lines and removes it before inserting it again.
std::string TidyIniText(std::string_view text);
