// The clipboard borrowed and given back: every format that can be copied
// comes back with the same bytes, and the clipboard opens with a short wait.
#include "reading/clipboard_snapshot.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "tests/support/message_pump.h"
#include "tests/support/test_clipboard.h"
#include "tests/support/window_class.h"

namespace {

using Bytes = std::vector<BYTE>;

void PutBytes(UINT format, const Bytes& bytes) {
  PutClipboardBytes(format, bytes.data(), bytes.size());
}

const Bytes kBinary = {0x00, 0xFF, 0x10, 0x00, 0x00, 0x7F, 0x80, 0x01, 0x00};

Bytes EnhancedMetafileBits(HENHMETAFILE metafile) {
  Bytes bits(GetEnhMetaFileBits(metafile, 0, nullptr));
  GetEnhMetaFileBits(metafile, static_cast<UINT>(bits.size()), bits.data());
  return bits;
}

Bytes MetafileBits(HMETAFILE metafile) {
  Bytes bits(GetMetaFileBitsEx(metafile, 0, nullptr));
  GetMetaFileBitsEx(metafile, static_cast<UINT>(bits.size()), bits.data());
  return bits;
}

class ClipboardSnapshotTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(owner_.Handle(), nullptr); }

  // Takes a snapshot, lets something else take the clipboard's place, then
  // puts the snapshot back.
  ClipboardSnapshot TakeOverwriteRestore() {
    std::optional<ClipboardSnapshot> snapshot;
    {
      ScopedClipboard clipboard(owner_.Handle(), PumpMessages);
      snapshot = ClipboardSnapshot::Take(clipboard);
      EmptyClipboard();
      PutClipboardText(L"something else");
    }
    ScopedClipboard clipboard(owner_.Handle(), PumpMessages);
    snapshot->Restore(clipboard);
    return *snapshot;
  }

  // Empties the clipboard and lets `put` fill it.
  void Fill(const std::function<void()>& put) {
    OpenedClipboard clipboard(owner_.Handle());
    ASSERT_TRUE(clipboard.Opened());
    EmptyClipboard();
    put();
  }

  // Owns the clipboard and, when asked to render a delayed format, renders
  // only the one it can.
  UINT renderable_ = 0;
  Bytes rendered_;
  int renderRequests_ = 0;
  OwnerWindow owner_{[this](UINT message, WPARAM format, LPARAM) {
    if (message != WM_RENDERFORMAT) return false;
    ++renderRequests_;
    if (format == renderable_) PutBytes(renderable_, rendered_);
    return true;
  }};
  const UINT privateFormat_ = RegisterClipboardFormatW(L"Tolvane test binary data");
};

TEST_F(ClipboardSnapshotTest, TextPrivateDataAndPictureComeBackAsTheyWere) {
  std::map<UINT, Bytes> before;
  std::vector<UINT> orderBefore;
  Fill([&] {
    PutClipboardText(L"earlier text");
    PutBytes(privateFormat_, kBinary);
    PutBytes(CF_DIB, SmallDib());
  });
  {
    ScopedClipboard clipboard(owner_.Handle(), PumpMessages);
    before = ClipboardFormatsAndBytes();
    orderBefore = ListedClipboardFormats();
  }
  ASSERT_EQ(before[privateFormat_], kBinary);
  ASSERT_EQ(before[CF_DIB], SmallDib());

  const ClipboardSnapshot snapshot = TakeOverwriteRestore();

  {
    ScopedClipboard clipboard(owner_.Handle(), PumpMessages);
    EXPECT_EQ(ClipboardFormatsAndBytes(), before);
    // Pasting programs take the first format they understand: the order counts.
    std::vector<UINT> orderAfter = ListedClipboardFormats();
    std::erase(orderBefore, CF_BITMAP);
    std::erase(orderAfter, CF_BITMAP);
    EXPECT_EQ(orderAfter, orderBefore);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
    EXPECT_THAT(snapshot.Formats(), ::testing::Not(::testing::Contains(CF_BITMAP)));
  }

  // An empty clipboard is left empty.
  Fill([] {});
  EXPECT_TRUE(TakeOverwriteRestore().Formats().empty());
  EXPECT_EQ(CountClipboardFormats(), 0);
}

// Metafiles, palettes and bitmaps are handles, not memory: the copies must
// not be the clipboard's own handles, which emptying it destroys. An
// old-style metafile picture is copied with its metafile.
TEST_F(ClipboardSnapshotTest, HandlesComeBackAsCopiesOfTheirContent) {
  HDC recorder = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  Rectangle(recorder, 1, 2, 30, 40);
  HENHMETAFILE metafile = CloseEnhMetaFile(recorder);
  const Bytes metafileBits = EnhancedMetafileBits(metafile);
  HDC oldStyleRecorder = CreateMetaFileW(nullptr);
  Ellipse(oldStyleRecorder, 0, 0, 20, 10);
  const METAFILEPICT picture{MM_ANISOTROPIC, 2000, 1000, CloseMetaFile(oldStyleRecorder)};
  const Bytes oldStyleBits = MetafileBits(picture.hMF);
  struct {
    LOGPALETTE header;
    PALETTEENTRY more[2];
  } logical{{0x300, 3, {{10, 20, 30, 0}}}, {{40, 50, 60, 0}, {70, 80, 90, 0}}};
  const DWORD pixels[4] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0x00ABCDEF};
  Fill([&] {
    SetClipboardData(CF_ENHMETAFILE, metafile);
    SetClipboardData(CF_METAFILEPICT, GlobalCopy(&picture, sizeof picture));
    SetClipboardData(CF_PALETTE, CreatePalette(&logical.header));
    SetClipboardData(CF_BITMAP, CreateBitmap(2, 2, 1, 32, pixels));
  });
  const Bytes dibBefore = ReadClipboard(owner_.Handle())[CF_DIB];
  ASSERT_FALSE(dibBefore.empty()) << "the system offers no CF_DIB for a bitmap";

  TakeOverwriteRestore();

  ScopedClipboard clipboard(owner_.Handle(), PumpMessages);
  auto restoredMetafile = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE));
  ASSERT_NE(restoredMetafile, nullptr);
  EXPECT_EQ(EnhancedMetafileBits(restoredMetafile), metafileBits);
  auto palette = static_cast<HPALETTE>(GetClipboardData(CF_PALETTE));
  ASSERT_NE(palette, nullptr);
  PALETTEENTRY entries[4]{};
  ASSERT_EQ(GetPaletteEntries(palette, 0, 4, entries), 3u);
  std::vector<COLORREF> colours;
  for (const PALETTEENTRY& entry : entries) {
    colours.push_back(RGB(entry.peRed, entry.peGreen, entry.peBlue));
  }
  EXPECT_EQ(colours, (std::vector<COLORREF>{RGB(10, 20, 30), RGB(40, 50, 60), RGB(70, 80, 90), 0}));
  HANDLE restoredPicture = GetClipboardData(CF_METAFILEPICT);
  ASSERT_NE(restoredPicture, nullptr);
  const auto* header = static_cast<const METAFILEPICT*>(GlobalLock(restoredPicture));
  EXPECT_EQ(std::tuple(header->mm, header->xExt, header->yExt),
            std::tuple(MM_ANISOTROPIC, 2000L, 1000L));
  EXPECT_EQ(MetafileBits(header->hMF), oldStyleBits);
  GlobalUnlock(restoredPicture);
  EXPECT_EQ(ClipboardBytes(CF_DIB), dibBefore);
  BITMAP description{};
  ASSERT_NE(GetObjectW(GetClipboardData(CF_BITMAP), sizeof description, &description), 0);
  EXPECT_EQ(std::pair(description.bmWidth, description.bmHeight), std::pair(2L, 2L));
}

TEST_F(ClipboardSnapshotTest, FormatsThatCannotBeHadAreLeftOutAndTheRestComeBack) {
  const UINT renders = RegisterClipboardFormatW(L"Tolvane test rendered later");
  const UINT refuses = RegisterClipboardFormatW(L"Tolvane test never rendered");
  renderable_ = renders;
  rendered_ = kBinary;
  Fill([&] {
    PutClipboardText(L"kept");
    SetClipboardData(renders, nullptr);
    SetClipboardData(refuses, nullptr);
    SetClipboardData(CF_PRIVATEFIRST, GlobalCopy(kBinary.data(), kBinary.size()));
    SetClipboardData(CF_OWNERDISPLAY, nullptr);
  });

  TakeOverwriteRestore();
  EXPECT_GE(renderRequests_, 2);

  ScopedClipboard clipboard(owner_.Handle(), PumpMessages);
  EXPECT_EQ(clipboard.UnicodeText(), L"kept");
  EXPECT_EQ(ClipboardBytes(renders), kBinary);
  for (UINT format : {refuses, UINT{CF_PRIVATEFIRST}, UINT{CF_OWNERDISPLAY}}) {
    EXPECT_FALSE(IsClipboardFormatAvailable(format)) << "format " << format;
  }
}

// The open waits, letting messages run, for a clipboard held a moment, gives
// up on one held longer, and holds the clipboard for the object's lifetime.
TEST_F(ClipboardSnapshotTest, OpenWaitsForAClipboardHeldForAMomentAndHoldsItWhileItLives) {
  {
    ClipboardHolder holder(100ms);
    ASSERT_TRUE(holder.Holds());
    int processed = 0;
    ScopedClipboard clipboard(owner_.Handle(), [&processed] {
      ++processed;
      PumpMessages();
    });
    EXPECT_EQ(GetOpenClipboardWindow(), owner_.Handle());
    EXPECT_GT(processed, 0);
    std::atomic<bool> openedElsewhere{true};
    std::thread([&openedElsewhere] {
      openedElsewhere = OpenClipboard(nullptr) != FALSE;
      if (openedElsewhere) CloseClipboard();
    }).join();
    EXPECT_FALSE(openedElsewhere);
  }
  EXPECT_EQ(GetOpenClipboardWindow(), nullptr);

  ClipboardHolder holder(10s);
  ASSERT_TRUE(holder.Holds());
  EXPECT_THAT(
      [this] { ScopedClipboard clipboard(owner_.Handle(), PumpMessages); },
      ::testing::ThrowsMessage<std::runtime_error>(::testing::StrEq("Cannot open clipboard")));
}

TEST_F(ClipboardSnapshotTest, UnicodeTextIsReadInAnyScriptUpToItsEnd) {
  Fill([&] {
    const wchar_t text[] = L"Привет, κόσμε \U0001F30D\0after the end";
    SetClipboardData(CF_UNICODETEXT, GlobalCopy(text, sizeof text));
  });
  {
    ScopedClipboard clipboard(owner_.Handle(), PumpMessages);
    EXPECT_EQ(clipboard.UnicodeText(), L"Привет, κόσμε \U0001F30D");
    EmptyClipboard();
    EXPECT_EQ(clipboard.UnicodeText(), L"");
    // Plain 8-bit text is offered as UTF-16 as well.
    const char plain[] = "plain text";
    SetClipboardData(CF_TEXT, GlobalCopy(plain, sizeof plain));
  }
  ScopedClipboard clipboard(owner_.Handle(), PumpMessages);
  EXPECT_EQ(clipboard.UnicodeText(), L"plain text");
}

}  // namespace
