#include "network/network_tree.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace corvane::network {
namespace {

using Batch = NetworkSource::Batch;

// A network as lists of batches per container name ("" the top). A
// container not in the map is no container. Each batch is the names it
// gives, or a failure.
struct ScriptedBatch {
  std::vector<std::wstring> names;
  Batch answer = Batch::kEntries;
};
class ScriptedNetwork : public NetworkSource {
 public:
  std::map<std::wstring, std::vector<ScriptedBatch>> containers;
  std::vector<std::wstring> opened;
  int listings_alive = 0;

  std::unique_ptr<Listing> Open(const NetworkResource* container) override {
    const std::wstring name = container ? container->remote_name : L"";
    opened.push_back(name);
    auto it = containers.find(name);
    if (it == containers.end()) return nullptr;
    return std::make_unique<ScriptedListing>(*this, it->second);
  }

 private:
  class ScriptedListing : public Listing {
   public:
    ScriptedListing(ScriptedNetwork& network, const std::vector<ScriptedBatch>& batches)
        : network_(network), batches_(batches) {
      ++network_.listings_alive;
    }
    ~ScriptedListing() override { --network_.listings_alive; }
    Batch Next(std::vector<NetworkResource>& entries) override {
      if (next_ == batches_.size()) return Batch::kEnd;
      const ScriptedBatch& batch = batches_[next_++];
      for (const auto& name : batch.names) entries.push_back({name, nullptr});
      return batch.answer;
    }

   private:
    ScriptedNetwork& network_;
    const std::vector<ScriptedBatch>& batches_;
    std::size_t next_ = 0;
  };
};

const auto kNeverStop = [] { return false; };

ui::TreeNode Node(std::wstring text, std::vector<ui::TreeNode> children = {}) {
  return {std::move(text), std::move(children)};
}

TEST(BrowseNetwork, DepthFirstInListingOrderUnderTheRoot) {
  ScriptedNetwork network;
  network.containers = {
      {L"", {{{L"Microsoft Windows Network"}}}},
      {L"Microsoft Windows Network", {{{L"WORKGROUP"}}, {{L"OFFICE"}}}},  // two batches
      {L"WORKGROUP", {{{L"\\\\ALPHA", L"\\\\BETA"}}}},
      {L"\\\\ALPHA", {{{L"\\\\ALPHA\\public"}}}},
      {L"OFFICE", {}},
  };
  const ui::TreeNode tree = BrowseNetwork(network, kNeverStop);
  const ui::TreeNode expected = Node(
      L"Network Computer List",
      {Node(L"Microsoft Windows Network",
            {Node(L"WORKGROUP", {Node(L"\\\\ALPHA", {Node(L"\\\\ALPHA\\public")}), Node(L"\\\\BETA")}),
             Node(L"OFFICE")})});
  EXPECT_EQ(tree, expected);
  // Each resource is opened right after it is added, before its next sibling.
  EXPECT_EQ(network.opened,
            (std::vector<std::wstring>{L"", L"Microsoft Windows Network", L"WORKGROUP", L"\\\\ALPHA",
                                       L"\\\\ALPHA\\public", L"\\\\BETA", L"OFFICE"}));
  EXPECT_EQ(network.listings_alive, 0);
  // The same network walked again gives the same tree, not a doubled one.
  EXPECT_EQ(BrowseNetwork(network, kNeverStop), expected);
}

TEST(BrowseNetwork, NoProviderGivesTheRootAlone) {
  ScriptedNetwork network;  // the top level is no container
  EXPECT_EQ(BrowseNetwork(network, kNeverStop), Node(L"Network Computer List"));
}

TEST(BrowseNetwork, AFailedListingStopsTheWalkKeepingWhatWasAdded) {
  ScriptedNetwork network;
  network.containers = {
      {L"", {{{L"Net"}}}},
      {L"Net", {{{L"A", L"B"}}}},
      {L"A", {{{L"A1"}}, {{}, Batch::kFailed}}},
  };
  const ui::TreeNode tree = BrowseNetwork(network, kNeverStop);
  // B came in the same batch as A but is added only once A has been walked.
  EXPECT_EQ(tree, Node(L"Network Computer List", {Node(L"Net", {Node(L"A", {Node(L"A1")})})}));
  EXPECT_EQ(network.opened.back(), L"A1");
  EXPECT_EQ(network.listings_alive, 0) << "every listing is closed, also on the way out";
}

TEST(BrowseNetwork, StopsWhenAskedAndOnAListingThatNeverEnds) {
  ScriptedNetwork network;
  network.containers = {{L"", {{{L"Net"}}}}, {L"Net", {{{L"A"}}, {{L"B"}}, {{L"C"}}}}};
  int asked = 0;
  const ui::TreeNode stopped = BrowseNetwork(network, [&] { return ++asked > 4; });
  EXPECT_LT(stopped.children.at(0).children.size(), 3u);

  // A provider that keeps saying "more" without giving anything.
  ScriptedNetwork stuck;
  stuck.containers = {{L"", {{{}, Batch::kEntries}, {{L"never reached"}}}}};
  EXPECT_EQ(BrowseNetwork(stuck, kNeverStop), Node(L"Network Computer List"));

  // A provider that lists a container inside itself.
  ScriptedNetwork looping;
  looping.containers = {{L"", {{{L"Loop"}}}}, {L"Loop", {{{L"Loop"}}}}};
  const ui::TreeNode loop = BrowseNetwork(looping, kNeverStop);
  int depth = 0;
  for (const ui::TreeNode* node = &loop; !node->children.empty(); node = &node->children.front()) ++depth;
  EXPECT_EQ(depth, kNetworkTreeDepthLimit);
}

}  // namespace
}  // namespace corvane::network
