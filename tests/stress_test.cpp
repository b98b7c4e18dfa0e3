// 10,000 opens and closes of the gift-sources window on the headless backend: the program stays
// consistent and its resident memory stays flat after the first 100 cycles.
#include <fstream>

#include "program/program.h"
#include "tests/runtime_support.h"

#if defined(__SANITIZE_ADDRESS__)
#define UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define UNDER_ASAN 1
#endif
#endif

namespace {

#ifdef UNDER_ASAN
constexpr bool kUnderAddressSanitizer = true;
#else
constexpr bool kUnderAddressSanitizer = false;
#endif

using namespace test;

long ResidentKiB() {
  std::ifstream status("/proc/self/status");
  std::string key;
  long value = 0;
  while (status >> key) {
    if (key == "VmRSS:") {
      status >> value;
      return value;
    }
    status.ignore(4096, '\n');
  }
  return 0;
}

TEST(StressTest, TenThousandOpensAndClosesKeepMemoryFlat) {
  const int cycles = std::getenv("STRESS_CYCLES") ? std::atoi(std::getenv("STRESS_CYCLES")) : 10000;
  RuntimeHarness t;
  runtime::Runtime& rt = t.Start();
  long after_warm_up = 0, peak_after = 0;
  int opened = 0;
  std::function<void()> open_step, close_step;
  open_step = [&] {
    ASSERT_TRUE(t.p().IsEnabled(t.Top(kMain)));
    t.Click(kMain, "按钮1");
  };
  close_step = [&] {
    ASSERT_TRUE(rt.Loaded(kGifts));
    ASSERT_FALSE(t.p().IsEnabled(t.Top(kMain)));
    ++opened;
    if (opened == 100) after_warm_up = ResidentKiB();
    if (opened > 100) peak_after = std::max(peak_after, ResidentKiB());
    t.backend().Key(platform::key::kEscape);
    if (opened < cycles) {
      t.backend().Then(open_step);
      t.backend().Then(close_step);
    } else {
      t.backend().Then([&] { t.backend().Key(platform::key::kEscape); });
    }
  };
  t.backend().Then(open_step);
  t.backend().Then(close_step);
  EXPECT_EQ(rt.RunProgram(StartUp), 0);
  EXPECT_EQ(opened, cycles);
  // The address sanitizer keeps freed memory in quarantine: resident size says nothing there, the
  // leak check at exit does.
  const bool measure = !kUnderAddressSanitizer;
  if (measure && cycles > 100) {
    std::printf("resident after 100 cycles: %ld KiB, highest after: %ld KiB\n", after_warm_up,
                peak_after);
    EXPECT_LE(peak_after - after_warm_up, 1024) << "resident memory grew by more than 1 MiB";
  }
}

}  // namespace
