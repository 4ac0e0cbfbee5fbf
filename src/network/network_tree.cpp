#include "network/network_tree.h"

namespace corvane::network {
namespace {

class Walk {
 public:
  Walk(NetworkSource& source, const std::function<bool()>& stopped) : source_(source), stopped_(stopped) {}

  // Adds what `container` lists under `node`; false once the walk must stop.
  bool Add(const NetworkResource* container, ui::TreeNode& node, int depth) {
    if (depth >= kNetworkTreeDepthLimit) return true;
    if (stopped_()) return false;
    const std::unique_ptr<NetworkSource::Listing> listing = source_.Open(container);
    if (!listing) return true;  // no container: no children
    for (;;) {
      if (stopped_()) return false;
      std::vector<NetworkResource> entries;
      switch (listing->Next(entries)) {
        case NetworkSource::Batch::kEnd:
          return true;
        case NetworkSource::Batch::kFailed:
          return false;
        case NetworkSource::Batch::kEntries:
          if (entries.empty()) return true;  // no progress: it would never end
          break;
      }
      for (const NetworkResource& entry : entries) {
        ui::TreeNode& child = node.Add(entry.remote_name);
        if (!Add(&entry, child, depth + 1)) return false;
      }
    }
  }

 private:
  NetworkSource& source_;
  const std::function<bool()>& stopped_;
};

}  // namespace

ui::TreeNode BrowseNetwork(NetworkSource& source, const std::function<bool()>& stopped) {
  ui::TreeNode root{std::wstring(kNetworkTreeRoot), {}};
  Walk(source, stopped).Add(nullptr, root, 0);
  return root;
}

ui::ReportSection ComputersSection(const std::optional<ui::TreeNode>& tree) {
  ui::ReportSection section{L"TfrmComputers", std::wstring(kComputersCaption), {}, {}, {}};
  if (tree) section.trees.push_back({std::wstring(kComputersCaption), {*tree}});
  return section;
}

}  // namespace corvane::network
