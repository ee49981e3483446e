#pragma once
// The text of the settings files. A file is single-byte text in the ANSI code
// page as long as everything in it fits that code page; one that must hold
// other characters is UTF-16 LE behind a byte-order mark, which the system's
// profile functions read and write as such.
//
// After a save the files are rewritten to a tidy layout: no empty lines, and
// one separator line before each section header after the first.

#include <optional>
#include <string>
#include <string_view>

bool IsUtf16IniText(std::string_view contents);
// UTF-16 LE bytes, without their byte-order mark, as text; an odd last byte
// is no character and goes.
std::u16string Utf16FromLittleEndian(std::string_view bytes);
// The contents of a UTF-16 LE settings file holding the text, byte-order mark first.
std::string Utf16IniContents(std::u16string_view text);

// The tidy layout of a file's contents, in the file's own encoding. The
// separator is a line holding a single carriage return, so the file has
// CR CR LF there rather than an empty CR LF line. The next tidy reads it back
// as empty lines and removes it before inserting it again.
std::string TidyIniText(std::string_view contents);

// Whole sections, found by their header line: a line that is the name in
// square brackets, letter case ignored, with nothing else on it but the
// blanks (spaces, tabs) that the system's profile functions skip. A header
// with anything more on its line (a hand-edited "[Slot_1] old") is not found.
// A section ends where those functions see the next one begin. The lines that
// remain come back in the file's own encoding with CR LF ends; a tidy after
// the edit restores the layout. Section names are ASCII.

// The contents without the section: its header line and every line up to the
// next section header. Nothing when the header is not found.
std::optional<std::string> RemoveIniSection(std::string_view contents, std::string_view section);
// The contents with the section's header line naming `to` instead. Nothing
// when the header of `from` is not found.
std::optional<std::string> RenameIniSection(std::string_view contents, std::string_view from,
                                            std::string_view to);
// Whether the system's profile functions find any section in the contents.
bool HoldsIniSection(std::string_view contents);
