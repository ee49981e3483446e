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

TEST_F(GlobalHotKeyTest, ActivatingRegistersTheWordSystemWide) {
  GlobalHotKey hotKey(owner_.Handle(), L"StopHotKey", nullptr);
  hotKey.SetHotKey(Unusual(14));
  EXPECT_FALSE(hotKey.Registered());
  EXPECT_EQ(ProbeHotKey(Unusual(14)), HotKeyState::Free);
  hotKey.SetActive(true);
  EXPECT_TRUE(hotKey.Active());
  EXPECT_TRUE(hotKey.Registered());
  EXPECT_EQ(ProbeHotKey(Unusual(14)), HotKeyState::Taken);
  // Activating again changes nothing.
  hotKey.SetActive(true);
  EXPECT_TRUE(hotKey.Registered());
  EXPECT_EQ(ProbeHotKey(Unusual(14)), HotKeyState::Taken);
}

TEST_F(GlobalHotKeyTest, ModifiersAreRegisteredAsTheWordSays) {
  GlobalHotKey hotKey(owner_.Handle(), L"OptionsHotKey", nullptr);
  const HotKeyWord ctrlShiftF15 = kCtrlModifier | kShiftModifier | VK_F15;
  hotKey.SetHotKey(ctrlShiftF15);
  hotKey.SetActive(true);
  ASSERT_TRUE(hotKey.Registered());
  EXPECT_EQ(ProbeHotKey(ctrlShiftF15), HotKeyState::Taken);
  EXPECT_EQ(ProbeHotKey(kAltModifier | kShiftModifier | VK_F15), HotKeyState::Free);
  EXPECT_EQ(ProbeHotKey(kCtrlModifier | VK_F15), HotKeyState::Free);
  EXPECT_EQ(ProbeHotKey(Unusual(15)), HotKeyState::Free);
}

TEST_F(GlobalHotKeyTest, ChangedWordReRegistersWhileActive) {
  GlobalHotKey hotKey(owner_.Handle(), L"DefaultHotKey", nullptr);
  hotKey.SetHotKey(Unusual(16));
  hotKey.SetActive(true);
  ASSERT_EQ(ProbeHotKey(Unusual(16)), HotKeyState::Taken);
  hotKey.SetHotKey(Unusual(17));
  EXPECT_TRUE(hotKey.Active());
  EXPECT_TRUE(hotKey.Registered());
  EXPECT_EQ(hotKey.HotKey(), Unusual(17));
  EXPECT_EQ(ProbeHotKey(Unusual(16)), HotKeyState::Free);
  EXPECT_EQ(ProbeHotKey(Unusual(17)), HotKeyState::Taken);
}

TEST_F(GlobalHotKeyTest, InactiveObjectStaysUnregisteredAfterAChange) {
  GlobalHotKey hotKey(owner_.Handle(), L"DefaultHotKey", nullptr);
  hotKey.SetHotKey(Unusual(18));
  hotKey.SetHotKey(Unusual(19));
  EXPECT_FALSE(hotKey.Active());
  EXPECT_FALSE(hotKey.Registered());
  EXPECT_EQ(ProbeHotKey(Unusual(18)), HotKeyState::Free);
  EXPECT_EQ(ProbeHotKey(Unusual(19)), HotKeyState::Free);
  hotKey.SetActive(true);
  EXPECT_TRUE(hotKey.Registered());
  EXPECT_EQ(ProbeHotKey(Unusual(19)), HotKeyState::Taken);
}

TEST_F(GlobalHotKeyTest, DeactivatingUnregisters) {
  GlobalHotKey hotKey(owner_.Handle(), L"DefaultHotKey", nullptr);
  hotKey.SetHotKey(Unusual(20));
  hotKey.SetActive(true);
  ASSERT_EQ(ProbeHotKey(Unusual(20)), HotKeyState::Taken);
  hotKey.SetActive(false);
  EXPECT_FALSE(hotKey.Active());
  EXPECT_FALSE(hotKey.Registered());
  EXPECT_EQ(ProbeHotKey(Unusual(20)), HotKeyState::Free);
  // And back again.
  hotKey.SetActive(true);
  EXPECT_EQ(ProbeHotKey(Unusual(20)), HotKeyState::Taken);
}

TEST_F(GlobalHotKeyTest, DestructionUnregisters) {
  {
    GlobalHotKey hotKey(owner_.Handle(), L"SlotHotKey_1", nullptr);
    hotKey.SetHotKey(Unusual(21));
    hotKey.SetActive(true);
    ASSERT_EQ(ProbeHotKey(Unusual(21)), HotKeyState::Taken);
  }
  EXPECT_EQ(ProbeHotKey(Unusual(21)), HotKeyState::Free);
}

TEST_F(GlobalHotKeyTest, EmptyWordRegistersNothing) {
  GlobalHotKey hotKey(owner_.Handle(), L"DefaultHotKey", nullptr);
  hotKey.SetActive(true);
  EXPECT_TRUE(hotKey.Active());
  EXPECT_FALSE(hotKey.Registered());
  hotKey.SetHotKey(kCtrlModifier | kAltModifier);  // modifiers without a key
  EXPECT_FALSE(hotKey.Registered());
  hotKey.SetHotKey(Unusual(22));
  EXPECT_TRUE(hotKey.Registered());
  hotKey.SetHotKey(0);
  EXPECT_TRUE(hotKey.Active());
  EXPECT_FALSE(hotKey.Registered());
  EXPECT_EQ(ProbeHotKey(Unusual(22)), HotKeyState::Free);
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

TEST_F(GlobalHotKeyTest, IdentifiersAreDistinctAndForApplications) {
  GlobalHotKey first(owner_.Handle(), L"DefaultHotKey", nullptr);
  GlobalHotKey second(owner_.Handle(), L"OptionsHotKey", nullptr);
  GlobalHotKey third(owner_.Handle(), L"StopHotKey", nullptr);
  EXPECT_NE(first.Identifier(), second.Identifier());
  EXPECT_NE(second.Identifier(), third.Identifier());
  EXPECT_NE(first.Identifier(), third.Identifier());
  for (const GlobalHotKey* hotKey : {&first, &second, &third}) {
    EXPECT_GE(hotKey->Identifier(), 0);
    EXPECT_LE(hotKey->Identifier(), 0xBFFF);
  }
}

TEST_F(GlobalHotKeyTest, WmHotKeyReachesTheObjectWithItsIdentifier) {
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
}

TEST_F(GlobalHotKeyTest, HandleHotKeyAnswersOnlyItsOwnIdentifier) {
  int calls = 0;
  GlobalHotKey hotKey(owner_.Handle(), L"DefaultHotKey", [&calls](GlobalHotKey&) { ++calls; });
  EXPECT_FALSE(hotKey.HandleHotKey(static_cast<WPARAM>(hotKey.Identifier() + 1)));
  EXPECT_EQ(calls, 0);
  EXPECT_TRUE(hotKey.HandleHotKey(static_cast<WPARAM>(hotKey.Identifier())));
  EXPECT_EQ(calls, 1);
  // Without a handler the message is still this object's.
  GlobalHotKey silent(owner_.Handle(), L"StopHotKey", nullptr);
  EXPECT_TRUE(silent.HandleHotKey(static_cast<WPARAM>(silent.Identifier())));
}

TEST_F(GlobalHotKeyTest, HandlerFailuresReachTheOwnersGuard) {
  GlobalHotKey hotKey(owner_.Handle(), L"DefaultHotKey",
                      [](GlobalHotKey&) { throw std::runtime_error("reading failed"); });
  EXPECT_THROW(hotKey.HandleHotKey(static_cast<WPARAM>(hotKey.Identifier())), std::runtime_error);
}

TEST_F(GlobalHotKeyTest, HandlerMayFreeItsObject) {
  // The slot store may destroy a slot's hot key from within a handler.
  std::unique_ptr<GlobalHotKey> hotKey;
  bool ran = false;
  hotKey = std::make_unique<GlobalHotKey>(owner_.Handle(), L"SlotHotKey_1", [&](GlobalHotKey&) {
    hotKey.reset();
    ran = true;
  });
  GlobalHotKey* running = hotKey.get();
  EXPECT_TRUE(running->HandleHotKey(static_cast<WPARAM>(running->Identifier())));
  EXPECT_TRUE(ran);
  EXPECT_EQ(hotKey, nullptr);
}

// A real key press: SendInput goes through the system's input path, which
// turns the registered combination into WM_HOTKEY for the owner.
TEST_F(GlobalHotKeyTest, PressingTheKeysRunsTheHandler) {
  int fired = 0;
  GlobalHotKey hotKey(owner_.Handle(), L"DefaultHotKey", [&fired](GlobalHotKey&) { ++fired; });
  hotKeys_.push_back(&hotKey);
  const HotKeyWord word = kCtrlModifier | kAltModifier | VK_F14;
  hotKey.SetHotKey(word);
  hotKey.SetActive(true);
  ASSERT_TRUE(hotKey.Registered());

  EXPECT_TRUE(PressKey(VK_F14, {VK_CONTROL, VK_MENU}));
  EXPECT_TRUE(PumpUntil([&] { return fired > 0; })) << "no WM_HOTKEY within the deadline";
  EXPECT_EQ(fired, 1);
  EXPECT_EQ(unclaimed_, 0);
  hotKeys_.clear();
}

}  // namespace
