#include "reading/global_hotkey.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/hotkey_probe_client.h"
#include "tests/support/keyboard.h"
#include "tests/support/message_pump.h"
#include "tests/support/window_class.h"

namespace {

using namespace std::chrono_literals;

// Words no one else in a test session uses: Ctrl+Shift+Alt with F13..F24.
constexpr HotKeyWord kAllModifiers = kShiftModifier | kCtrlModifier | kAltModifier;
constexpr HotKeyWord Unusual(int functionKey) {
  return static_cast<HotKeyWord>(kAllModifiers | (VK_F1 + functionKey - 1));
}

class GlobalHotKeyTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(owner_.Handle(), nullptr); }
  // Hands every WM_HOTKEY to the hot key objects, as the main window does.
  std::vector<GlobalHotKey*> hotKeys_;
  int unclaimed_ = 0;
  OwnerWindow owner_{[this](UINT message, WPARAM identifier, LPARAM) {
    if (message != WM_HOTKEY) return false;
    bool claimed = false;
    for (GlobalHotKey* hotKey : hotKeys_) claimed = hotKey->HandleHotKey(identifier) || claimed;
    if (!claimed) ++unclaimed_;
    return true;
  }};
};

// The key is the system's only while the object is active and its word names
// a key: a changed word moves, and letting go or freeing the object frees it.
TEST_F(GlobalHotKeyTest, RegistrationFollowsTheWordAndTheActiveState) {
  {
    GlobalHotKey hotKey(owner_.Handle(), L"DefaultHotKey", nullptr);
    hotKey.SetHotKey(Unusual(18));
    hotKey.SetHotKey(Unusual(19));
    EXPECT_FALSE(hotKey.Registered());
    EXPECT_EQ(ProbeHotKey(Unusual(18)), HotKeyState::Free);
    EXPECT_EQ(ProbeHotKey(Unusual(19)), HotKeyState::Free);
    hotKey.SetActive(true);
    EXPECT_TRUE(hotKey.Registered());
    EXPECT_EQ(ProbeHotKey(Unusual(19)), HotKeyState::Taken);
    hotKey.SetActive(true);  // again: changes nothing
    EXPECT_EQ(ProbeHotKey(Unusual(19)), HotKeyState::Taken);

    hotKey.SetHotKey(Unusual(17));
    EXPECT_TRUE(hotKey.Active());
    EXPECT_TRUE(hotKey.Registered());
    EXPECT_EQ(ProbeHotKey(Unusual(19)), HotKeyState::Free);
    EXPECT_EQ(ProbeHotKey(Unusual(17)), HotKeyState::Taken);

    hotKey.SetActive(false);
    EXPECT_FALSE(hotKey.Registered());
    EXPECT_EQ(ProbeHotKey(Unusual(17)), HotKeyState::Free);
    hotKey.SetActive(true);
    EXPECT_EQ(ProbeHotKey(Unusual(17)), HotKeyState::Taken);

    // Modifiers without a key, and no word at all, register nothing.
    for (HotKeyWord empty : {HotKeyWord{kCtrlModifier | kAltModifier}, HotKeyWord{0}}) {
      hotKey.SetHotKey(empty);
      EXPECT_TRUE(hotKey.Active());
      EXPECT_FALSE(hotKey.Registered());
    }
    EXPECT_EQ(ProbeHotKey(Unusual(17)), HotKeyState::Free);
    hotKey.SetHotKey(Unusual(16));
  }
  EXPECT_EQ(ProbeHotKey(Unusual(16)), HotKeyState::Free);
}

TEST_F(GlobalHotKeyTest, RefusedRegistrationLeavesTheObjectUnregisteredSilently) {
  // Another window holds the key first, as another program would.
  OwnerWindow otherProgram;
  const int otherIdentifier = 0xB000;
  ASSERT_TRUE(RegisterHotKey(otherProgram.Handle(), otherIdentifier,
                             MOD_CONTROL | MOD_ALT | MOD_SHIFT, VK_F23));
  GlobalHotKey hotKey(owner_.Handle(), L"DefaultHotKey", nullptr);
  hotKey.SetHotKey(Unusual(23));
  EXPECT_NO_THROW(hotKey.SetActive(true));
  EXPECT_TRUE(hotKey.Active());
  EXPECT_FALSE(hotKey.Registered());
  // Freeing an unaccepted registration leaves the other holder alone.
  hotKey.SetActive(false);
  EXPECT_EQ(ProbeHotKey(Unusual(23)), HotKeyState::Taken);
  // A free word is accepted again afterwards.
  hotKey.SetActive(true);
  hotKey.SetHotKey(Unusual(24));
  EXPECT_TRUE(hotKey.Registered());
  EXPECT_TRUE(UnregisterHotKey(otherProgram.Handle(), otherIdentifier));
}

// Applications have the identifiers 0x0000..0xBFFF, and every rebuild of the
// slot table makes new objects. One made after more than that many came and
// went must still not share the reading key's: its press would read with the
// default voice, and freeing it would free the reading key.
TEST_F(GlobalHotKeyTest, AKeyMadeAfterManyRebuildsNeverSharesALivingKeysIdentifier) {
  GlobalHotKey reading(owner_.Handle(), L"DefaultHotKey", nullptr);
  reading.SetHotKey(Unusual(13));
  reading.SetActive(true);
  ASSERT_TRUE(reading.Registered());
  for (int made = 0; made <= 0xBFFF; ++made) {
    GlobalHotKey slot(owner_.Handle(), L"SlotHotKey_0", nullptr);
    const int identifier = slot.Identifier();
    if (identifier == reading.Identifier() || identifier < 0 || identifier > 0xBFFF) {
      FAIL() << "slot key " << made << " took the identifier " << identifier;
    }
  }
  {
    GlobalHotKey slot(owner_.Handle(), L"SlotHotKey_0", nullptr);
    slot.SetHotKey(Unusual(12));
    slot.SetActive(true);
    EXPECT_FALSE(reading.HandleHotKey(static_cast<WPARAM>(slot.Identifier())));
  }
  EXPECT_EQ(ProbeHotKey(Unusual(13)), HotKeyState::Taken);
}

// WM_HOTKEY runs the handler of the object whose identifier it carries and no
// other; a handler's failure goes on to the owner's guard, and a handler may
// free its own object (a slot's press that rebuilds the slot table).
TEST_F(GlobalHotKeyTest, WmHotKeyRunsTheHandlerOfTheObjectWithItsIdentifier) {
  std::vector<std::wstring> fired;
  std::vector<std::unique_ptr<GlobalHotKey>> hotKeys;
  for (int slot = 0; slot < 3; ++slot) {
    // Each handler holds its own slot number, as the slot hot keys' do.
    auto record = [&fired, slot](GlobalHotKey& hotKey) {
      fired.push_back(hotKey.Name() + L"/" + std::to_wstring(slot));
    };
    hotKeys.push_back(std::make_unique<GlobalHotKey>(
        owner_.Handle(), L"SlotHotKey_" + std::to_wstring(slot), record));
    hotKeys_.push_back(hotKeys.back().get());
  }
  PostMessageW(owner_.Handle(), WM_HOTKEY, static_cast<WPARAM>(hotKeys[2]->Identifier()), 0);
  PostMessageW(owner_.Handle(), WM_HOTKEY, static_cast<WPARAM>(hotKeys[0]->Identifier()), 0);
  PostMessageW(owner_.Handle(), WM_HOTKEY, 0xBFFF + 1, 0);
  PostMessageW(owner_.Handle(), WM_HOTKEY, static_cast<WPARAM>(hotKeys[1]->Identifier()), 0);
  ASSERT_TRUE(PumpUntil([&] { return fired.size() + unclaimed_ >= 4; }));
  EXPECT_EQ(fired,
            (std::vector<std::wstring>{L"SlotHotKey_2/2", L"SlotHotKey_0/0", L"SlotHotKey_1/1"}));
  EXPECT_EQ(unclaimed_, 1);
  hotKeys_.clear();

  // Without a handler the message is still the object's.
  GlobalHotKey silent(owner_.Handle(), L"StopHotKey", nullptr);
  EXPECT_TRUE(silent.HandleHotKey(static_cast<WPARAM>(silent.Identifier())));
  GlobalHotKey failing(owner_.Handle(), L"DefaultHotKey",
                       [](GlobalHotKey&) { throw std::runtime_error("reading failed"); });
  EXPECT_THROW(failing.HandleHotKey(static_cast<WPARAM>(failing.Identifier())), std::runtime_error);
  std::unique_ptr<GlobalHotKey> freed;
  freed = std::make_unique<GlobalHotKey>(owner_.Handle(), L"SlotHotKey_1",
                                         [&freed](GlobalHotKey&) { freed.reset(); });
  GlobalHotKey* running = freed.get();
  EXPECT_TRUE(running->HandleHotKey(static_cast<WPARAM>(running->Identifier())));
  EXPECT_EQ(freed, nullptr);
}

// The modifiers are registered as the word says. A real key press: SendInput
// goes through the system's input path, which turns the registered
// combination into WM_HOTKEY for the owner.
TEST_F(GlobalHotKeyTest, TheWordsModifiersAreRegisteredAndPressingThemRunsTheHandler) {
  int fired = 0;
  GlobalHotKey hotKey(owner_.Handle(), L"DefaultHotKey", [&fired](GlobalHotKey&) { ++fired; });
  hotKeys_.push_back(&hotKey);
  const HotKeyWord word = kCtrlModifier | kAltModifier | VK_F14;
  hotKey.SetHotKey(word);
  hotKey.SetActive(true);
  ASSERT_TRUE(hotKey.Registered());
  EXPECT_EQ(ProbeHotKey(word), HotKeyState::Taken);
  for (HotKeyWord other : {kCtrlModifier | VK_F14, kShiftModifier | kAltModifier | VK_F14,
                           kAllModifiers | VK_F14}) {
    EXPECT_EQ(ProbeHotKey(static_cast<HotKeyWord>(other)), HotKeyState::Free) << other;
  }

  EXPECT_TRUE(PressKey(VK_F14, {VK_CONTROL, VK_MENU}));
  EXPECT_TRUE(PumpUntil([&] { return fired > 0; })) << "no WM_HOTKEY within the deadline";
  EXPECT_EQ(fired, 1);
  EXPECT_EQ(unclaimed_, 0);
  hotKeys_.clear();
}

}  // namespace
