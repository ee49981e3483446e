#pragma once
// The voice picker: the voice list with a slider and a value box each for
// speed, pitch and volume. Choosing an entry sets its engine up and gives the
// sliders the entry's ranges and start values; the boxes show what the sliders
// hold, SAPI 5 speed and pitch as displayed values. Used wherever a voice and
// its values are chosen: the "Default voice" page and the slot editor.
//
// A guard holds the list's reports back after a page change: keys then move
// the selection without touching sliders or engine, and only a click lets the
// reports through again.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "speech/engines.h"
#include "ui/controls.h"
#include "ui/track_bar.h"
#include "ui/voice_list.h"

// The controls of a picker in its host's template.
struct VoicePickerControls {
  HWND list;  // LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS
  HWND speedBar;
  HWND pitchBar;
  HWND volumeBar;
  HWND speedBox;
  HWND pitchBox;
  HWND volumeBox;

  // The controls of a template that gives them the picker's identifiers
  // (IDC_VOICESLIST, IDC_SPEED_BAR, ... in ui/ui_resources.h).
  static VoicePickerControls Of(HWND dialog);
};

// What the value boxes show.
struct ValueBoxTexts {
  std::wstring speed;
  std::wstring pitch;
  std::wstring volume;
};

class TVoicePicker {
 public:
  explicit TVoicePicker(Engines& engines, Sapi5EntrySetUp sapi5SetUp = Sapi5EntrySetUp::StartVoice)
      : engines_(engines), sapi5SetUp_(sapi5SetUp) {}
  TVoicePicker(const TVoicePicker&) = delete;
  TVoicePicker& operator=(const TVoicePicker&) = delete;

  // Takes the controls over, in their design state: the sliders' design
  // ranges and the boxes showing 0 until an entry is set up.
  void Attach(const VoicePickerControls& controls);
  // The host passes on what its dialog procedure receives; answers whether
  // the message was the picker's (WM_MEASUREITEM and WM_DRAWITEM of the list,
  // WM_HSCROLL of a slider), with its result.
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  // The catalogue's entries, replaced at once.
  void SetEntries(const std::vector<std::wstring>& entries) { list_.SetItems(entries); }
  void Clear() { list_.Clear(); }
  int Count() const { return list_.Count(); }
  std::vector<std::wstring> Entries() const { return list_.Items(); }
  std::wstring EntryName(int entry) const { return list_.Item(entry); }

  // The selected entry, -1 for none.
  int Entry() const { return list_.ItemIndex(); }
  // Moves the selection only: the list reports it when it is next drawn.
  void SetEntry(int entry) { list_.SetItemIndex(entry); }
  // The list's report of a changed selection: unless the guard is armed, the
  // entry is set up, the first one when nothing is selected.
  void OnListChange(int oldEntry, int newEntry);
  // Selects the entry and sets it up now, whatever the guard says; when the
  // sliders already belong to it, its engine is left alone (selecting a SAPI 4
  // engine again would end what it is reading).
  void SelectEntry(int entry);

  // The selected entry's family: 4 below the SAPI 4 engine count (no
  // selection included), 5 otherwise.
  int Family() const { return engines_.FamilyOf(Entry()); }
  // The slider positions.
  VoiceValues Values() const;
  void SetValues(const VoiceValues& values);
  ValueBoxTexts BoxTexts() const;
  // The sliders are set up for a SAPI 5 voice.
  bool ShowsSapi5Voice() const { return sapi5_; }

  // Runs each time an entry has been set up, after the sliders got the
  // entry's own start values: a host that starts its voices elsewhere sets
  // the values it wants here.
  void SetEntrySetUpHandler(std::function<void(int entry)> handler) {
    onEntrySetUp_ = std::move(handler);
  }

  void ArmGuard() { guardArmed_ = true; }
  bool GuardArmed() const { return guardArmed_; }

  // The controls themselves.
  TVoiceList& List() { return list_; }
  const TVoiceList& List() const { return list_; }
  TrackBar& SpeedBar() { return speedBar_; }
  TrackBar& PitchBar() { return pitchBar_; }
  TrackBar& VolumeBar() { return volumeBar_; }
  const TrackBar& SpeedBar() const { return speedBar_; }
  const TrackBar& PitchBar() const { return pitchBar_; }
  const TrackBar& VolumeBar() const { return volumeBar_; }
  EditBox SpeedBox() const { return speedBox_; }
  EditBox PitchBox() const { return pitchBox_; }
  EditBox VolumeBox() const { return volumeBox_; }

 private:
  void OnListClick();
  void SetUp(int entry);
  void ShowSpeed() const;
  void ShowPitch() const;
  void ShowVolume() const;

  Engines& engines_;
  const Sapi5EntrySetUp sapi5SetUp_;
  TVoiceList list_;
  TrackBar speedBar_;
  TrackBar pitchBar_;
  TrackBar volumeBar_;
  EditBox speedBox_;
  EditBox pitchBox_;
  EditBox volumeBox_;
  std::function<void(int entry)> onEntrySetUp_;
  bool guardArmed_ = false;
  // The catalogue entry whose ranges and values the sliders show.
  int slidersEntry_ = -1;
  bool sapi5_ = false;
};
