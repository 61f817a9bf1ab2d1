#include "platform/win32/Win32PreviewWindow.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "platform/win32/PreviewText.h"

namespace korvane::platform::win32 {

namespace {

// Line breaks kept, words wrapped, tabs expanded, an ampersand a plain character.
constexpr UINT kTextFormat = DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS;
constexpr int kTextInset = 2;
// The window text holds the start of the text, for programs that read it (a test driver).
constexpr size_t kCaptionLength = 200;

// The system's status-bar font, bold.
HFONT MakeFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  metrics.lfStatusFont.lfWeight = FW_BOLD;
  return CreateFontIndirectW(&metrics.lfStatusFont);
}

// The width of the font's narrowest printable ASCII character: Latin text is made of them,
// and the wider Japanese ones take no less.
int Narrowest(HDC dc) {
  INT widths[0x7F - 0x20] = {};
  if (!GetCharWidth32W(dc, 0x20, 0x7E, widths)) return 1;
  return std::max(1, *std::min_element(std::begin(widths), std::end(widths)));
}

// How much of `text` (code units) lines of its own average width, measured on its start,
// would need to fill the box, with a quarter to spare.
size_t LikelyHead(HDC dc, const std::wstring& text, int boxWidth, int maxHeight,
                  int lineHeight) {
  const int sample = static_cast<int>(std::min<size_t>(text.size(), 1024));
  SIZE size{};
  if (sample == 0 || !GetTextExtentPoint32W(dc, text.c_str(), sample, &size) || size.cx <= 0) {
    return text.size();
  }
  const double perLine = static_cast<double>(boxWidth) * sample / size.cx + 1;
  const double lines = static_cast<double>(std::max(maxHeight, 0)) / std::max(lineHeight, 1) + 2;
  size_t head = static_cast<size_t>(lines * perLine * 1.25);
  if (head >= text.size()) return text.size();
  if (head > 0 && IS_HIGH_SURROGATE(text[head - 1])) --head;  // never half a pair
  return head;
}

// The drawing settings of the text, on a device context, while the object lives.
class TextSettings {
 public:
  TextSettings(HDC dc, HFONT font) : dc_(dc), saved_(SaveDC(dc)) {
    SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
  }
  ~TextSettings() { RestoreDC(dc_, saved_); }
  TextSettings(const TextSettings&) = delete;
  TextSettings& operator=(const TextSettings&) = delete;

 private:
  HDC dc_;
  int saved_;
};

}  // namespace

Win32PreviewWindow::Win32PreviewWindow(HWND owner, const std::string& text,
                                       const UnicodeText& exact, int boxWidth, int maxHeight)
    : font_(MakeFont()), boxWidth_(std::max(boxWidth, 0)) {
  const HDC screen = GetDC(nullptr);
  {
    TextSettings settings(screen, font_);
    LayOut(screen, text, exact, std::max(maxHeight, 0));
  }
  ReleaseDC(nullptr, screen);

  // CS_SAVEBITS: it comes and goes over other programs' windows, which need not repaint.
  RegisterClassOnce(kClassName, CS_SAVEBITS);
  CreateOwnWindow(kClassName, text_.substr(0, kCaptionLength).c_str(),
                  WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, WS_POPUP, owner);
}

Win32PreviewWindow::~Win32PreviewWindow() {
  DestroyOwnWindow();  // before the font it paints with
  if (font_) DeleteObject(font_);
}

void Win32PreviewWindow::LayOut(HDC dc, const std::string& text, const UnicodeText& exact,
                                int maxHeight) {
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  const int lineHeight = std::max<int>(metrics.tmHeight, 1);
  text_ = PreviewText(text, exact, LimitsFor(boxWidth_, maxHeight, lineHeight, Narrowest(dc)));
  // Laying out costs by the character, and room for the narrowest characters is room for
  // many more than most texts fill the box with. So first only the head that lines of the
  // text's own average width would fill is laid out; if it runs on at least a line below
  // the box, the box shows nothing of what follows.
  const size_t head = LikelyHead(dc, text_, boxWidth_, maxHeight, lineHeight);
  if (head < text_.size()) {
    std::wstring shorter = text_.substr(0, head);
    const Size laidOut = Measure(dc, shorter);
    const int shownLines = (maxHeight + lineHeight - 1) / lineHeight;
    if (laidOut.Height >= (shownLines + 1) * lineHeight) {
      text_ = std::move(shorter);
      extent_ = Size{laidOut.Width, maxHeight};
      return;
    }
  }
  const Size laidOut = Measure(dc, text_);
  extent_ = Size{laidOut.Width, std::min(laidOut.Height, maxHeight)};
}

Size Win32PreviewWindow::Measure(HDC dc, const std::wstring& text) const {
  RECT box{0, 0, boxWidth_, 0};
  if (!text.empty()) {
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, kTextFormat | DT_CALCRECT);
  }
  // A word too long for the box runs past its right edge, where the drawing clips it.
  return Size{std::min<int>(box.right, boxWidth_), box.bottom};
}

void Win32PreviewWindow::ShowAt(const Rect& bounds) {
  SetWindowPos(Hwnd(), HWND_TOPMOST, bounds.Left, bounds.Top, bounds.Width(), bounds.Height(),
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  // Painted before the call returns, so that it shows at once.
  UpdateWindow(Hwnd());
}

void Win32PreviewWindow::Paint(HDC dc) {
  RECT client{};
  GetClientRect(Hwnd(), &client);
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  RECT edge = client;
  DrawEdge(dc, &edge, BDR_RAISEDOUTER, BF_RECT);

  TextSettings settings(dc, font_);
  // Inside the border; wrapped at the width the extent was measured in, so that the lines
  // break where they were counted.
  IntersectClipRect(dc, 1, 1, client.right - 1, client.bottom - 1);
  RECT box{kTextInset, kTextInset, kTextInset + boxWidth_, client.bottom};
  DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &box, kTextFormat);
}

LRESULT Win32PreviewWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT painted = 0;
  if (HandlePaintMessage(message, wParam, [this](HDC dc) { Paint(dc); }, painted)) return painted;
  switch (message) {
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_NCHITTEST:
      // As a tooltip: the mouse reaches whatever lies beneath.
      return HTTRANSPARENT;
  }
  return Default(message, wParam, lParam);
}

}  // namespace korvane::platform::win32
