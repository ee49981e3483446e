#include "ui/slot_editor.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "base/gdi.h"
#include "reading/global_hotkey.h"
#include "reading/system_key_name.h"
#include "speech/voice_catalogue.h"
#include "ui/accessible_name.h"
#include "ui/hints.h"
#include "ui/hotkey_edit.h"
#include "ui/message_boxes.h"
#include "ui/modal_dialog.h"
#include "ui/ui_resources.h"
#include "ui/voice_picker.h"

namespace {

constexpr wchar_t kAddCaption[] = L"Add voice slot";
constexpr wchar_t kEditCaption[] = L"Edit voice slot";
constexpr wchar_t kAddButton[] = L"&Add slot";
constexpr wchar_t kEditButton[] = L"&Save changes";

constexpr wchar_t kNoHotKeyText[] = L"Please, specify hot key for this slot!";
constexpr wchar_t kHotKeyInUseText[] =
    L"Sorry, but this hot key is already set for other slot! Please, enter some different one.";
constexpr wchar_t kNoVoiceText[] = L"Please, select voice for this slot!";

// A SAPI 5 voice chosen without a selected slot to start from: a little
// slower and lower than the voice's own.
constexpr VoiceValues kSapi5StartPositions{-2, -5, 100};
constexpr int kFullVolume = 100;

std::wstring HotKeyTakenText(const std::wstring& key) {
  return L"Sorry, but the hot key " + key +
         L" is already used by another program! Please, enter some different one.";
}

class TfrmSlot final : public TModalDialog {
 public:
  TfrmSlot(Engines& engines, SlotEditorOwner& owner, const SlotEditorRequest& request)
      : TModalDialog(IDD_SLOT),
        engines_(engines),
        owner_(owner),
        request_(request),
        picker_(engines, Sapi5EntrySetUp::SlidersOnly) {}

  const VoiceSlot& Slot() const { return slot_; }

 private:
  void OnInit() override;
  bool OnOk() override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  void ShowMode();
  void SelectSlotVoice();
  void StartValues();
  // The first check that fails, with its message; nothing when all pass.
  std::optional<std::wstring> FailedCheck() const;
  bool HotKeyInUse(HotKeyWord key) const;

  Engines& engines_;
  SlotEditorOwner& owner_;
  const SlotEditorRequest& request_;
  TVoicePicker picker_;
  HotKeyEdit hotKey_;
  std::unique_ptr<THints> hints_;
  OwnedFont actionFont_;
  VoiceSlot slot_;
};

void TfrmSlot::OnInit() {
  picker_.Attach(VoicePickerControls::Of(Handle()));
  NameAfterLabel(GetDlgItem(Handle(), IDC_VOICESLIST), GetDlgItem(Handle(), IDC_SLOT_VOICE_LABEL));
  picker_.SetEntrySetUpHandler([this](int) { StartValues(); });
  hotKey_ = HotKeyEdit(GetDlgItem(Handle(), IDC_SLOT_HOTKEY));
  LetEscapeCancel(hotKey_.Handle());
  hints_ = std::make_unique<THints>(Handle());
  hints_->Add(hotKey_.Handle(), kHotKeyEditHint);
  ShowMode();
  picker_.SetEntries(engines_.Catalogue());
  const bool editing = request_.mode == SlotEditorMode::Edit && request_.selected;
  hotKey_.SetValue(editing ? request_.selected->hotKey : 0);
  if (editing) {
    SelectSlotVoice();
  } else if (picker_.Count() > 0) {
    picker_.SelectEntry(0);
  }
}

// The action button is bold, as the one that saves.
void TfrmSlot::ShowMode() {
  const bool adding = request_.mode == SlotEditorMode::Add;
  SetWindowTextW(Handle(), adding ? kAddCaption : kEditCaption);
  HWND action = GetDlgItem(Handle(), IDOK);
  SetWindowTextW(action, adding ? kAddButton : kEditButton);
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(action, WM_GETFONT, 0, 0)), sizeof font, &font);
  font.lfWeight = FW_BOLD;
  actionFont_ = MakeFont(font);
  SendMessageW(action, WM_SETFONT, reinterpret_cast<WPARAM>(actionFont_.get()), FALSE);
  ShowIcon(adding ? IDI_EDITOR_ADD : IDI_EDITOR_EDIT);
}

// The slot's voice as the catalogue lists it. A voice that is gone leaves the
// list without a selection: the user chooses another, which then starts from
// the slot's values, or the check for a voice says so.
void TfrmSlot::SelectSlotVoice() {
  const VoiceSlot& slot = *request_.selected;
  const std::wstring listed =
      slot.family == kSapi5Family ? Sapi5DisplayName(slot.voiceName) : slot.voiceName;
  const int entry = FindCatalogueEntry(picker_.Entries(), listed);
  if (entry >= 0) picker_.SelectEntry(entry);
}

// A voice chosen in the list starts from the selected slot's values, so that
// a slot is changed rather than set up anew; without a selected slot a SAPI 5
// voice starts a little slower and lower than its own, and a SAPI 4 engine at
// its current values. Silence is no start: a volume of 0 starts at full.
void TfrmSlot::StartValues() {
  const std::optional<VoiceSlot>& slot = request_.selected;
  const VoiceValues engine = picker_.Values();
  if (picker_.ShowsSapi5Voice()) {
    const VoiceValues& start = kSapi5StartPositions;
    picker_.SetValues({slot && slot->speed ? Sapi5EngineValue(*slot->speed) : start.speed,
                       slot && slot->pitch ? Sapi5EngineValue(*slot->pitch) : start.pitch,
                       slot && slot->volume ? *slot->volume : start.volume});
    // The stored numbers are shown as they are, which is what saving keeps.
    if (slot && slot->speed) picker_.SpeedBox().SetText(std::to_wstring(*slot->speed));
    if (slot && slot->pitch) picker_.PitchBox().SetText(std::to_wstring(*slot->pitch));
  } else if (slot) {
    picker_.SetValues({slot->speed.value_or(engine.speed), slot->pitch.value_or(engine.pitch),
                       slot->volume.value_or(engine.volume)});
  }
  if (picker_.VolumeBar().Position() == 0) picker_.VolumeBar().SetPosition(kFullVolume);
}

bool TfrmSlot::HotKeyInUse(HotKeyWord key) const {
  const std::wstring text = HotKeyToText(key);
  const auto& slots = request_.otherSlotKeys;
  const auto& fixed = request_.fixedKeys;
  return std::find(slots.begin(), slots.end(), text) != slots.end() ||
         std::find(fixed.begin(), fixed.end(), key) != fixed.end();
}

std::optional<std::wstring> TfrmSlot::FailedCheck() const {
  const HotKeyWord key = hotKey_.Value();
  if (key == 0) return kNoHotKeyText;
  if (HotKeyInUse(key)) return kHotKeyInUseText;
  if (picker_.Entry() < 0) return kNoVoiceText;
  // The program's own keys are let go while the editor is open, so only
  // another program can hold the key now.
  if (!HotKeyAvailable(Handle(), key)) return HotKeyTakenText(HotKeyToText(key));
  return std::nullopt;
}

bool TfrmSlot::OnOk() {
  if (const std::optional<std::wstring> failed = FailedCheck()) {
    ShowWarning(Handle(), *failed);
    return false;
  }
  const ValueBoxTexts boxes = picker_.BoxTexts();
  slot_ = {.voiceName = StoredVoiceName(picker_.EntryName(picker_.Entry())),
           .family = picker_.Family(),
           .hotKey = hotKey_.Value(),
           .speed = _wtoi(boxes.speed.c_str()),
           .pitch = _wtoi(boxes.pitch.c_str()),
           .volume = picker_.VolumeBar().Position()};
  return true;
}

bool TfrmSlot::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (picker_.HandleMessage(message, wParam, lParam, result)) return true;
  if (message == WM_HELP) {
    owner_.ShowHelp(Handle(), HelpTopic::WorkingWithVoiceSlots);
    result = TRUE;
    return true;
  }
  if (message != WM_COMMAND) return false;
  switch (LOWORD(wParam)) {
    case IDC_SLOT_TEST_BUTTON:
      owner_.SpeakSlotTest(picker_.Entry(), picker_.Values());
      return true;
    case IDC_MOREVOICES_LINK:
      owner_.ShowMoreVoices();
      return true;
    default:
      return false;
  }
}

}  // namespace

std::optional<VoiceSlot> EditVoiceSlot(HINSTANCE instance, HWND owner, Engines& engines,
                                       SlotEditorOwner& requests,
                                       const SlotEditorRequest& request) {
  TfrmSlot editor(engines, requests, request);
  if (!editor.ShowModal(instance, owner)) return std::nullopt;
  return editor.Slot();
}
