// The clock sampler's threading, with a sample function the test controls:
// at most one sample pending, taken once, on a thread of its own, and a
// wait that ends even when the sample does not.
#include "cpu/clock_sampler.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <stdexcept>
#include <thread>

namespace corvane::cpu {
namespace {

using namespace std::chrono_literals;

// A sample that counts its runs, notes its thread, and (when gated) waits
// for the test to open the gate before it answers. Each run answers with
// its own number in tsc_ticks.
class FakeSample {
 public:
  explicit FakeSample(bool gated = false) {
    if (!gated) Open();
  }

  void Open() {
    if (!opened_.exchange(true)) gate_.set_value();
  }
  ClockSampler::SampleFunction Function() {
    return [this]() -> std::optional<ClockSample> {
      const int run = ++runs_;
      thread_ = std::this_thread::get_id();
      open_.wait_for(10s);  // a test that fails before opening the gate must not hang
      if (fail_) throw std::runtime_error("sample failed");
      if (none_) return std::nullopt;
      finished_ = true;
      return ClockSample{static_cast<std::uint64_t>(run), 1, 2};
    };
  }

  std::atomic<int> runs_{0};
  std::atomic<bool> finished_{false};
  std::atomic<bool> fail_{false}, none_{false};
  std::thread::id thread_;

 private:
  std::promise<void> gate_;
  std::shared_future<void> open_ = gate_.get_future().share();
  std::atomic<bool> opened_{false};
};

TEST(ClockSampler, StartedSampleRunsElsewhereAndIsTakenOnce) {
  FakeSample sample(/*gated=*/true);
  ClockSampler sampler(sample.Function());
  sampler.Start();  // returns at once: the sample is waiting at the gate
  EXPECT_TRUE(sampler.pending());
  sampler.Start();  // still pending: not doubled
  sample.Open();
  EXPECT_EQ(sampler.Take(5s), (ClockSample{1, 1, 2}));
  EXPECT_EQ(sample.runs_, 1);
  EXPECT_NE(sample.thread_, std::this_thread::get_id());
  EXPECT_FALSE(sampler.pending());

  // Taken means gone: the next Take measures afresh.
  EXPECT_EQ(sampler.Take(5s), (ClockSample{2, 1, 2}));
  EXPECT_EQ(sample.runs_, 2);
}

TEST(ClockSampler, FinishedSampleNotYetTakenIsReused) {
  FakeSample sample;
  ClockSampler sampler(sample.Function());
  sampler.Start();
  while (!sample.finished_) std::this_thread::sleep_for(1ms);
  sampler.Start();
  EXPECT_EQ(sampler.Take(5s), (ClockSample{1, 1, 2}));
  EXPECT_EQ(sample.runs_, 1);
}

TEST(ClockSampler, TakeWithoutStartSamplesThen) {
  FakeSample sample;
  ClockSampler sampler(sample.Function());
  EXPECT_EQ(sampler.Take(5s), (ClockSample{1, 1, 2}));
  EXPECT_EQ(sample.runs_, 1);
}

TEST(ClockSampler, WaitIsBoundedAndALateSampleStaysPending) {
  FakeSample sample(/*gated=*/true);
  ClockSampler sampler(sample.Function());
  sampler.Start();
  const auto before = std::chrono::steady_clock::now();
  EXPECT_EQ(sampler.Take(50ms), std::nullopt);
  EXPECT_GE(std::chrono::steady_clock::now() - before, 50ms);
  EXPECT_TRUE(sampler.pending());

  sampler.Start();  // the late sample is still the one pending
  sample.Open();
  EXPECT_EQ(sampler.Take(5s), (ClockSample{1, 1, 2}));
  EXPECT_EQ(sample.runs_, 1);
}

TEST(ClockSampler, NothingMeasuredOrAFailureEndsTheSample) {
  FakeSample sample;
  ClockSampler sampler(sample.Function());
  sample.none_ = true;
  EXPECT_EQ(sampler.Take(5s), std::nullopt);
  EXPECT_FALSE(sampler.pending());

  sample.none_ = false;
  sample.fail_ = true;
  sampler.Start();
  EXPECT_THROW(sampler.Take(5s), std::runtime_error);
  EXPECT_FALSE(sampler.pending()) << "a failed sample is not handed out again";

  sample.fail_ = false;
  EXPECT_EQ(sampler.Take(5s), (ClockSample{3, 1, 2}));
}

TEST(ClockSampler, SecondReaderGetsTheTakenSampleWithoutMeasuringAgain) {
  FakeSample sample;
  ClockSampler sampler(sample.Function());
  // Nothing taken yet: the second reader takes the sample itself.
  EXPECT_EQ(sampler.Last(5s), (ClockSample{1, 1, 2}));
  EXPECT_EQ(sampler.Last(5s), (ClockSample{1, 1, 2}));
  sampler.Start();
  EXPECT_EQ(sampler.Take(5s), (ClockSample{2, 1, 2}));
  EXPECT_EQ(sampler.Last(5s), (ClockSample{2, 1, 2})) << "the reader sees what Take returned";
  EXPECT_EQ(sample.runs_, 2);

  // A sample that measured nothing is an answer too; one that failed is not.
  sample.none_ = true;
  EXPECT_EQ(sampler.Take(5s), std::nullopt);
  EXPECT_EQ(sampler.Last(5s), std::nullopt);
  EXPECT_EQ(sample.runs_, 3);
  sample.none_ = false;
  sample.fail_ = true;
  EXPECT_THROW(sampler.Take(5s), std::runtime_error);
  sample.fail_ = false;
  EXPECT_EQ(sampler.Last(5s), (ClockSample{5, 1, 2})) << "after a failure the reader measures afresh";
}

TEST(ClockSampler, SecondReaderWaitsForALateSample) {
  FakeSample sample(/*gated=*/true);
  ClockSampler sampler(sample.Function());
  sampler.Start();
  EXPECT_EQ(sampler.Take(20ms), std::nullopt);
  sample.Open();
  EXPECT_EQ(sampler.Last(5s), (ClockSample{1, 1, 2})) << "the late sample, not a second one";
  EXPECT_EQ(sample.runs_, 1);
}

TEST(ClockSampler, EndingWaitsForTheRunningSample) {
  FakeSample sample(/*gated=*/true);
  std::thread opener;
  {
    ClockSampler sampler(sample.Function());
    sampler.Start();
    opener = std::thread([&] {
      std::this_thread::sleep_for(50ms);
      sample.Open();
    });
  }
  EXPECT_TRUE(sample.finished_);
  opener.join();
}

}  // namespace
}  // namespace corvane::cpu
