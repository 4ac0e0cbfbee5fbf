// The tree of everything the network providers offer (providers, domains
// and workgroups, computers, their shares), walked depth first through a
// source of listings. The Win32 source (network_browser_win.h) asks the
// network providers; tests script one.
#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/report_section.h"
#include "ui/tree_model.h"

namespace corvane::network {

inline constexpr std::wstring_view kComputersCaption = L"Computers";
// The tree's root: the top level of the network lies under it.
inline constexpr std::wstring_view kNetworkTreeRoot = L"Network Computer List";

// One resource a listing gave.
struct NetworkResource {
  std::wstring remote_name;
  // The source's own record of the resource, handed back to open it.
  std::shared_ptr<const void> record;
};

class NetworkSource {
 public:
  enum class Batch {
    kEntries,  // entries were added; ask again
    kEnd,      // the container has no more
    kFailed,   // any other answer: the whole walk stops
  };
  // One open listing of a container's resources.
  class Listing {
   public:
    virtual ~Listing() = default;
    virtual Batch Next(std::vector<NetworkResource>& entries) = 0;
  };

  virtual ~NetworkSource() = default;
  // Lists the resources inside `container` (nullptr: the top of the
  // network); nullptr when it is no container or cannot be listed.
  virtual std::unique_ptr<Listing> Open(const NetworkResource* container) = 0;
};

// Deeper than any provider nests its resources; guards against a provider
// that lists a container inside itself.
inline constexpr int kNetworkTreeDepthLimit = 12;

// The whole network under a kNetworkTreeRoot node: every resource a
// child of the container it was listed in, in listing order, each opened as
// a container in turn before its next sibling. A listing that fails stops
// the walk, keeping the nodes added so far; so does `stopped`, asked
// before each listing is opened or read.
ui::TreeNode BrowseNetwork(NetworkSource& source, const std::function<bool()>& stopped);

// The computers window's report section: the tree as walked, under its
// root; no tree when no walk has ended.
ui::ReportSection ComputersSection(const std::optional<ui::TreeNode>& tree);

}  // namespace corvane::network
