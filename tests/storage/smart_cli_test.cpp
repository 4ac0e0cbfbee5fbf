#include "storage/smart_cli.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

namespace corvane::storage {
namespace {

// Fixtures written by tests/data/storage/make_smart_fixtures.py.
const std::string kData = std::string(CORVANE_TEST_DATA) + "/storage/";
const std::string kAttrs = kData + "smart_attributes.bin";
const std::string kThresh = kData + "smart_thresholds.bin";
const std::string kIdentify = kData + "smart_identify.bin";

struct CliRun {
  int code;
  std::string out;
  std::string err;
};

CliRun RunSmart(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int code = RunSmartCommand(args, out, err);
  return {code, out.str(), err.str()};
}

TEST(RunSmartCommand, DecodesRecordedSectorsToJson) {
  const CliRun r = RunSmart({"--attrs", kAttrs, "--thresh", kThresh, "--identify", kIdentify});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.err, "");
  const auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["model"], "CORVANE TD-250 SATA");
  EXPECT_EQ(j["serial"], "CV0123456789");
  EXPECT_EQ(j["firmware"], "1.02A");
  EXPECT_EQ(j["capacity"], 250059350016);  // from the 48-bit count, not the saturated 28-bit one
  EXPECT_EQ(j["temperature"], 41);
  EXPECT_EQ(j["bad_attributes"], 1);
  EXPECT_EQ(j["attribute_count"], 12);  // the entry after the empty slot is not read
  EXPECT_EQ(j["verdict"], "SMART Test Failed, Bad Attributes 1");

  const auto& attrs = j["attributes"];
  ASSERT_EQ(attrs.size(), 12u);
  EXPECT_EQ(attrs[0], nlohmann::json::parse(R"({"id": 1, "name": "Raw Read Error Rate",
      "prefail": true, "events": false, "error_rate": true, "current": 117, "worst": 99,
      "threshold": 6, "raw": 158312544, "state": "OK"})"));
  std::vector<std::string> states;
  for (const auto& a : attrs) states.push_back(a["state"]);
  EXPECT_EQ(states, (std::vector<std::string>{"OK", "-", "-", "OK", "Warning", "-", "OK", "-", "-",
                                              "-", "-", "Failed In Past"}));
  EXPECT_EQ(attrs[8]["name"], "Temperature Celcius");
  EXPECT_EQ(attrs[8]["raw"], 0x120029);
}

TEST(RunSmartCommand, WithoutIdentifyThereIsNoCapacity) {
  const CliRun r = RunSmart({"smart", "--thresh", kThresh, "--attrs", kAttrs});
  ASSERT_EQ(r.code, 0) << r.err;
  const auto j = nlohmann::json::parse(r.out);
  EXPECT_FALSE(j.contains("capacity"));
  EXPECT_EQ(j["model"], "");
  EXPECT_EQ(j["attribute_count"], 12);
}

TEST(RunSmartCommand, BadInputExitsWithTwoAndSaysWhy) {
  const std::string truncated = kData + "smart_attributes_truncated.bin";
  struct Case {
    std::vector<std::string> args;
    std::string message;  // part of what goes to err
  };
  const Case cases[] = {
      {{"--attrs", truncated, "--thresh", kThresh}, "holds 500 bytes"},
      {{"--attrs", kAttrs, "--thresh", kThresh, "--identify", truncated}, "exactly 512 bytes"},
      {{"--attrs", kAttrs, "--thresh", kData + "no_such_file.bin"}, "cannot open"},
      {{"--attrs", kAttrs, "--thresh", kData}, "is a directory"},
      {{"--attrs", kAttrs}, "--thresh is required"},
      {{"--thresh", kThresh}, "--attrs is required"},
      {{"--attrs", kAttrs, "--thresh"}, "--thresh needs a file name"},
      {{"--attrs", kAttrs, "--attrs", kAttrs, "--thresh", kThresh}, "more than once"},
      {{"--attrs", kAttrs, "--thresh", kThresh, "--raw"}, "unknown argument '--raw'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    const CliRun r = RunSmart(c.args);
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
  }
  // A sector with a byte too many is refused as well, without reading on.
  const std::string longer = ::testing::TempDir() + "smart_sector_513.bin";
  std::ofstream(longer, std::ios::binary) << std::string(513, '\x01');
  const CliRun r = RunSmart({"--attrs", kAttrs, "--thresh", longer});
  EXPECT_EQ(r.code, 2);
  EXPECT_NE(r.err.find("is longer"), std::string::npos) << r.err;
  std::remove(longer.c_str());

  // The message names the offending file.
  EXPECT_NE(RunSmart(cases[0].args).err.find(truncated), std::string::npos);
}

}  // namespace
}  // namespace corvane::storage
