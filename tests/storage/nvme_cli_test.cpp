#include "storage/nvme_cli.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "app/decode_cli.h"

namespace corvane::storage {
namespace {

// Fixtures written by tests/data/storage/make_nvme_fixtures.py.
const std::string kData = std::string(CORVANE_TEST_DATA) + "/storage/";
const std::string kHealth = kData + "nvme_health.bin";
const std::string kIdentify = kData + "nvme_identify.bin";
const std::string kTruncated = kData + "nvme_health_truncated.bin";

struct CliRun {
  int code;
  std::string out;
  std::string err;
};

// Through corvane-decode, as a user runs it.
CliRun Decode(std::vector<std::string> args) {
  args.insert(args.begin(), "nvme");
  std::ostringstream out, err;
  const int code = app::RunDecode(args, out, err);
  return {code, out.str(), err.str()};
}

TEST(DecodeNvme, ReplaysARecordedHealthLogAndIdentityAsJson) {
  const CliRun r = Decode({"--smart", kHealth, "--identify", kIdentify});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(nlohmann::json::parse(r.out), nlohmann::json::parse(R"({
      "model": "CORVANE NV-1000 NVMe 1TB", "serial": "S4EWNX0R123456", "firmware": "2B2QEXM7",
      "critical_warning": 5, "temperature_c": 45, "available_spare": 7, "spare_threshold": 10,
      "percentage_used": 104,
      "data_units_read": "18446744073709551621",
      "data_units_written": 1234567, "power_cycles": 1021, "power_on_hours": 8760,
      "unsafe_shutdowns": 37, "media_errors": 2, "error_log_entries": 12})"));
}

TEST(DecodeNvme, WithoutIdentifyThereAreNoTexts) {
  const CliRun r = Decode({"--smart", kHealth});
  ASSERT_EQ(r.code, 0) << r.err;
  const auto j = nlohmann::json::parse(r.out);
  for (const char* key : {"model", "serial", "firmware"}) EXPECT_FALSE(j.contains(key)) << key;
  EXPECT_EQ(j["temperature_c"], 45);
  EXPECT_TRUE(j["data_units_read"].is_string()) << "past 64 bits";
  EXPECT_TRUE(j["data_units_written"].is_number_unsigned());
}

TEST(DecodeNvme, BadInputExitsWithTwoAndSaysWhy) {
  struct Case {
    std::vector<std::string> args;
    std::string message;  // part of what goes to err
  };
  const Case cases[] = {
      {{"--smart", kTruncated}, "--smart " + kTruncated + ": expected a raw health log page of exactly 512 bytes, "
                                                          "the file holds 500 bytes"},
      {{"--smart", kIdentify}, "exactly 512 bytes, the file is longer"},
      {{"--smart", kHealth, "--identify", kHealth}, "exactly 4096 bytes, the file holds 512 bytes"},
      {{"--smart", kData + "no_such_file.bin"}, "cannot open"},
      {{"--smart", kData}, "is a directory"},
      {{"--identify", kIdentify}, "--smart is required"},
      {{"--smart"}, "--smart needs a file name"},
      {{"--smart", kHealth, "--smart", kHealth}, "more than once"},
      {{"--smart", kHealth, "--raw"}, "unknown argument '--raw'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    const CliRun r = Decode(c.args);
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
  }
}

}  // namespace
}  // namespace corvane::storage
