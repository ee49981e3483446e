#pragma once
// Small GDI helpers shared by everything the program draws itself: owning
// handles, a saved device context state, solid fills and stepped gradients.

#include <windows.h>

#include <memory>
#include <type_traits>

struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
// Owns a pen, brush, font or bitmap, keeping its type.
template <class Handle>
using GdiHandle = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter>;
using OwnedFont = GdiHandle<HFONT>;
using OwnedPen = GdiHandle<HPEN>;
using OwnedBitmap = GdiHandle<HBITMAP>;

struct IconDeleter {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
// Owns an icon loaded or created by the program (not a shared one).
using OwnedIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

// The size of the icons in the notification area and a window's caption, in
// pixels at 96 DPI; the icon resources carry a picture for 125, 150 and 200 %.
inline constexpr int kSmallIconSize = 16;

// An icon resource of the program at the given size in pixels, loaded at that
// size so that it is never stretched; empty when there is none.
OwnedIcon LoadIconOfSize(HINSTANCE instance, int id, int size);

struct MemoryDcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryDcDeleter>;

// A window's device context, released when it ends.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() { ReleaseDC(window_, dc_); }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;

  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// Restores everything selected into or set on a device context when it ends.
// Declare it after the GDI objects it selects, so they are deselected before
// they are deleted.
class SavedDcState {
 public:
  explicit SavedDcState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~SavedDcState() { RestoreDC(dc_, saved_); }
  SavedDcState(const SavedDcState&) = delete;
  SavedDcState& operator=(const SavedDcState&) = delete;

 private:
  HDC dc_;
  int saved_;
};

inline OwnedFont MakeFont(const LOGFONTW& font) { return OwnedFont(CreateFontIndirectW(&font)); }

void FillSolid(HDC dc, const RECT& rect, COLORREF colour);

// The colour step/lastStep of the way from one colour to another.
COLORREF Blend(COLORREF from, COLORREF to, int step, int lastStep);

enum class GradientDirection { TopToBottom, LeftToRight };

// Stripes of equal size, one per step; an area narrower than the number of
// steps gets one stripe per pixel, and the pixels that do not make up a whole
// stripe keep the end colour.
void FillGradient(HDC dc, const RECT& area, COLORREF from, COLORREF to, int steps,
                  GradientDirection direction);

// A gradient with a colour of its own for every pixel along the direction.
void FillSmoothGradient(HDC dc, const RECT& area, COLORREF from, COLORREF to,
                        GradientDirection direction);

// A smooth gradient mirrored about the middle: `edges` at both ends, `middle`
// half way along.
void FillReflectedGradient(HDC dc, const RECT& area, COLORREF edges, COLORREF middle,
                           GradientDirection direction);
