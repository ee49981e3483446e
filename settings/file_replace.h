#pragma once
// Whole-file rewrites of the program's own files never leave half a file: the
// new contents go to a copy beside the file, which then takes its place in one
// step.

#include <string>

std::string ReadWholeFile(const std::wstring& path);
void ReplaceWholeFile(const std::wstring& path, const std::string& contents);
// Throws when the file exists and cannot be deleted.
void DeleteWholeFile(const std::wstring& path);
