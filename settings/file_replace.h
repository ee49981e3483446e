#pragma once
// Whole-file rewrites of the program's own files never leave half a file: the
// new contents go to a copy beside the file, which then takes its place in one
// step.

#include <string>

std::string ReadWholeFile(const std::wstring& path);
// A file the user made read-only is not replaced: that throws.
void ReplaceWholeFile(const std::wstring& path, const std::string& contents);
// Throws when the file exists and is read-only.
void RefuseReadOnlyFile(const std::wstring& path);
// A copy that an earlier rewrite left behind goes, whatever its attributes;
// throws when it cannot.
void DeleteCopyLeftBehind(const std::wstring& copy);
// Throws when the file exists and cannot be deleted.
void DeleteWholeFile(const std::wstring& path);
