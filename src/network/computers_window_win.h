// TfrmComputers, "Computers": the tree of everything the network providers
// offer. The walk asks the network and may take long, so it runs in the
// background; the tree is shown when it ends. Closing hides the window,
// every showing refreshes it.
#pragma once
#include <windows.h>

#include <optional>

#include "network/network_tree.h"
#include "ui/background_job_win.h"
#include "ui/window_win.h"

namespace corvane::network {

class ComputersWindow : public ui::Window {
 public:
  explicit ComputersWindow(const ui::Theme& theme);

  // View, Refresh (and every showing): empties the tree and walks the
  // network again; a walk already under way is let finish instead.
  void Refresh1Click();

  // The tree last shown; nullopt before the first walk has ended.
  const std::optional<ui::TreeNode>& tree() const { return tree_model_; }
  bool walking() const { return walk_.running(); }
  // Walks the network (or takes the walk under way), waiting for it up to the
  // report's bound; a walk asked to stop gives the tree as far as it got.
  std::optional<ui::ReportSection> RefreshForReport() override;

 protected:
  bool Build() override;
  void OnResize(int width, int height) override;
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnClose() override;

 private:
  static ui::TreeNode Walk(std::stop_token stop);

  HWND tree_ = nullptr;
  HWND link_ = nullptr;
  std::optional<ui::TreeNode> tree_model_;
  ui::BackgroundJob<ui::TreeNode> walk_;
  std::optional<ui::BusyCursor> busy_;
};

}  // namespace corvane::network
