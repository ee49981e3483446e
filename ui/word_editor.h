#pragma once
// The pronunciation correction editor: one word, the text spoken in its
// place, and whether letter case counts. It checks what the user entered and
// hands the row back; it writes nothing itself.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "settings/word_correction.h"
#include "ui/help.h"

enum class WordEditorMode { Add, Edit };

// What the editor asks of the window that opens it.
class WordEditorOwner {
 public:
  // "&Test": the text with the default voice, after whatever it still says.
  virtual void SpeakPronunciation(const std::wstring& text) = 0;
  // F1 and the link: a topic of the program's help, over `window`.
  virtual void ShowHelp(HWND window, HelpTopic topic) = 0;

 protected:
  ~WordEditorOwner() = default;
};

struct WordEditorRequest {
  WordEditorMode mode = WordEditorMode::Add;
  // Edit mode: the row as the table holds it.
  WordCorrection row;
  // The table's rows, whose words a new row may not repeat exactly.
  const std::vector<WordCorrection>* table = nullptr;
};

// Shows the editor modal over `owner`. Answers the row to keep when the user
// confirmed it and every check passed; nothing when the user closed it.
std::optional<WordCorrection> EditWordCorrection(HINSTANCE instance, HWND owner,
                                                 WordEditorOwner& requests,
                                                 const WordEditorRequest& request);
