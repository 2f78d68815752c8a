// The modal move and size loops: by the caption and the frame with the mouse, by the
// program's own SC_MOVE / SC_SIZE with the keys, and the messages on the way.
#include <gtest/gtest.h>

#include "user_test_util.h"

namespace qd::testing {
namespace {

class MoveSize : public WmTest {
 protected:
  void SetUp() override {
    WmTest::SetUp();
    w_ = CreateRecorded("w", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    PumpMessages();
    GetWindowRect(w_, &start_);
    MessageLog::Get().Clear();
  }
  // A screen point of the window where the hit test answers `hit`.
  POINT Where(LRESULT hit) {
    for (int y = start_.Top; y < start_.Bottom; ++y)
      for (int x = start_.Left; x < start_.Right; x += 7)
        if (SendMessageW(w_, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == hit) return {x, y};
    ADD_FAILURE() << "no point with hit " << hit;
    return {0, 0};
  }
  void Drag(POINT from, std::initializer_list<POINT> steps) {
    os::InjectMouseMove(from);
    os::InjectMouseButton(WM_LBUTTONDOWN, from);
    POINT last = from;
    for (POINT d : steps) {
      last = {from.X + d.X, from.Y + d.Y};
      os::InjectMouseMove(last);
      // A key in between keeps the moves apart (the queue merges moves that follow each other).
      os::InjectKey(VK_F24, true);
      os::InjectKey(VK_F24, false);
    }
    os::InjectMouseButton(WM_LBUTTONUP, last);
    PumpMessages();
  }
  void Keys(std::initializer_list<int> vks) {
    for (int vk : vks) {
      os::InjectKey(vk, true);
      os::InjectKey(vk, false);
    }
  }
  std::vector<std::string> Loop() const {
    return MessageLog::Get().Lines({WM_SYSCOMMAND, WM_ENTERSIZEMOVE, WM_MOVING, WM_SIZING, WM_MOVE, WM_SIZE,
                                    WM_CAPTURECHANGED, WM_EXITSIZEMOVE});
  }
  RECT Rect() const {
    RECT r;
    GetWindowRect(w_, &r);
    return r;
  }

  HWND w_ = nullptr;
  RECT start_{};
};

TEST_F(MoveSize, DraggingTheCaptionMovesTheWindowInsideTheLoop) {
  std::vector<RECT> proposed;
  SetOverride(w_, [&](HWND, UINT m, WPARAM, LPARAM lp, LRESULT&) {
    if (m == WM_MOVING) proposed.push_back(*reinterpret_cast<RECT*>(lp));
    return false;
  });
  Drag(Where(HTCAPTION), {{30, 20}, {50, 40}});
  EXPECT_EQ(Loop(), (std::vector<std::string>{"w:WM_SYSCOMMAND", "w:WM_ENTERSIZEMOVE", "w:WM_MOVING",
                                              "w:WM_MOVE", "w:WM_MOVING", "w:WM_MOVE", "w:WM_CAPTURECHANGED",
                                              "w:WM_EXITSIZEMOVE"}));
  ASSERT_EQ(proposed.size(), 2u);
  EXPECT_EQ(proposed[0], (RECT{start_.Left + 30, start_.Top + 20, start_.Right + 30, start_.Bottom + 20}));
  EXPECT_EQ(Rect(), (RECT{start_.Left + 50, start_.Top + 40, start_.Right + 50, start_.Bottom + 40}));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(MoveSize, DraggingACornerSizesAndTheWindowMayCorrectTheRectangle) {
  std::vector<WPARAM> edges;
  // The window keeps a width of at least 320 pixels.
  SetOverride(w_, [&](HWND, UINT m, WPARAM wp, LPARAM lp, LRESULT&) {
    if (m == WM_SIZING) {
      edges.push_back(wp);
      auto* r = reinterpret_cast<RECT*>(lp);
      if (r->Width() < 320) r->Right = r->Left + 320;
    }
    return false;
  });
  Drag(Where(HTBOTTOMRIGHT), {{40, 30}, {-60, 10}});
  EXPECT_EQ(edges, (std::vector<WPARAM>{WMSZ_BOTTOMRIGHT, WMSZ_BOTTOMRIGHT}));
  EXPECT_EQ(Rect(), (RECT{start_.Left, start_.Top, start_.Left + 320, start_.Bottom + 10}));
  const std::vector<std::string> loop = Loop();
  ASSERT_GE(loop.size(), 3u);
  EXPECT_EQ(loop[1], "w:WM_ENTERSIZEMOVE");
  EXPECT_EQ(loop.back(), "w:WM_EXITSIZEMOVE");
  // The left edge moves the left side only.
  GetWindowRect(w_, &start_);
  Drag(Where(HTLEFT), {{-25, 50}});
  EXPECT_EQ(Rect(), (RECT{start_.Left - 25, start_.Top, start_.Right, start_.Bottom}));
}

TEST_F(MoveSize, TheProgramsOwnMoveAndSizeGoByTheKeys) {
  // Right, Right, Down, Enter: 8 pixels a press.
  Keys({VK_RIGHT, VK_RIGHT, VK_DOWN, VK_RETURN});
  SendMessageW(w_, WM_SYSCOMMAND, SC_MOVE, 0);
  EXPECT_EQ(Rect(), (RECT{start_.Left + 16, start_.Top + 8, start_.Right + 16, start_.Bottom + 8}));
  EXPECT_EQ(Loop().front(), "w:WM_SYSCOMMAND");
  EXPECT_EQ(Loop().back(), "w:WM_EXITSIZEMOVE");
  // A size: the first arrow picks the edge; Escape puts everything back.
  GetWindowRect(w_, &start_);
  Keys({VK_DOWN, VK_DOWN, VK_ESCAPE});
  SendMessageW(w_, WM_SYSCOMMAND, SC_SIZE, 0);
  EXPECT_EQ(Rect(), start_);
  Keys({VK_LEFT, VK_LEFT, VK_RETURN});
  SendMessageW(w_, WM_SYSCOMMAND, SC_SIZE, 0);
  EXPECT_EQ(Rect(), (RECT{start_.Left - 16, start_.Top, start_.Right, start_.Bottom}));
  // Neither a maximised window nor a window without a sizing frame has a loop.
  ShowWindow(w_, SW_MAXIMIZE);
  MessageLog::Get().Clear();
  SendMessageW(w_, WM_SYSCOMMAND, SC_MOVE, 0);
  EXPECT_EQ(Loop(), (std::vector<std::string>{"w:WM_SYSCOMMAND"}));
}

}  // namespace
}  // namespace qd::testing
