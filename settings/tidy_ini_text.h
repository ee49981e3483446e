#pragma once
// The text of the settings files. A file is single-byte text in the ANSI code
// page as long as everything in it fits that code page; one that must hold
// other characters is UTF-16 LE behind a byte-order mark, which the system's
// profile functions read and write as such.
//
// After a save the files are rewritten to a tidy layout: no empty lines, and
// one separator line before each section header after the first.

#include <string>
#include <string_view>

bool IsUtf16IniText(std::string_view contents);
// The contents of a UTF-16 LE settings file holding the text, byte-order mark first.
std::string Utf16IniContents(std::u16string_view text);

// The tidy layout of a file's contents, in the file's own encoding. The
// separator is a line holding a single carriage return, so the file has
// CR CR LF there rather than an empty CR LF line. The next tidy reads it back
// as empty lines and removes it before inserting it again.
std::string TidyIniText(std::string_view contents);
