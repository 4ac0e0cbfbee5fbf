#include "network/internet_favourites.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace corvane::network {
namespace {

// A folder tree in memory: each folder's entries in "file-system" order; a
// file is a shortcut when its name ends in ".url", its address as given
// (nullopt: the file has no "URL" key).
struct Node {
  std::wstring name;
  bool directory = false;
  std::optional<std::wstring> url;
};
Node File(std::wstring name, std::optional<std::wstring> url = std::nullopt) {
  return {std::move(name), false, std::move(url)};
}
Node Folder(std::wstring name) { return {std::move(name), true, std::nullopt}; }

class MemoryFolders : public FavouritesFolders {
 public:
  explicit MemoryFolders(std::map<std::wstring, std::vector<Node>> tree) : tree_(std::move(tree)) {}

  std::vector<Entry> Shortcuts(const std::wstring& folder) override {
    searched.push_back(folder);
    std::vector<Entry> entries;
    for (const Node& n : Folder(folder)) {
      if (n.name.ends_with(L".url")) entries.push_back({n.name, n.directory});
    }
    return entries;
  }
  std::vector<Entry> Entries(const std::wstring& folder) override {
    std::vector<Entry> entries = {{L".", true}, {L"..", true}};
    for (const Node& n : Folder(folder)) entries.push_back({n.name, n.directory});
    return entries;
  }
  std::wstring ShortcutUrl(const std::wstring& file) override {
    const auto slash = file.rfind(L'\\');
    for (const Node& n : Folder(file.substr(0, slash))) {
      if (n.name == file.substr(slash + 1)) {
        EXPECT_FALSE(n.directory) << "a folder read as a shortcut";
        return n.url.value_or(L"");
      }
    }
    ADD_FAILURE() << "no such file";
    return {};
  }

  std::vector<std::wstring> searched;

 private:
  const std::vector<Node>& Folder(const std::wstring& path) {
    static const std::vector<Node> kNone;
    const auto it = tree_.find(path);
    return it == tree_.end() ? kNone : it->second;
  }
  std::map<std::wstring, std::vector<Node>> tree_;
};

TEST(InternetFavourites, FolderShortcutsComeBeforeSubfolders) {
  // A subfolder comes first in the folder's own order, a shortcut without
  // an address sits between two with one, and a folder is named like a
  // shortcut.
  MemoryFolders folders({
      {L"C:\\Fav",
       {Folder(L"News"), File(L"a.url", L"http://a.example/"), File(L"blank.url"), File(L"notes.txt"),
        Folder(L".hidden"), File(L"c.url", L"http://c.example/"), Folder(L"Tools.url")}},
      {L"C:\\Fav\\News", {File(L"n.url", L"http://news.example/"), Folder(L"Local")}},
      {L"C:\\Fav\\News\\Local", {File(L"l.url", L"http://local.example/")}},
      {L"C:\\Fav\\.hidden", {File(L"h.url", L"http://hidden.example/")}},
      {L"C:\\Fav\\Tools.url", {File(L"t.url", L"http://tools.example/")}},  // a folder, named like a shortcut
  });
  const std::vector<std::wstring> want = {L"http://a.example/",    L"",  // the shortcut without an address
                                          L"http://c.example/",    L"http://news.example/",
                                          L"http://local.example/", L"http://tools.example/"};
  EXPECT_EQ(CollectFavourites(folders, L"C:\\Fav"), want);
  const std::vector<std::wstring> searched = {L"C:\\Fav", L"C:\\Fav\\News", L"C:\\Fav\\News\\Local",
                                              L"C:\\Fav\\Tools.url"};
  EXPECT_EQ(folders.searched, searched) << "a folder whose name begins with \".\" is not searched";
}

TEST(InternetFavourites, EmptyOrMissingFolderGivesNoAddresses) {
  MemoryFolders folders({{L"C:\\Fav", {Folder(L"Empty")}}});
  EXPECT_TRUE(CollectFavourites(folders, L"C:\\Fav").empty());
  EXPECT_TRUE(CollectFavourites(folders, L"C:\\Gone").empty());
}

TEST(InternetFavourites, JoinPathAddsOneBackslash) {
  EXPECT_EQ(JoinPath(L"C:\\Fav", L"a.url"), L"C:\\Fav\\a.url");
  EXPECT_EQ(JoinPath(L"C:\\", L"a.url"), L"C:\\a.url");
}

}  // namespace
}  // namespace corvane::network
