#include <gtest/gtest.h>

#include <string>

#include "platform/base/object.h"
#include "ui/core/dxCoreClasses.h"

namespace qd {
namespace {

using TNotify = TMethod<void(TObject* Sender)>;

struct Listener {
  std::string* log;
  char name;
  TdxMulticastMethod<TNotify>* event = nullptr;
  TNotify removeDuringCall;
  TNotify addDuringCall;
  void Handle(TObject*) {
    *log += name;
    if (event && removeDuringCall) event->Remove(removeDuringCall);
    if (event && addDuringCall) event->Add(addDuringCall);
  }
};

TEST(MulticastMethod, DuplicatesAndRemoval) {
  std::string log;
  Listener a{&log, 'a'}, b{&log, 'b'};
  TdxMulticastMethod<TNotify> ev;
  ev(nullptr);  // no handler ever added: nothing happens
  EXPECT_TRUE(ev.Empty());

  const TNotify ha = MakeMethod(&a, &Listener::Handle);
  const TNotify hb = MakeMethod(&b, &Listener::Handle);
  ev.Add(ha);
  ev.Add(hb);
  ev.Add(ha);
  ev(nullptr);
  EXPECT_EQ(log, "aba");
  ev.Remove(ha);  // the first entry only
  log.clear();
  ev(nullptr);
  EXPECT_EQ(log, "ba");
  ev.Remove(TNotify(&b, &Listener::Handle));  // equal by object and method
  ev.Remove(hb);                              // absent: nothing
  log.clear();
  ev(nullptr);
  EXPECT_EQ(log, "a");
  ev.Clear();
  log.clear();
  ev(nullptr);
  EXPECT_EQ(log, "");
}

TEST(MulticastMethod, CopiesShareHandlers) {
  std::string log;
  Listener a{&log, 'a'}, b{&log, 'b'};
  TdxMulticastMethod<TNotify> first;
  TdxMulticastMethod<TNotify> early = first;  // copied before any Add: separate
  first.Add(MakeMethod(&a, &Listener::Handle));
  TdxMulticastMethod<TNotify> copy = first;
  copy.Add(MakeMethod(&b, &Listener::Handle));
  first(nullptr);
  EXPECT_EQ(log, "ab");
  log.clear();
  early(nullptr);
  EXPECT_EQ(log, "");
  TdxMulticastMethod<TNotify> cloned;
  early.Clone(cloned);
  cloned.Add(MakeMethod(&a, &Listener::Handle));
  early(nullptr);
  EXPECT_EQ(log, "a");
}

TEST(MulticastMethod, ChangesDuringACall) {
  std::string log;
  Listener a{&log, 'a'}, b{&log, 'b'}, c{&log, 'c'};
  TdxMulticastMethod<TNotify> ev;
  const TNotify hb = MakeMethod(&b, &Listener::Handle);
  const TNotify hc = MakeMethod(&c, &Listener::Handle);
  a.event = &ev;
  a.removeDuringCall = hb;  // removed before its turn: not called
  a.addDuringCall = hc;     // added during the call: called from the next call on
  ev.Add(MakeMethod(&a, &Listener::Handle));
  ev.Add(hb);
  ev(nullptr);
  EXPECT_EQ(log, "a");
  a.event = nullptr;
  log.clear();
  ev(nullptr);
  EXPECT_EQ(log, "ac");
}

TEST(MulticastMethod, ForwardsArguments) {
  using TValueEvent = TMethod<void(int, const std::string&, int&)>;
  struct Summer {
    void Add(int v, const std::string& s, int& total) { total += v * static_cast<int>(s.size()); }
  } s1, s2;
  TdxMulticastMethod<TValueEvent> ev;
  ev.Add(MakeMethod(&s1, &Summer::Add));
  ev.Add(MakeMethod(&s2, &Summer::Add));
  int total = 0;
  ev.Invoke(3, std::string("ab"), total);
  EXPECT_EQ(total, 12);
}

}  // namespace
}  // namespace qd
