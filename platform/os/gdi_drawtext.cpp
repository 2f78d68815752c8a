// DrawText: formatted text in a rectangle (alignment, line breaks, word wrap, ellipses,
// prefixes, tabs), measuring with DT_CALCRECT.
#include <algorithm>

#include "platform/os/gdi_text.h"

namespace qd::gdi {

namespace {

struct Item {
  char16_t c;
  bool underline;  // a prefixed character
  int32_t src;     // index in the caller's text
};
using Line = std::vector<Item>;

bool IsFullWidth(char16_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
         (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFE6);
}

struct Layout {
  Dc* dc;
  FontFace* face;
  UINT flags;
  int32_t tabWidth;

  std::vector<int32_t> Advances(const Line& line) const {
    std::u16string s;
    s.reserve(line.size());
    for (const Item& it : line) s += it.c;
    std::vector<int32_t> adv = TextAdvances(*dc, *face, s.data(), s.size(), (flags & DT_RTLREADING) != 0);
    int32_t pos = 0;
    for (size_t i = 0; i < line.size(); ++i) {
      if (line[i].c == u'\t')
        adv[i] = (flags & DT_EXPANDTABS) && tabWidth > 0 ? tabWidth - pos % tabWidth : 0;
      pos += adv[i];
    }
    return adv;
  }
  int32_t Width(const Line& line) const {
    int32_t w = 0;
    for (int32_t a : Advances(line)) w += a;
    return w;
  }
  Line Ellipsis() const { return {{u'.', false, -1}, {u'.', false, -1}, {u'.', false, -1}}; }
  // The longest prefix of `line` that fits `width` together with an ellipsis after it.
  Line EndEllipsis(const Line& line, int32_t width, bool atWord) const {
    int32_t dots = Width(Ellipsis());
    std::vector<int32_t> adv = Advances(line);
    int32_t w = 0;
    size_t n = 0;
    while (n < line.size() && w + adv[n] + dots <= width) w += adv[n++];
    if (atWord) {
      size_t k = n;
      while (k > 0 && line[k - 1].c != u' ' && n < line.size()) --k;
      if (k > 0) n = k;
    }
    while (n > 0 && line[n - 1].c == u' ' && atWord) --n;
    Line out(line.begin(), line.begin() + static_cast<ptrdiff_t>(n));
    Line e = Ellipsis();
    out.insert(out.end(), e.begin(), e.end());
    return out;
  }
  Line PathEllipsis(const Line& line, int32_t width) const {
    size_t sep = line.size();
    for (size_t i = line.size(); i > 0; --i)
      if (line[i - 1].c == u'\\' || line[i - 1].c == u'/') {
        sep = i - 1;
        break;
      }
    if (sep == line.size()) return (flags & DT_END_ELLIPSIS) ? EndEllipsis(line, width, false) : line;
    Line tail(line.begin() + static_cast<ptrdiff_t>(sep), line.end());
    Line dots = Ellipsis();
    for (size_t keep = sep; keep-- > 0;) {
      Line candidate(line.begin(), line.begin() + static_cast<ptrdiff_t>(keep));
      candidate.insert(candidate.end(), dots.begin(), dots.end());
      candidate.insert(candidate.end(), tail.begin(), tail.end());
      if (Width(candidate) <= width) return candidate;
    }
    Line out = dots;
    out.insert(out.end(), tail.begin(), tail.end());
    if ((flags & DT_END_ELLIPSIS) && Width(out) > width) return EndEllipsis(out, width, false);
    return out;
  }
  Line Shorten(const Line& line, int32_t width) const {
    if (Width(line) <= width) return line;
    if (flags & DT_PATH_ELLIPSIS) return PathEllipsis(line, width);
    if (flags & DT_WORD_ELLIPSIS) return EndEllipsis(line, width, true);
    if (flags & DT_END_ELLIPSIS) return EndEllipsis(line, width, false);
    return line;
  }

  // Wraps one paragraph at blanks (and between full-width characters).
  void Wrap(const Line& para, int32_t width, std::vector<Line>& out) const {
    size_t start = 0;
    while (true) {
      if (start >= para.size()) {
        if (start == 0) out.push_back({});
        return;
      }
      Line rest(para.begin() + static_cast<ptrdiff_t>(start), para.end());
      std::vector<int32_t> adv = Advances(rest);
      int32_t w = 0;
      size_t i = 0, lastBreak = 0;
      bool overflow = false;
      for (; i < rest.size(); ++i) {
        char16_t c = rest[i].c;
        bool fullWidthBreak = !(flags & DT_NOFULLWIDTHCHARBREAK) && IsFullWidth(c) && i > 0;
        if (fullWidthBreak) lastBreak = i;
        if (c != u' ' && w + adv[i] > width && i > 0) {
          overflow = true;
          break;
        }
        w += adv[i];
        if (c == u' ' || c == u'\t') lastBreak = i + 1;
      }
      if (!overflow) {
        out.push_back(rest);
        return;
      }
      size_t cut;
      if (lastBreak > 0) {
        cut = lastBreak;
      } else if (flags & DT_EDITCONTROL) {
        cut = i;  // break the long word between characters
      } else {
        // A word longer than the line stays whole (or ends in an ellipsis).
        cut = i;
        while (cut < rest.size() && rest[cut].c != u' ') ++cut;
        Line word(rest.begin(), rest.begin() + static_cast<ptrdiff_t>(cut));
        if (flags & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS)) word = EndEllipsis(word, width, false);
        out.push_back(word);
        size_t next = cut;
        while (next < rest.size() && rest[next].c == u' ') ++next;
        start += next;
        continue;
      }
      Line line(rest.begin(), rest.begin() + static_cast<ptrdiff_t>(cut));
      while (!line.empty() && (line.back().c == u' ' || line.back().c == u'\t')) line.pop_back();
      out.push_back(line);
      size_t next = cut;
      while (next < rest.size() && rest[next].c == u' ') ++next;
      start += next;
    }
  }
};

// The characters to draw. With prefixes, "&x" underlines x and "&&" is "&"; a lone "&" at the
// end is dropped.
Line ReadItems(const WCHAR* text, size_t n, bool prefixes) {
  Line all;
  for (size_t i = 0; i < n; ++i) {
    char16_t c = text[i];
    if (prefixes && c == u'&') {
      if (i + 1 < n && text[i + 1] == u'&') {
        all.push_back({u'&', false, static_cast<int32_t>(i)});
        ++i;
      } else if (i + 1 < n) {
        ++i;
        all.push_back({text[i], true, static_cast<int32_t>(i)});
      }
      continue;
    }
    all.push_back({c, false, static_cast<int32_t>(i)});
  }
  return all;
}

// Lines of several-line text: a paragraph ends at CR, LF or CR LF and, with DT_WORDBREAK, wraps
// at `width`. Text always makes at least one line.
void BreakLines(const Line& all, Layout& lay, int32_t width, std::vector<Line>& lines) {
  Line para;
  auto flush = [&] {
    if (lay.flags & DT_WORDBREAK)
      lay.Wrap(para, width, lines);
    else
      lines.push_back(para);
    para.clear();
  };
  for (size_t i = 0; i < all.size(); ++i) {
    char16_t c = all[i].c;
    if (c == u'\r' || c == u'\n') {
      if (c == u'\r' && i + 1 < all.size() && all[i + 1].c == u'\n') ++i;
      flush();
      continue;
    }
    para.push_back(all[i]);
  }
  if (!para.empty() || lines.empty()) flush();
}

// Underlines the prefixed characters of a line drawn at (x, y), in the text colour, inside
// `clip` when given.
void UnderlinePrefixed(HDC h, const Dc& dc, const FontFace& face, const Line& l,
                       const std::vector<int32_t>& adv, const std::vector<int32_t>& cellLeft, int32_t x,
                       int32_t y, const RECT* clip) {
  const TEXTMETRICW& tm = face.Metrics();
  for (size_t i = 0; i < l.size(); ++i) {
    int32_t px = x + cellLeft[i];
    if (l[i].underline && adv[i] > 0) {
      RECT u{px, y + tm.tmAscent + face.underlinePos, px + adv[i],
             y + tm.tmAscent + face.underlinePos + face.underlineThickness};
      if (clip) {
        u.Left = std::max(u.Left, clip->Left);
        u.Top = std::max(u.Top, clip->Top);
        u.Right = std::min(u.Right, clip->Right);
        u.Bottom = std::min(u.Bottom, clip->Bottom);
      }
      if (!u.IsEmpty()) {
        HBRUSH b = CreateSolidBrush(dc.s.textColor);
        FillRect(h, &u, b);
        DeleteObject(b);
      }
    }
  }
}

}  // namespace

int DrawTextCore(HDC h, LPWSTR text, int count, LPRECT rect, UINT format, DRAWTEXTPARAMS* params) {
  Dc* dc = FindDc(h);
  if (!dc || !rect || (!text && count != 0) || count < -1) return 0;
  if (params && params->cbSize != sizeof(DRAWTEXTPARAMS)) return 0;
  size_t n = 0;
  if (count == -1)
    while (text[n]) ++n;
  else
    n = static_cast<size_t>(count);
  if (params) params->uiLengthDrawn = static_cast<UINT>(n);
  if (n == 0) return 0;
  auto face = DcFace(*dc);
  if (!face) return 0;
  const TEXTMETRICW& tm = face->Metrics();
  UINT flags = format;
  int tabChars = 8;
  if (format & DT_TABSTOP) {
    tabChars = static_cast<int>((format >> 8) & 0xFF);
    flags &= ~0xFF00u;
  }
  if (params && params->iTabLength > 0) tabChars = params->iTabLength;
  int32_t lineHeight = tm.tmHeight + ((flags & DT_EXTERNALLEADING) ? tm.tmExternalLeading : 0);
  *rect = ClampRect(*rect);
  if (params) {
    params->iLeftMargin = std::clamp(params->iLeftMargin, -kCoordLimit, kCoordLimit);
    params->iRightMargin = std::clamp(params->iRightMargin, -kCoordLimit, kCoordLimit);
  }
  int32_t left = rect->Left + (params ? params->iLeftMargin : 0);
  int32_t right = rect->Right - (params ? params->iRightMargin : 0);
  int32_t width = right - left;
  Layout lay{dc, face.get(), flags, tabChars * tm.tmAveCharWidth};

  const bool prefixes = !(flags & DT_NOPREFIX);
  const bool single = flags & DT_SINGLELINE;
  const Line all = ReadItems(text, n, prefixes);
  std::vector<Line> lines;
  if (single)
    lines.push_back(all);
  else
    BreakLines(all, lay, width, lines);
  bool shortened = false;
  if (flags & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS)) {
    for (Line& l : lines) {
      if ((flags & DT_WORDBREAK) && !single && !(flags & DT_PATH_ELLIPSIS)) continue;  // done while wrapping
      Line s = lay.Shorten(l, width);
      if (s.size() != l.size()) shortened = true;
      l = std::move(s);
    }
  }
  if ((flags & DT_MODIFYSTRING) && shortened && text && lines.size() == 1) {
    size_t k = 0;
    for (const Item& it : lines[0]) {
      if (k + 1 >= n + 4) break;
      text[k++] = it.c;
    }
    text[k] = 0;
  }

  auto textHeight = static_cast<int32_t>(lines.size()) * lineHeight;
  int32_t top = rect->Top;
  if (single) {
    if (flags & DT_VCENTER)
      top = rect->Top + (rect->Bottom - rect->Top - lineHeight) / 2;
    else if (flags & DT_BOTTOM)
      top = rect->Bottom - lineHeight;
  }

  if (flags & DT_CALCRECT) {
    int32_t maxWidth = 0;
    for (const Line& l : lines) maxWidth = std::max(maxWidth, lay.Width(l));
    rect->Right = left + maxWidth + (params ? params->iRightMargin : 0);
    rect->Bottom = rect->Top + textHeight;
    return single && (flags & (DT_VCENTER | DT_BOTTOM)) ? (top - rect->Top) + lineHeight : textHeight;
  }

  RECT clip = *rect;
  UINT options = (flags & DT_NOCLIP) ? 0 : ETO_CLIPPED;
  int32_t y = top;
  for (size_t li = 0; li < lines.size(); ++li, y += lineHeight) {
    // An edit control shows no partly visible last line.
    if ((flags & DT_EDITCONTROL) && !single && li > 0 && y + lineHeight > rect->Bottom) break;
    const Line& l = lines[li];
    std::vector<int32_t> adv = lay.Advances(l);
    int32_t w = 0;
    for (int32_t a : adv) w += a;
    int32_t x = left;
    if (flags & DT_CENTER)
      x = left + (width - w) / 2;
    else if (flags & DT_RIGHT)
      x = right - w;
    std::u16string s;
    for (const Item& it : l) s += it.c;
    const bool rtl = (flags & DT_RTLREADING) != 0;
    if (!(flags & DT_PREFIXONLY))
      TextOutCore(*dc, x, y, options | (rtl ? ETO_RTLREADING : 0), &clip, s.data(), s.size(), adv.data(),
                  TA_LEFT | TA_TOP);
    const bool anyPrefixed = std::any_of(l.begin(), l.end(), [](const Item& it) { return it.underline; });
    if (prefixes && !(flags & DT_HIDEPREFIX) && anyPrefixed) {
      // Where each character's cell went once the line was put in display order.
      std::vector<int32_t> cellLeft(adv.size(), 0), clusterLeft;
      if (rtl || NeedsShaping(*face, s.data(), s.size())) {
        UnitPositions(ShapeText(*face, s.data(), s.size(), rtl), adv, cellLeft, clusterLeft);
      } else {
        for (size_t i = 1; i < adv.size(); ++i) cellLeft[i] = cellLeft[i - 1] + adv[i - 1];
      }
      UnderlinePrefixed(h, *dc, *face, l, adv, cellLeft, x, y, (options & ETO_CLIPPED) ? &clip : nullptr);
    }
  }
  return single && (flags & (DT_VCENTER | DT_BOTTOM)) ? (top - rect->Top) + lineHeight : textHeight;
}

}  // namespace qd::gdi

namespace qd {

int DrawTextW(HDC dc, LPCWSTR text, int count, LPRECT rect, UINT format) {
  // DT_MODIFYSTRING writes into the caller's buffer, as the original does.
  return gdi::DrawTextCore(dc, const_cast<LPWSTR>(text), count, rect, format, nullptr);
}

int DrawTextExW(HDC dc, LPWSTR text, int count, LPRECT rect, UINT format, DRAWTEXTPARAMS* params) {
  return gdi::DrawTextCore(dc, text, count, rect, format, params);
}

}  // namespace qd
