// The "EDIT" window class: text, selection, undo, layout, painting, keyboard, mouse,
// scrolling and the clipboard commands.
#include "platform/os/user_edit.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <optional>
#include <cstring>
#include <unordered_map>
#include <utility>

#include "platform/base/strings.h"
#include "platform/os/gdi_shape.h"
#include "platform/os/user_clipboard.h"
#include "platform/os/user_internal.h"
#include "platform/os/uxtheme.h"

namespace qd {

namespace {

std::mutex& BeepMutex() {
  static std::mutex m;
  return m;
}
std::vector<UINT>& Beeps() {
  static std::vector<UINT> b;
  return b;
}

}  // namespace

namespace user {
void RecordBeep(UINT type) {
  std::lock_guard lock(BeepMutex());
  Beeps().push_back(type);
}
}  // namespace user

namespace os {
std::vector<UINT> TakeBeepsForTesting() {
  std::lock_guard lock(BeepMutex());
  return std::exchange(Beeps(), {});
}
}  // namespace os

namespace user {

namespace {

constexpr UINT kDefaultLimit = 0x7FFF;

bool IsHigh(Char c) {
  return c >= 0xD800 && c < 0xDC00;
}
bool IsLow(Char c) {
  return c >= 0xDC00 && c < 0xE000;
}
bool IsBreak(Char c) {
  return c == u'\r' || c == u'\n';
}
bool IsSpace(Char c) {
  return c == u' ' || c == u'\t' || c == 0xA0 || IsBreak(c);
}
bool IsWordChar(Char c) {
  if (IsSpace(c)) return false;
  if (c < 0x80)
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_';
  return true;
}

struct Line {
  int start = 0;
  int len = 0;  // without the break characters
  int brk = 0;  // break characters that follow (0 for a wrapped line and the last line)
  int width = 0;
};

class Edit {
 public:
  explicit Edit(HWND h) : hwnd(h) {}

  HWND hwnd;
  bool multi = false;
  DWORD align = ES_LEFT;
  String text;
  int anchor = 0;
  int caret = 0;
  UINT limit = kDefaultLimit;
  bool modified = false;

  bool canUndo = false;
  String undoText;
  int undoAnchor = 0;
  int undoCaret = 0;
  bool typing = false;  // the last change was typed: the next typed character joins its undo step
  int typingEnd = -1;

  HFONT font = nullptr;
  int lineHeight = 16;
  int aveChar = 7;
  int marginLeft = 0;
  int marginRight = 0;
  RECT fmt;
  bool fmtSet = false;

  std::vector<Line> lines{Line{}};
  // The boundaries of one line, kept until the next layout (moving the caret and painting
  // ask for the same line again and again).
  uint64_t layoutVersion = 0;
  struct {
    uint64_t version = ~uint64_t{0};
    int start = -1;
    int len = -1;
    std::vector<int> pos;
    struct Visual {
      // Per character, logical order: its cell (content x from the line's start) and whether
      // it reads right to left; `order` holds the characters in display order. Empty when the
      // line shows in logical order.
      std::vector<int> left, width;
      std::vector<uint8_t> rtl;
      std::vector<int> order;
    } visual;
  } cache;
  int topLine = 0;
  int xOffset = 0;  // pixels scrolled to the left
  int maxWidth = 0;
  int preferredX = -1;  // caret x kept over Up and Down

  Char passwordChar = u'*';
  String cue;
  bool cueWhenFocused = false;
  bool focused = false;
  bool dragging = false;
  bool updatingBars = false;

  DWORD Style() const { return static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE)); }
  bool ReadOnly() const { return Style() & ES_READONLY; }
  bool Password() const { return !multi && (Style() & ES_PASSWORD); }
  bool Wraps() const { return multi && !(Style() & (ES_AUTOHSCROLL | WS_HSCROLL)); }
  int Len() const { return static_cast<int>(text.size()); }
  int SelMin() const { return std::min(anchor, caret); }
  int SelMax() const { return std::max(anchor, caret); }

  // ---- Measuring ----
  HDC MeasureDc() {
    HDC dc = GetDC(hwnd);
    SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    return dc;
  }

  String Display(int start, int len) const {
    if (Password()) return String(static_cast<size_t>(len), passwordChar);
    return text.substr(static_cast<size_t>(start), static_cast<size_t>(len));
  }

  // x of every boundary of a run (n + 1 values, the first 0); tabs stop every 8 average widths.
  std::vector<int> Positions(HDC dc, const String& s) const {
    std::vector<int> pos(s.size() + 1, 0);
    const int tab = std::max(1, aveChar * 8);
    size_t i = 0;
    int x = 0;
    while (i < s.size()) {
      if (s[i] == u'\t') {
        x = (x / tab + 1) * tab;
        pos[++i] = x;
        continue;
      }
      size_t j = i;
      while (j < s.size() && s[j] != u'\t') ++j;
      std::vector<int> dx(j - i);
      SIZE sz{};
      GetTextExtentExPointW(dc, s.c_str() + i, static_cast<int>(j - i), 0, nullptr, dx.data(), &sz);
      for (size_t k = i; k < j; ++k) pos[k + 1] = x + dx[k - i];
      x = pos[j];
      i = j;
    }
    return pos;
  }

  bool RtlReading() const { return (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0; }

  // Display order of a run with right-to-left or complex text, as ExtTextOut draws it.
  decltype(cache.visual) VisualOf(HDC dc, const String& s) const {
    decltype(cache.visual) v;
    const bool rtl = RtlReading();
    bool needed = rtl;
    for (Char c : s) needed = needed || !gdi::SimpleUnit(c);
    if (!needed || s.empty()) return v;
    const int n = static_cast<int>(s.size());
    std::vector<UINT> order(s.size());
    std::vector<INT> dx(s.size()), caretPos(s.size());
    GCP_RESULTSW r;
    r.lpOrder = order.data();
    r.lpDx = dx.data();
    r.lpCaretPos = caretPos.data();
    r.nGlyphs = static_cast<UINT>(n);
    const UINT oldAlign = SetTextAlign(dc, rtl ? TA_RTLREADING : TA_LEFT);
    GetCharacterPlacementW(dc, s.c_str(), n, 0, &r, GCP_REORDER);
    SetTextAlign(dc, oldAlign);
    v.order.assign(s.size(), 0);
    std::vector<int> visLeft(s.size());
    int x = 0;
    for (int i = 0; i < n; ++i) {
      visLeft[i] = x;
      x += dx[i];
    }
    v.left.resize(s.size());
    v.width.resize(s.size());
    v.rtl.resize(s.size());
    for (int i = 0; i < n; ++i) {
      const int vi = static_cast<int>(std::min<UINT>(order[i], static_cast<UINT>(n - 1)));
      v.order[vi] = i;
      v.left[i] = visLeft[vi];
      v.width[i] = dx[vi];
      // The caret of a right-to-left character is at its cell's right edge.
      v.rtl[i] = v.width[i] > 0 ? caretPos[i] > v.left[i] : (i > 0 ? v.rtl[i - 1] : rtl);
    }
    return v;
  }

  void FontMetrics() {
    HDC dc = MeasureDc();
    TEXTMETRICW tm;
    GetTextMetricsW(dc, &tm);
    ReleaseDC(hwnd, dc);
    lineHeight = std::max<int>(1, tm.tmHeight);
    aveChar = std::max<int>(1, tm.tmAveCharWidth);
  }

  int FontMargin() const { return std::max(1, aveChar / 4); }

  void ResetFormatRect() {
    RECT rc;
    GetClientRect(hwnd, &rc);
    fmt = {rc.Left + marginLeft, rc.Top, rc.Right - marginRight, rc.Bottom};
    if (multi && fmt.Bottom - fmt.Top > lineHeight)
      fmt.Bottom = fmt.Top + ((fmt.Bottom - fmt.Top) / lineHeight) * lineHeight;
    if (fmt.Right < fmt.Left) fmt.Right = fmt.Left;
    if (fmt.Bottom < fmt.Top) fmt.Bottom = fmt.Top;
  }
  int FmtWidth() const { return std::max(0, fmt.Right - fmt.Left); }
  int VisibleLines() const { return std::max(1, (fmt.Bottom - fmt.Top) / lineHeight); }

  const std::vector<int>& LinePositions(int line) {
    const Line& l = lines[line];
    if (cache.version != layoutVersion || cache.start != l.start || cache.len != l.len) {
      HDC dc = MeasureDc();
      cache.pos = Positions(dc, Display(l.start, l.len));
      cache.visual = VisualOf(dc, Display(l.start, l.len));
      ReleaseDC(hwnd, dc);
      cache.version = layoutVersion;
      cache.start = l.start;
      cache.len = l.len;
    }
    return cache.pos;
  }

  // ---- Layout ----
  void Layout() {
    lines.clear();
    maxWidth = 0;
    ++layoutVersion;
    HDC dc = MeasureDc();
    if (!multi) {
      Line l{0, Len(), 0, 0};
      cache.pos = Positions(dc, Display(0, l.len));
      cache.visual = VisualOf(dc, Display(0, l.len));
      cache.version = layoutVersion;
      cache.start = 0;
      cache.len = l.len;
      l.width = cache.pos.back();
      lines.push_back(l);
    } else {
      const int n = Len();
      int p = 0;
      while (true) {
        int e = p;
        while (e < n && !IsBreak(text[e])) ++e;
        int brk = 0;
        if (e < n) brk = (text[e] == u'\r' && e + 1 < n && text[e + 1] == u'\n') ? 2 : 1;
        WrapParagraph(dc, p, e - p, brk);
        if (e >= n) break;
        p = e + brk;
        if (p >= n) {
          lines.push_back(Line{p, 0, 0, 0});
          break;
        }
      }
    }
    ReleaseDC(hwnd, dc);
    for (const Line& l : lines) maxWidth = std::max(maxWidth, l.width);
    ClampScroll();
  }

  void WrapParagraph(HDC dc, int start, int len, int brk) {
    const String s = Display(start, len);
    const std::vector<int> pos = Positions(dc, s);
    const int width = FmtWidth();
    if (!Wraps() || len == 0 || pos[len] <= width) {
      lines.push_back(Line{start, len, brk, pos[len]});
      return;
    }
    int a = 0;
    while (a < len) {
      // The longest piece from a that fits; at least one character.
      int b = a + 1;
      while (b < len && pos[b + 1] - pos[a] <= width) ++b;
      if (b < len && IsLow(s[b])) --b;
      if (b <= a) b = a + 1;
      int end = b;
      if (b < len) {
        // Break after the last space of the piece, spaces hanging past the edge.
        int k = b;
        while (k < len && s[k] == u' ') ++k;
        if (k > b) {
          end = k;
        } else {
          int sp = b;
          while (sp > a && s[sp - 1] != u' ' && s[sp - 1] != u'\t') --sp;
          if (sp > a) end = sp;
        }
      }
      const bool last = end >= len;
      int visibleEnd = end;
      while (visibleEnd > a && s[visibleEnd - 1] == u' ' && !last) --visibleEnd;
      lines.push_back(Line{start + a, end - a, last ? brk : 0, pos[visibleEnd] - pos[a]});
      a = end;
    }
  }

  int LineOf(int ch) const {
    int lo = 0, hi = static_cast<int>(lines.size()) - 1;
    while (lo < hi) {
      const int mid = (lo + hi + 1) / 2;
      if (lines[mid].start <= ch)
        lo = mid;
      else
        hi = mid - 1;
    }
    return lo;
  }

  int AlignOffset(const Line& l) const {
    const int free = FmtWidth() - l.width;
    if (free <= 0) return 0;
    if ((align & ES_RIGHT) == ES_RIGHT) return free - 1;
    if (align & ES_CENTER) return free / 2;
    return 0;
  }

  // x of a position within its line, in content coordinates (before scrolling).
  int ContentX(int line, int ch) {
    const Line& l = lines[line];
    const std::vector<int>& pos = LinePositions(line);
    const int i = std::clamp(ch - l.start, 0, l.len);
    const auto& v = cache.visual;
    if (!v.order.empty() && l.len > 0) {
      // The leading edge of the character after the caret, or the trailing edge of the last one.
      if (i < l.len) return AlignOffset(l) + (v.rtl[i] ? v.left[i] + v.width[i] : v.left[i]);
      const int k = l.len - 1;
      return AlignOffset(l) + (v.rtl[k] ? v.left[k] : v.left[k] + v.width[k]);
    }
    return AlignOffset(l) + pos[i];
  }

  POINT PosOf(int ch) {
    const int line = LineOf(ch);
    return {fmt.Left - xOffset + ContentX(line, ch), fmt.Top + (line - topLine) * lineHeight};
  }

  // The nearest position on a line to a content x.
  int CharAtX(int line, int x) {
    const Line& l = lines[line];
    const std::vector<int>& pos = LinePositions(line);
    x -= AlignOffset(l);
    int best = 0;
    const auto& v = cache.visual;
    if (!v.order.empty() && l.len > 0) {
      // The cell under x (or the nearest end one), then the side of it x is on.
      int k = v.order.back();
      for (int c : v.order)
        if (x < v.left[c] + v.width[c]) {
          k = c;
          break;
        }
      const bool leftHalf = 2 * x < 2 * v.left[k] + v.width[k];
      best = leftHalf != (v.rtl[k] != 0) ? k : k + 1;
    } else {
      for (int i = 1; i <= l.len; ++i) {
        if (pos[i] - x > x - pos[i - 1] && x < pos[i]) break;
        best = i;
        if (pos[i] >= x) break;
      }
    }
    // A wrapped line's trailing spaces: the caret stays before the next line.
    if (l.brk == 0 && line + 1 < static_cast<int>(lines.size()) && best == l.len && l.len > 0 &&
        text[l.start + l.len - 1] == u' ')
      --best;
    int ch = l.start + best;
    if (ch > 0 && ch < Len() && IsLow(text[ch]) && IsHigh(text[ch - 1])) --ch;
    return ch;
  }

  int LineAtY(int y) const {
    const int rel = y - fmt.Top;
    const int line = topLine + (rel >= 0 ? rel / lineHeight : -((-rel + lineHeight - 1) / lineHeight));
    return std::clamp(line, 0, static_cast<int>(lines.size()) - 1);
  }

  int CharFromPoint(POINT p) {
    const int line = multi ? LineAtY(p.Y) : 0;
    return CharAtX(line, p.X - fmt.Left + xOffset);
  }

  // ---- Scrolling ----
  int MaxTop() const { return std::max(0, static_cast<int>(lines.size()) - VisibleLines()); }
  int MaxX() const { return std::max(0, maxWidth + 1 - FmtWidth()); }

  void ClampScroll() {
    topLine = std::clamp(topLine, 0, multi ? MaxTop() : 0);
    xOffset = std::clamp(xOffset, 0, MaxX());
  }

  void ScrollCaret() {
    const int line = LineOf(caret);
    if (multi) {
      if (line < topLine) topLine = line;
      if (line >= topLine + VisibleLines()) topLine = line - VisibleLines() + 1;
    }
    const int x = ContentX(line, caret);
    const int w = FmtWidth();
    const int jump = multi ? 0 : w / 4;
    const int old = xOffset;
    if (x < xOffset) xOffset = std::max(0, x - jump);
    if (x >= xOffset + w) xOffset = x - w + 1 + jump;
    xOffset = std::clamp(xOffset, 0, std::max(MaxX(), x - w + 1));
    if (!multi && xOffset != old) SnapToCharacter();
    UpdateScrollBars();
    PlaceCaret();
  }

  // A single-line edit scrolls by whole characters: the first visible one starts at the edge.
  void SnapToCharacter() {
    const std::vector<int>& pos = LinePositions(0);
    const int x = xOffset - AlignOffset(lines[0]);
    auto it = std::lower_bound(pos.begin(), pos.end(), x);
    if (it != pos.end()) xOffset = *it + AlignOffset(lines[0]);
  }

  void UpdateScrollBars() {
    if (!multi || updatingBars) return;
    updatingBars = true;
    const DWORD st = Style();
    if (st & WS_VSCROLL) {
      SCROLLINFO si;
      si.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
      si.nMin = 0;
      si.nMax = static_cast<int>(lines.size()) - 1;
      si.nPage = static_cast<UINT>(VisibleLines());
      si.nPos = topLine;
      SetScrollInfo(hwnd, SB_VERT, &si, TRUE);
    }
    if (st & WS_HSCROLL) {
      SCROLLINFO si;
      si.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
      si.nMin = 0;
      si.nMax = std::max(0, maxWidth);
      si.nPage = static_cast<UINT>(FmtWidth());
      si.nPos = xOffset;
      SetScrollInfo(hwnd, SB_HORZ, &si, TRUE);
    }
    updatingBars = false;
  }

  // ---- Caret and notifications ----
  void PlaceCaret() {
    if (!focused) return;
    const POINT p = PosOf(caret);
    SetCaretPos(p.X, p.Y);
  }

  void Notify(WORD code) {
    HWND parent = GetParent(hwnd);
    if (!parent) return;
    const auto id = static_cast<WORD>(GetWindowLongPtrW(hwnd, GWLP_ID));
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(hwnd));
  }

  void Redraw() { InvalidateRect(hwnd, nullptr, TRUE); }

  // ---- Changing the text ----
  String Cased(String s) const {
    const DWORD st = Style();
    if (st & ES_UPPERCASE) return UpperCase(s);
    if (st & ES_LOWERCASE) return LowerCase(s);
    return s;
  }

  enum class Origin { Program, User, Typing };

  // Replaces [a, b) with s and puts the caret after it. False when nothing changed.
  bool Replace(int a, int b, String s, bool undoable, bool limited, Origin origin) {
    a = std::clamp(a, 0, Len());
    b = std::clamp(b, a, Len());
    s = Cased(std::move(s));
    bool cut = false;
    if (limited) {
      const int64_t room = int64_t{limit} - (Len() - (b - a));
      if (static_cast<int64_t>(s.size()) > room) {
        size_t keep = static_cast<size_t>(std::max<int64_t>(0, room));
        if (keep > 0 && keep < s.size() && IsHigh(s[keep - 1])) --keep;
        s.resize(keep);
        cut = true;
      }
    }
    if (s.empty() && a == b) {
      if (cut) {
        if (origin != Origin::Program) MessageBeep(0);
        Notify(EN_MAXTEXT);
      }
      return false;
    }
    if (origin != Origin::Program && !Fits(a, b, s)) {
      MessageBeep(0);
      return false;
    }
    const bool joins =
        origin == Origin::Typing && typing && canUndo && a == b && a == typingEnd && a == caret;
    if (!undoable) {
      canUndo = false;
      undoText.clear();
    } else if (!joins) {
      undoText = text;
      undoAnchor = anchor;
      undoCaret = caret;
      canUndo = true;
    }
    text.replace(static_cast<size_t>(a), static_cast<size_t>(b - a), s);
    anchor = caret = a + static_cast<int>(s.size());
    typing = origin == Origin::Typing;
    typingEnd = caret;
    modified = true;
    preferredX = -1;
    Changed();
    if (cut) {
      if (origin != Origin::Program) MessageBeep(0);
      Notify(EN_MAXTEXT);
    }
    return true;
  }

  // Without automatic scrolling the user cannot enter more than the control shows: a
  // single-line edit without ES_AUTOHSCROLL stops at its width, a multi-line one without
  // ES_AUTOVSCROLL or a vertical scroll bar at its height.
  bool Fits(int a, int b, const String& s) {
    const DWORD st = Style();
    const bool limitWidth = !multi && !(st & ES_AUTOHSCROLL);
    const bool limitHeight = multi && !(st & (ES_AUTOVSCROLL | WS_VSCROLL));
    if (!limitWidth && !limitHeight) return true;
    const String saved = text;
    const int oldTop = topLine, oldX = xOffset;
    text.replace(static_cast<size_t>(a), static_cast<size_t>(b - a), s);
    Layout();
    const bool fits = limitWidth ? lines[0].width <= FmtWidth()
                                 : static_cast<int>(lines.size()) <= VisibleLines() || s.empty();
    text = saved;
    Layout();
    topLine = oldTop;
    xOffset = oldX;
    return fits;
  }

  void Changed() {
    Layout();
    ScrollCaret();
    Redraw();
    Notify(EN_UPDATE);
    Notify(EN_CHANGE);
  }

  void SetText(const Char* s) {
    text = Cased(s ? String(s) : String());
    anchor = caret = 0;
    canUndo = false;
    undoText.clear();
    typing = false;
    modified = false;
    topLine = 0;
    xOffset = 0;
    preferredX = -1;
    Changed();
  }

  void Select(int a, int c) {
    anchor = std::clamp(a, 0, Len());
    caret = std::clamp(c, 0, Len());
    typing = false;
    ScrollCaret();
    Redraw();
  }

  bool Undo() {
    if (!canUndo) return false;
    std::swap(text, undoText);
    std::swap(anchor, undoAnchor);
    std::swap(caret, undoCaret);
    anchor = std::clamp(anchor, 0, Len());
    caret = std::clamp(caret, 0, Len());
    typing = false;
    modified = true;
    Changed();
    return true;
  }

  // ---- Moving ----
  int PrevChar(int p) const {
    if (p <= 0) return 0;
    --p;
    if (p > 0 && ((text[p] == u'\n' && text[p - 1] == u'\r') || (IsLow(text[p]) && IsHigh(text[p - 1])))) --p;
    return p;
  }
  int NextChar(int p) const {
    if (p >= Len()) return Len();
    ++p;
    if (p < Len() && ((text[p] == u'\n' && text[p - 1] == u'\r') || (IsLow(text[p]) && IsHigh(text[p - 1]))))
      ++p;
    return p;
  }
  int PrevWord(int p) const {
    if (p > 0 && IsBreak(text[p - 1])) return PrevChar(p);
    while (p > 0 && IsSpace(text[p - 1]) && !IsBreak(text[p - 1])) --p;
    if (p > 0 && IsWordChar(text[p - 1])) {
      while (p > 0 && IsWordChar(text[p - 1])) --p;
    } else {
      while (p > 0 && !IsWordChar(text[p - 1]) && !IsSpace(text[p - 1])) --p;
    }
    return p;
  }
  int NextWord(int p) const {
    const int n = Len();
    if (p < n && IsBreak(text[p])) return NextChar(p);
    if (p < n && IsWordChar(text[p])) {
      while (p < n && IsWordChar(text[p])) ++p;
    } else {
      while (p < n && !IsWordChar(text[p]) && !IsSpace(text[p])) ++p;
    }
    while (p < n && IsSpace(text[p]) && !IsBreak(text[p])) ++p;
    return p;
  }

  int LineStart(int line) const { return lines[line].start; }
  int LineEnd(int line) const {
    const Line& l = lines[line];
    int e = l.start + l.len;
    if (l.brk == 0 && line + 1 < static_cast<int>(lines.size())) {
      // A wrapped line: the end is before its hanging spaces' last character boundary.
      while (e > l.start && text[e - 1] == u' ') --e;
    }
    return e;
  }

  // Text the user selected is offered to other programs as the PRIMARY selection (not a
  // password's).
  void OfferSelection() const {
    if (anchor == caret || Password()) return;
    os::SetPrimarySelectionText(
        text.substr(static_cast<size_t>(SelMin()), static_cast<size_t>(SelMax() - SelMin())));
  }

  void MoveTo(int p, bool extend) {
    caret = std::clamp(p, 0, Len());
    if (!extend) anchor = caret;
    typing = false;
    ScrollCaret();
    Redraw();
  }

  int VerticalTarget(int delta) {
    const int line = LineOf(caret);
    if (preferredX < 0) preferredX = ContentX(line, caret);
    const int target = std::clamp(line + delta, 0, static_cast<int>(lines.size()) - 1);
    if (target == line) return delta < 0 ? (line == 0 ? caret : caret) : caret;
    return CharAtX(target, preferredX);
  }

  // ---- Keyboard ----
  void KeyDown(int vk) {
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    const int keepX = preferredX;
    preferredX = -1;
    switch (vk) {
      case VK_LEFT:
      case VK_RIGHT: {
        const bool left = vk == VK_LEFT;
        if (!shift && anchor != caret && !ctrl) {
          MoveTo(left ? SelMin() : SelMax(), false);
          return;
        }
        MoveTo(ctrl ? (left ? PrevWord(caret) : NextWord(caret)) : (left ? PrevChar(caret) : NextChar(caret)),
               shift);
        return;
      }
      case VK_UP:
      case VK_DOWN:
        if (!multi) {
          KeyDown(vk == VK_UP ? VK_LEFT : VK_RIGHT);
          return;
        }
        preferredX = keepX;
        {
          const int p = VerticalTarget(vk == VK_UP ? -1 : 1);
          const int x = preferredX;
          MoveTo(p, shift);
          preferredX = x;
        }
        return;
      case VK_PRIOR:
      case VK_NEXT:
        if (!multi) return;
        preferredX = keepX;
        {
          const int d = VisibleLines() * (vk == VK_PRIOR ? -1 : 1);
          const int p = VerticalTarget(d);
          const int x = preferredX;
          topLine = std::clamp(topLine + d, 0, MaxTop());
          MoveTo(p, shift);
          preferredX = x;
        }
        return;
      case VK_HOME:
        MoveTo(ctrl ? 0 : LineStart(LineOf(caret)), shift);
        return;
      case VK_END:
        MoveTo(ctrl ? Len() : LineEnd(LineOf(caret)), shift);
        return;
      case VK_DELETE:
        if (shift && !ctrl) {
          SendMessageW(hwnd, WM_CUT, 0, 0);
          return;
        }
        if (ReadOnly()) return;
        if (anchor != caret)
          Replace(SelMin(), SelMax(), {}, true, false, Origin::User);
        else if (caret < Len())
          Replace(caret, ctrl ? NextWord(caret) : NextChar(caret), {}, true, false, Origin::User);
        return;
      case VK_INSERT:
        if (shift && !ctrl) SendMessageW(hwnd, WM_PASTE, 0, 0);
        if (ctrl && !shift) SendMessageW(hwnd, WM_COPY, 0, 0);
        return;
      case VK_BACK:
        if (ctrl && !ReadOnly()) {
          if (anchor != caret)
            Replace(SelMin(), SelMax(), {}, true, false, Origin::User);
          else if (caret > 0)
            Replace(PrevWord(caret), caret, {}, true, false, Origin::User);
        }
        return;
      default:
        preferredX = keepX;
        return;
    }
  }

  void Char_(Char ch) {
    switch (ch) {
      case 1:  // Ctrl+A
        Select(0, Len());
        return;
      case 3:
        SendMessageW(hwnd, WM_COPY, 0, 0);
        return;
      case 22:
        SendMessageW(hwnd, WM_PASTE, 0, 0);
        return;
      case 24:
        SendMessageW(hwnd, WM_CUT, 0, 0);
        return;
      case 26:
        SendMessageW(hwnd, WM_UNDO, 0, 0);
        return;
      case 8:  // Backspace
        if (ReadOnly()) return;
        if (anchor != caret)
          Replace(SelMin(), SelMax(), {}, true, false, Origin::User);
        else if (caret > 0)
          Replace(PrevChar(caret), caret, {}, true, false, Origin::User);
        return;
      case u'\r':
      case u'\n':
        if (!multi) {
          MessageBeep(0);
          return;
        }
        if (ReadOnly()) return;
        Replace(SelMin(), SelMax(), u"\r\n", true, true, Origin::Typing);
        return;
      case u'\t':
        if (!multi || ReadOnly()) return;
        Replace(SelMin(), SelMax(), u"\t", true, true, Origin::Typing);
        return;
      default:
        break;
    }
    if (ch < 0x20 || ch == 0x7F) return;
    if (ReadOnly()) {
      MessageBeep(0);
      return;
    }
    if ((Style() & ES_NUMBER) && !(ch >= u'0' && ch <= u'9')) {
      MessageBeep(0);
      return;
    }
    Replace(SelMin(), SelMax(), String(1, ch), true, true, Origin::Typing);
  }

  // ---- Clipboard ----
  bool Copy() {
    if (Password() || anchor == caret) return false;
    const String s = text.substr(static_cast<size_t>(SelMin()), static_cast<size_t>(SelMax() - SelMin()));
    if (!OpenClipboard(hwnd)) return false;
    EmptyClipboard();
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, (s.size() + 1) * sizeof(Char));
    if (h) {
      auto* p = static_cast<Char*>(GlobalLock(h));
      std::copy(s.begin(), s.end(), p);
      p[s.size()] = 0;
      GlobalUnlock(h);
      SetClipboardData(CF_UNICODETEXT, h);
    }
    CloseClipboard();
    return true;
  }

  void Paste() {
    if (ReadOnly()) return;
    String s;
    if (!OpenClipboard(hwnd)) return;
    if (HGLOBAL h = GetClipboardData(CF_UNICODETEXT)) {
      const size_t n = GlobalSize(h) / sizeof(Char);
      auto* p = static_cast<const Char*>(GlobalLock(h));
      if (p) {
        size_t k = 0;
        while (k < n && p[k]) ++k;
        s.assign(p, k);
      }
      GlobalUnlock(h);
    }
    CloseClipboard();
    if (!multi) {
      const size_t br = s.find_first_of(u"\r\n");
      if (br != String::npos) s.resize(br);
    }
    if (s.empty()) return;
    Replace(SelMin(), SelMax(), std::move(s), true, true, Origin::User);
  }

  // ---- Painting ----
  void Paint(HDC dc) {
    RECT client;
    GetClientRect(hwnd, &client);
    const DWORD st = Style();
    const bool disabled = st & WS_DISABLED;
    const bool asStatic = disabled || (st & ES_READONLY);
    SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(asStatic ? COLOR_BTNFACE : COLOR_WINDOW));
    HBRUSH brush = nullptr;
    if (HWND parent = GetParent(hwnd))
      brush = reinterpret_cast<HBRUSH>(SendMessageW(parent, asStatic ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT,
                                                    reinterpret_cast<WPARAM>(dc),
                                                    reinterpret_cast<LPARAM>(hwnd)));
    if (!brush) brush = GetSysColorBrush(asStatic ? COLOR_BTNFACE : COLOR_WINDOW);
    if (disabled) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    FillRect(dc, &client, brush);
    const COLORREF textColour = GetTextColor(dc);
    HGDIOBJ oldFont = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    const int saved = SaveDC(dc);
    RECT clip = {std::max(client.Left, fmt.Left), std::max(client.Top, fmt.Top),
                 std::min(client.Right, fmt.Right),
                 std::min(client.Bottom, multi ? fmt.Bottom : client.Bottom)};
    IntersectClipRect(dc, clip.Left, clip.Top, clip.Right, clip.Bottom);
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, RtlReading() ? TA_RTLREADING : TA_LEFT);

    if (text.empty() && !cue.empty() && !multi && (!focused || cueWhenFocused)) {
      SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
      TextOutW(dc, fmt.Left, fmt.Top, cue.c_str(), static_cast<int>(cue.size()));
    }

    const bool showSel = anchor != caret && (focused || (st & ES_NOHIDESEL));
    const int s0 = SelMin(), s1 = SelMax();
    const int last = std::min(static_cast<int>(lines.size()), topLine + VisibleLines() + 1);
    for (int i = multi ? topLine : 0; i < last; ++i) {
      const Line& l = lines[i];
      const int y = fmt.Top + (i - topLine) * lineHeight;
      if (y >= clip.Bottom) break;
      const String d = Display(l.start, l.len);
      const std::vector<int> pos = LinePositions(i);
      const auto vis = cache.visual;
      const int x0 = fmt.Left - xOffset + AlignOffset(l);
      auto run = [&](int a, int b, bool selected) {
        if (a >= b) return;
        if (selected) {
          RECT r{x0 + pos[a], y, x0 + pos[b], y + lineHeight};
          FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
          SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        } else {
          SetTextColor(dc, textColour);
        }
        int k = a;
        while (k < b) {
          if (d[k] == u'\t') {
            ++k;
            continue;
          }
          int e = k;
          while (e < b && d[e] != u'\t') ++e;
          TextOutW(dc, x0 + pos[k], y, d.c_str() + k, e - k);
          k = e;
        }
      };
      const int a = showSel ? std::clamp(s0 - l.start, 0, l.len) : l.len;
      const int b = showSel ? std::clamp(s1 - l.start, 0, l.len) : l.len;
      if (!vis.order.empty()) {
        // Display order: the whole line at once, then the selected cells (spans of adjacent
        // cells on screen) highlighted and drawn again in the highlight colour.
        SetTextColor(dc, textColour);
        TextOutW(dc, x0, y, d.c_str(), l.len);
        std::vector<std::pair<int, int>> spans;
        for (int c : vis.order) {
          if (c < a || c >= b) continue;
          if (!spans.empty() && spans.back().second == vis.left[c])
            spans.back().second += vis.width[c];
          else
            spans.push_back({vis.left[c], vis.left[c] + vis.width[c]});
        }
        for (const auto& [from, to] : spans) {
          RECT r{x0 + from, y, x0 + to, y + lineHeight};
          FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
          const int kept = SaveDC(dc);
          IntersectClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);
          SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
          TextOutW(dc, x0, y, d.c_str(), l.len);
          RestoreDC(dc, kept);
        }
        continue;
      }
      run(0, a, false);
      run(a, b, true);
      run(b, l.len, false);
    }
    if (focused) {
      const POINT p = PosOf(caret);
      if (p.X >= clip.Left && p.X < clip.Right) PatBlt(dc, p.X, p.Y, 1, lineHeight, DSTINVERT);
    }
    RestoreDC(dc, saved);
    SelectObject(dc, oldFont);
  }

  // ---- Scroll bar and wheel scrolling ----
  void ScrollVert(int code) {
    int top = topLine;
    switch (code) {
      case SB_LINEUP:
        --top;
        break;
      case SB_LINEDOWN:
        ++top;
        break;
      case SB_PAGEUP:
        top -= VisibleLines();
        break;
      case SB_PAGEDOWN:
        top += VisibleLines();
        break;
      case SB_TOP:
        top = 0;
        break;
      case SB_BOTTOM:
        top = MaxTop();
        break;
      case SB_THUMBTRACK:
      case SB_THUMBPOSITION: {
        SCROLLINFO si;
        si.fMask = SIF_TRACKPOS | SIF_POS;
        GetScrollInfo(hwnd, SB_VERT, &si);
        top = code == SB_THUMBTRACK ? si.nTrackPos : si.nPos;
        break;
      }
      default:
        return;
    }
    SetTop(top);
  }

  void ScrollHorz(int code) {
    int x = xOffset;
    switch (code) {
      case SB_LINELEFT:
        x -= aveChar;
        break;
      case SB_LINERIGHT:
        x += aveChar;
        break;
      case SB_PAGELEFT:
        x -= FmtWidth();
        break;
      case SB_PAGERIGHT:
        x += FmtWidth();
        break;
      case SB_LEFT:
        x = 0;
        break;
      case SB_RIGHT:
        x = MaxX();
        break;
      case SB_THUMBTRACK:
      case SB_THUMBPOSITION: {
        SCROLLINFO si;
        si.fMask = SIF_TRACKPOS | SIF_POS;
        GetScrollInfo(hwnd, SB_HORZ, &si);
        x = code == SB_THUMBTRACK ? si.nTrackPos : si.nPos;
        break;
      }
      default:
        return;
    }
    SetXOffset(x);
  }

  int SetTop(int top) {
    const int old = topLine;
    topLine = std::clamp(top, 0, MaxTop());
    if (topLine != old) {
      UpdateScrollBars();
      PlaceCaret();
      Redraw();
    }
    return topLine - old;
  }

  void SetXOffset(int x) {
    const int old = xOffset;
    xOffset = std::clamp(x, 0, MaxX());
    if (xOffset != old) {
      UpdateScrollBars();
      PlaceCaret();
      Redraw();
    }
  }

  void Resized() {
    fmtSet = false;  // a new size brings the default formatting rectangle back
    ResetFormatRect();
    Layout();
    UpdateScrollBars();
    PlaceCaret();
    Redraw();
  }

  void SetFont(HFONT f) {
    font = f;
    FontMetrics();
    marginLeft = marginRight = FontMargin();
    fmtSet = false;
    ResetFormatRect();
    Layout();
    UpdateScrollBars();
    if (focused) {
      DestroyCaret();
      CreateCaret(hwnd, nullptr, 1, lineHeight);
      PlaceCaret();
      ShowCaret(hwnd);
    }
  }

  // The word (or run of spaces or punctuation) at a position.
  std::pair<int, int> WordAt(int p) const {
    const int n = Len();
    if (n == 0) return {0, 0};
    int at = std::min(p, n - 1);
    if (p == n || (IsBreak(text[at]) && at > 0)) at = std::max(0, p - 1);
    auto kind = [&](Char c) { return IsWordChar(c) ? 0 : IsSpace(c) ? 1 : 2; };
    if (IsBreak(text[at])) return {p, p};
    const int k = kind(text[at]);
    int a = at, b = at + 1;
    while (a > 0 && !IsBreak(text[a - 1]) && kind(text[a - 1]) == k) --a;
    while (b < n && !IsBreak(text[b]) && kind(text[b]) == k) ++b;
    return {a, b};
  }
};

std::mutex& EditTableMutex() {
  static std::mutex m;
  return m;
}
std::unordered_map<HWND, std::shared_ptr<Edit>>& EditTable() {
  static auto* t = new std::unordered_map<HWND, std::shared_ptr<Edit>>;
  return *t;
}

std::shared_ptr<Edit> Get(HWND h) {
  std::lock_guard lock(EditTableMutex());
  auto it = EditTable().find(h);
  return it == EditTable().end() ? nullptr : it->second;
}

LRESULT PackSel(int a, int b) {
  if (a > 0xFFFF || b > 0xFFFF) return -1;
  return static_cast<LRESULT>(static_cast<DWORD>(MAKELPARAM(a, b)));
}

LRESULT PackPoint(int x, int y) {
  return static_cast<LRESULT>(static_cast<DWORD>(
      MAKELPARAM(static_cast<WORD>(static_cast<int16_t>(x)), static_cast<WORD>(static_cast<int16_t>(y)))));
}

// Creation, text, font, painting and what the dialog manager asks.
std::optional<LRESULT> OnWindowMessage(Edit& ed, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE:
      ed.UpdateScrollBars();
      return 0;
    case WM_DESTROY:
      if (ed.focused) DestroyCaret();
      ed.focused = false;
      return DefWindowProcW(hwnd, msg, wParam, lParam);
    case WM_SETTEXT:
      ed.SetText(reinterpret_cast<const Char*>(lParam));
      DefWindowProcW(hwnd, msg, wParam, reinterpret_cast<LPARAM>(ed.text.c_str()));
      return TRUE;
    case WM_GETTEXT: {
      auto* buf = reinterpret_cast<Char*>(lParam);
      if (!buf || wParam == 0) return 0;
      size_t n = std::min(ed.text.size(), static_cast<size_t>(wParam) - 1);
      if (n > 0 && n < ed.text.size() && IsHigh(ed.text[n - 1])) --n;  // never half a pair
      std::copy_n(ed.text.data(), n, buf);
      buf[n] = 0;
      return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(ed.text.size());
    case WM_SETFONT:
      ed.SetFont(reinterpret_cast<HFONT>(wParam));
      if (LOWORD(lParam)) ed.Redraw();
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(ed.font);
    case WM_SIZE:
      ed.Resized();
      return 0;
    case WM_STYLECHANGED:
      ed.Layout();
      ed.Redraw();
      return 0;
    case WM_ENABLE:
      ed.Redraw();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      if (wParam) {
        ed.Paint(reinterpret_cast<HDC>(wParam));
        return 0;
      }
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      ed.Paint(dc);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      ed.Paint(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == hwnd) {
        SetCursor(LoadCursorW(nullptr, IDC_IBEAM));
        return TRUE;
      }
      return DefWindowProcW(hwnd, msg, wParam, lParam);
    case WM_GETDLGCODE: {
      LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
      if (ed.multi) {
        code |= DLGC_WANTALLKEYS;
        if (const auto* m = reinterpret_cast<const MSG*>(lParam); m && m->message == WM_KEYDOWN) {
          const auto vk = static_cast<int>(m->wParam);
          if (vk == VK_ESCAPE || vk == VK_TAB || (vk == VK_RETURN && !(ed.Style() & ES_WANTRETURN)))
            code &= ~DLGC_WANTALLKEYS;
        }
      }
      return code;
    }
    default:
      return std::nullopt;
  }
}

// Focus, keys, the mouse and the scroll bars.
std::optional<LRESULT> OnInput(Edit& ed, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SETFOCUS:
      ed.focused = true;
      CreateCaret(hwnd, nullptr, 1, ed.lineHeight);
      ed.PlaceCaret();
      ShowCaret(hwnd);
      ed.Redraw();
      ed.Notify(EN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      ed.focused = false;
      if (ed.dragging && GetCapture() == hwnd) ReleaseCapture();
      ed.dragging = false;
      DestroyCaret();
      ed.Redraw();
      ed.Notify(EN_KILLFOCUS);
      return 0;
    case WM_KEYDOWN: {
      const int anchor = ed.anchor, caret = ed.caret;
      ed.KeyDown(static_cast<int>(wParam));
      if (IsWindow(hwnd) && (ed.anchor != anchor || ed.caret != caret)) ed.OfferSelection();
      return 0;
    }
    case WM_CHAR:
      ed.Char_(static_cast<Char>(wParam));
      return 0;
    case WM_LBUTTONDOWN: {
      if (GetFocus() != hwnd) SetFocus(hwnd);
      const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ed.MoveTo(ed.CharFromPoint(p), (wParam & MK_SHIFT) != 0);
      ed.preferredX = -1;
      ed.dragging = true;
      SetCapture(hwnd);
      return 0;
    }
    case WM_MOUSEMOVE:
      if (ed.dragging && GetCapture() == hwnd) {
        const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        const int c = ed.CharFromPoint(p);
        if (c != ed.caret) ed.MoveTo(c, true);
      }
      return 0;
    case WM_LBUTTONUP:
      if (ed.dragging) {
        ed.dragging = false;
        if (GetCapture() == hwnd) ReleaseCapture();
        ed.Redraw();
        ed.OfferSelection();
      }
      return 0;
    case WM_CAPTURECHANGED:
      ed.dragging = false;
      return 0;
    case WM_LBUTTONDBLCLK: {
      const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      auto [a, b] = ed.WordAt(ed.CharFromPoint(p));
      ed.Select(a, b);
      ed.OfferSelection();
      return 0;
    }
    case WM_MOUSEWHEEL: {
      if (!ed.multi) return DefWindowProcW(hwnd, msg, wParam, lParam);
      UINT lines = 3;
      SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
      const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
      const int step = lines == WHEEL_PAGESCROLL ? ed.VisibleLines() : static_cast<int>(lines);
      if (notches) {
        ed.Notify(EN_VSCROLL);
        ed.SetTop(ed.topLine - notches * step);
      }
      return 0;
    }
    case WM_VSCROLL:
      if (!ed.multi) return 0;
      ed.Notify(EN_VSCROLL);
      ed.ScrollVert(LOWORD(wParam));
      return 0;
    case WM_HSCROLL:
      ed.Notify(EN_HSCROLL);
      ed.ScrollHorz(LOWORD(wParam));
      return 0;
    default:
      return std::nullopt;
  }
}

// The clipboard, undo, the selection and the settings that change editing.
std::optional<LRESULT> OnEditing(Edit& ed, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COPY:
      ed.Copy();
      return 0;
    case WM_CUT:
      if (ed.ReadOnly() || ed.Password()) return 0;
      if (ed.Copy()) ed.Replace(ed.SelMin(), ed.SelMax(), {}, true, false, Edit::Origin::User);
      return 0;
    case WM_PASTE:
      ed.Paste();
      return 0;
    case WM_CLEAR:
      if (!ed.ReadOnly() && ed.anchor != ed.caret)
        ed.Replace(ed.SelMin(), ed.SelMax(), {}, true, false, Edit::Origin::User);
      return 0;
    case WM_UNDO:
    case EM_UNDO:
      return ed.Undo() ? TRUE : FALSE;
    case EM_GETSEL:
      if (wParam) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(ed.SelMin());
      if (lParam) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(ed.SelMax());
      return PackSel(ed.SelMin(), ed.SelMax());
    case EM_SETSEL: {
      int a = static_cast<int>(static_cast<intptr_t>(wParam));
      int c = static_cast<int>(lParam);
      if (a == -1) {
        a = c = ed.caret;
      } else {
        if (a < 0) a = ed.Len();
        if (c < 0) c = ed.Len();
      }
      ed.Select(a, c);
      return 0;
    }
    case EM_REPLACESEL: {
      const auto* s = reinterpret_cast<const Char*>(lParam);
      ed.Replace(ed.SelMin(), ed.SelMax(), s ? String(s) : String(), wParam != 0, true,
                 Edit::Origin::Program);
      return 0;
    }
    case EM_CANUNDO:
      return ed.canUndo ? TRUE : FALSE;
    case EM_EMPTYUNDOBUFFER:
      ed.canUndo = false;
      ed.undoText.clear();
      ed.typing = false;
      return 0;
    case EM_LIMITTEXT: {
      UINT n = static_cast<UINT>(wParam);
      if (n == 0) n = ed.multi ? 0xFFFFFFFFu : 0x7FFFFFFEu;
      ed.limit = n;
      return 0;
    }
    case EM_GETLIMITTEXT:
      return static_cast<LRESULT>(ed.limit);
    case EM_SETREADONLY: {
      const DWORD st = ed.Style();
      SetWindowLongW(hwnd, GWL_STYLE, static_cast<LONG>(wParam ? (st | ES_READONLY) : (st & ~ES_READONLY)));
      ed.Redraw();
      return TRUE;
    }
    case EM_SETPASSWORDCHAR: {
      if (ed.multi) return 0;
      const DWORD st = ed.Style();
      const auto ch = static_cast<Char>(wParam);
      if (ch) ed.passwordChar = ch;
      SetWindowLongW(hwnd, GWL_STYLE, static_cast<LONG>(ch ? (st | ES_PASSWORD) : (st & ~ES_PASSWORD)));
      ed.Layout();
      ed.ScrollCaret();
      ed.Redraw();
      return 0;
    }
    case EM_GETPASSWORDCHAR:
      return ed.Password() ? ed.passwordChar : 0;
    case EM_SETMARGINS: {
      const bool fromFont = wParam == EC_USEFONTINFO;
      if (fromFont || (wParam & EC_LEFTMARGIN))
        ed.marginLeft = (fromFont || LOWORD(lParam) == EC_USEFONTINFO) ? ed.FontMargin() : LOWORD(lParam);
      if (fromFont || (wParam & EC_RIGHTMARGIN))
        ed.marginRight = (fromFont || HIWORD(lParam) == EC_USEFONTINFO) ? ed.FontMargin() : HIWORD(lParam);
      ed.fmtSet = false;
      ed.ResetFormatRect();
      ed.Layout();
      ed.UpdateScrollBars();
      ed.PlaceCaret();
      ed.Redraw();
      return 0;
    }
    case EM_GETMARGINS:
      return static_cast<LRESULT>(static_cast<DWORD>(MAKELPARAM(ed.marginLeft, ed.marginRight)));
    case EM_SETCUEBANNER: {
      if (ed.multi) return FALSE;
      const auto* s = reinterpret_cast<const Char*>(lParam);
      ed.cue = s ? String(s) : String();
      ed.cueWhenFocused = wParam != 0;
      ed.Redraw();
      return TRUE;
    }
    case EM_GETCUEBANNER: {
      auto* buf = reinterpret_cast<Char*>(wParam);
      const auto size = static_cast<size_t>(lParam);
      if (ed.multi || !buf || size == 0) return FALSE;
      const size_t n = std::min(ed.cue.size(), size - 1);
      std::copy_n(ed.cue.data(), n, buf);
      buf[n] = 0;
      return TRUE;
    }
    case EM_GETMODIFY:
      return ed.modified ? TRUE : FALSE;
    case EM_SETMODIFY:
      ed.modified = wParam != 0;
      return 0;
    case EM_SETTABSTOPS:
    case EM_FMTLINES:
      return FALSE;
    default:
      return std::nullopt;
  }
}

// Positions, lines, scrolling and the formatting rectangle.
std::optional<LRESULT> OnLinesAndScrolling(Edit& ed, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case EM_POSFROMCHAR: {
      const auto i = static_cast<intptr_t>(wParam);
      if (i < 0 || i > ed.Len()) return -1;
      const POINT p = ed.PosOf(static_cast<int>(i));
      return PackPoint(p.X, p.Y);
    }
    case EM_CHARFROMPOS: {
      const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      const int ch = ed.CharFromPoint(p);
      return static_cast<LRESULT>(static_cast<DWORD>(MAKELPARAM(ch, ed.multi ? ed.LineOf(ch) : 0)));
    }
    case EM_GETLINECOUNT:
      return static_cast<LRESULT>(ed.lines.size());
    case EM_LINEINDEX: {
      int line = static_cast<int>(static_cast<intptr_t>(wParam));
      if (line == -1) line = ed.LineOf(ed.caret);
      if (line < 0 || line >= static_cast<int>(ed.lines.size())) return -1;
      return ed.lines[line].start;
    }
    case EM_LINELENGTH: {
      const auto i = static_cast<intptr_t>(wParam);
      if (i == -1) {
        if (ed.anchor == ed.caret) return ed.lines[ed.LineOf(ed.caret)].len;
        const Line& a = ed.lines[ed.LineOf(ed.SelMin())];
        const Line& b = ed.lines[ed.LineOf(ed.SelMax())];
        return std::max(0, ed.SelMin() - a.start) + std::max(0, b.start + b.len - ed.SelMax());
      }
      if (i < 0 || i > ed.Len()) return 0;
      return ed.lines[ed.LineOf(static_cast<int>(i))].len;
    }
    case EM_LINEFROMCHAR: {
      const auto i = static_cast<intptr_t>(wParam);
      if (i < 0) return ed.LineOf(ed.SelMin());
      return ed.LineOf(static_cast<int>(std::min<intptr_t>(i, ed.Len())));
    }
    case EM_GETLINE: {
      auto* buf = reinterpret_cast<Char*>(lParam);
      if (!buf) return 0;
      const int line = ed.multi ? static_cast<int>(wParam) : 0;
      if (line < 0 || line >= static_cast<int>(ed.lines.size())) return 0;
      WORD max = 0;
      std::memcpy(&max, buf, sizeof(max));
      const Line& l = ed.lines[line];
      const int n = std::min<int>(l.len, max);
      std::copy_n(ed.text.data() + l.start, n, buf);
      return n;
    }
    case EM_LINESCROLL:
      if (!ed.multi) return FALSE;
      ed.SetXOffset(ed.xOffset + static_cast<int>(static_cast<intptr_t>(wParam)) * ed.aveChar);
      ed.SetTop(ed.topLine + static_cast<int>(lParam));
      return TRUE;
    case EM_SCROLL: {
      if (!ed.multi) return FALSE;
      int d = 0;
      switch (static_cast<int>(wParam)) {
        case SB_LINEUP:
          d = -1;
          break;
        case SB_LINEDOWN:
          d = 1;
          break;
        case SB_PAGEUP:
          d = -ed.VisibleLines();
          break;
        case SB_PAGEDOWN:
          d = ed.VisibleLines();
          break;
        default:
          return FALSE;
      }
      const int moved = ed.SetTop(ed.topLine + d);
      return static_cast<LRESULT>(
          static_cast<DWORD>(MAKELPARAM(static_cast<WORD>(static_cast<int16_t>(moved)), TRUE)));
    }
    case EM_SCROLLCARET:
      ed.ScrollCaret();
      ed.Redraw();
      return TRUE;
    case EM_GETFIRSTVISIBLELINE:
      if (ed.multi) return ed.topLine;
      return ed.CharAtX(0, ed.xOffset);
    case EM_GETRECT:
      if (lParam) *reinterpret_cast<RECT*>(lParam) = ed.fmt;
      return 0;
    case EM_SETRECT:
    case EM_SETRECTNP:
      if (lParam) {
        ed.fmt = *reinterpret_cast<const RECT*>(lParam);
        ed.fmtSet = true;
      } else {
        ed.fmtSet = false;
        ed.ResetFormatRect();
      }
      ed.Layout();
      ed.UpdateScrollBars();
      ed.PlaceCaret();
      if (msg == EM_SETRECT) ed.Redraw();
      return 0;
    default:
      return std::nullopt;
  }
}
}  // namespace

LRESULT EditWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto e = std::make_shared<Edit>(hwnd);
    const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    const DWORD style = cs ? static_cast<DWORD>(cs->style) : 0;
    e->multi = style & ES_MULTILINE;
    e->align = style & (ES_CENTER | ES_RIGHT);
    e->limit = kDefaultLimit;
    e->passwordChar = IsThemeActive() ? Char(0x25CF) : u'*';
    if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) e->text = cs->lpszName;
    if (e->multi && (style & WS_HSCROLL))
      SetWindowLongW(hwnd, GWL_STYLE, static_cast<LONG>(style | ES_AUTOHSCROLL));
    {
      std::lock_guard lock(EditTableMutex());
      EditTable()[hwnd] = e;
    }
    DefWindowProcW(hwnd, msg, wParam, lParam);
    e->FontMetrics();
    e->marginLeft = e->marginRight = e->FontMargin();
    e->ResetFormatRect();
    e->Layout();
    return TRUE;
  }
  std::shared_ptr<Edit> e = Get(hwnd);
  if (!e) return DefWindowProcW(hwnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    {
      std::lock_guard lock(EditTableMutex());
      EditTable().erase(hwnd);
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  Edit& ed = *e;
  for (auto handler : {OnWindowMessage, OnInput, OnEditing, OnLinesAndScrolling})
    if (std::optional<LRESULT> result = handler(ed, hwnd, msg, wParam, lParam)) return *result;
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace user

}  // namespace qd
