#include "platform/unique_owner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace corvane::platform {
namespace {

// Handles are small numbers, 0 is the invalid one; closing one records it.
std::vector<int> closed;

struct FakeTraits {
  using Handle = int;
  static constexpr HandleKind kind = HandleKind::kRegistryKey;
  static Handle invalid() noexcept { return 0; }
  static void close(Handle h) noexcept { closed.push_back(h); }
};
using Owner = UniqueHandle<FakeTraits>;

// A creating call that fills its out-parameter, as RegOpenKeyEx does; 0 for a failure.
void Create(int* out, int handle) { *out = handle; }

struct Case {
  const char* what;
  // Runs with owners still alive and returns how many the count says are
  // alive then, relative to the start.
  std::function<long(long before)> body;
  long live_inside;
  std::vector<int> closed_inside;  // closed before the body's owners go
  std::vector<int> closed_in_all;  // once all of them are gone
};

TEST(UniqueOwnerCounts, TakingMovingResettingReleasing) {
  const auto live = [](long before) { return LiveHandles(HandleKind::kRegistryKey) - before; };
  const Case cases[] = {
      {"taken at construction", [&](long b) { Owner a(7); return live(b); }, 1, {}, {7}},
      {"an invalid handle is not counted", [&](long b) { Owner a(0); return live(b); }, 0, {}, {}},
      {"a move hands it on", [&](long b) { Owner a(7); Owner c(std::move(a)); return live(b); }, 1, {}, {7}},
      {"move assignment closes the target's own",
       [&](long b) { Owner a(7); Owner c(8); c = std::move(a); return live(b); }, 1, {8}, {8, 7}},
      {"moving onto itself keeps it",
       [&](long b) {
         Owner a(7);
         Owner& same = a;
         a = std::move(same);
         return live(b);
       },
       1, {}, {7}},
      {"reset to another closes the first",
       [&](long b) { Owner a(7); a.reset(8); return live(b); }, 1, {7}, {7, 8}},
      {"reset to nothing", [&](long b) { Owner a(7); a.reset(); return live(b); }, 0, {7}, {7}},
      {"release gives it away uncounted and unclosed",
       [&](long b) { Owner a(7); (void)a.release(); return live(b); }, 0, {}, {}},
      {"release of an empty owner", [&](long b) { Owner a; (void)a.release(); return live(b); }, 0, {}, {}},
      {"an out-parameter that is filled",
       [&](long b) { Owner a; Create(a.put(), 9); return live(b); }, 1, {}, {9}},
      {"an out-parameter that stays empty closes the old handle",
       [&](long b) { Owner a(7); Create(a.put(), 0); return live(b); }, 0, {7}, {7}},
      {"an out-parameter refilled",
       [&](long b) { Owner a(7); Create(a.put(), 9); return live(b); }, 1, {7}, {7, 9}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    closed.clear();
    const long before = LiveHandles(HandleKind::kRegistryKey);
    const long inside = c.body(before);
    // The body's owners are gone now; what was closed while they lived came first.
    const std::vector<int> closed_inside(closed.begin(),
                                         closed.begin() + static_cast<long>(std::min(closed.size(), c.closed_inside.size())));
    EXPECT_EQ(inside, c.live_inside);
    EXPECT_EQ(closed_inside, c.closed_inside);
    EXPECT_EQ(closed, c.closed_in_all);
    EXPECT_EQ(LiveHandles(HandleKind::kRegistryKey), before) << "every owner gone, the count is back";
  }
}

struct FontTraits : FakeTraits {
  static constexpr HandleKind kind = HandleKind::kGdiObject;
};

TEST(UniqueOwnerCounts, KindsAreKeptApart) {
  const long keys = LiveHandles(HandleKind::kRegistryKey);
  const long gdi = LiveHandles(HandleKind::kGdiObject);
  {
    UniqueHandle<FontTraits> font(3);
    Owner key(4);
    Owner other(5);
    EXPECT_EQ(LiveHandles(HandleKind::kGdiObject), gdi + 1);
    EXPECT_EQ(LiveHandles(HandleKind::kRegistryKey), keys + 2);
  }
  EXPECT_EQ(LiveHandles(HandleKind::kGdiObject), gdi);
  EXPECT_EQ(LiveHandles(HandleKind::kRegistryKey), keys);
}

TEST(LiveHandlesAnswer, KnownKindsAndOthers) {
  Owner key(4);
  EXPECT_EQ(LiveHandlesAnswer(static_cast<unsigned long long>(HandleKind::kRegistryKey)),
            LiveHandles(HandleKind::kRegistryKey));
  EXPECT_EQ(LiveHandlesAnswer(kHandleKindCount), -1);
  EXPECT_EQ(LiveHandlesAnswer(~0ULL), -1);
}

}  // namespace
}  // namespace corvane::platform
