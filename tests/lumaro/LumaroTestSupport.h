#pragma once
// An installation folder with an empty Data/MyData, catalogue objects whose messages are
// collected in order, and short ways to build layouts, paths and trees.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "lumaro/CLumaro.h"
#include "platform/TempFolder.h"

namespace lumaro::test {

inline std::shared_ptr<CLayoutInfo> Layout(std::int32_t id, std::string title = {}) {
  auto layout = std::make_shared<CLayoutInfo>();
  layout->LayoutID = id;
  layout->Title = title.empty() ? "form " + std::to_string(id) : std::move(title);
  return layout;
}

// A top category holding one middle, holding one bottom category with these layouts.
inline std::shared_ptr<CDaiBunrui> Path(std::string top, std::string middle, std::string bottom,
                                        std::initializer_list<std::shared_ptr<CLayoutInfo>> layouts) {
  auto dai = std::make_shared<CDaiBunrui>(std::move(top));
  CShoBunrui& sho = dai->Add(std::make_shared<CChuBunrui>(std::move(middle)))
                        .Add(std::make_shared<CShoBunrui>(std::move(bottom)));
  for (const auto& layout : layouts) sho.Add(layout);
  return dai;
}

// The IDs of every layout of a tree, depth-first.
inline std::vector<std::int32_t> IDs(const CLumaro::DaiList& tops) {
  std::vector<std::int32_t> ids;
  for (const auto& dai : tops)
    for (const auto& chu : dai->Children)
      for (const auto& sho : chu->Children)
        for (const auto& layout : sho->Children) ids.push_back(layout->LayoutID);
  return ids;
}

class LumaroTest : public ::testing::Test {
 protected:
  LumaroTest() { std::filesystem::create_directories(MyData()); }

  std::filesystem::path Install() const { return temp / "install"; }
  std::filesystem::path MyData() const { return Install() / "Data" / "MyData"; }

  CLumaro Make() {
    return CLumaro(Install(), [this](std::string_view text) { messages.emplace_back(text); });
  }

  // Writes the catalogue file; the tops are built anew by the caller each time.
  void WriteCatalogue(CLumaro::DaiList tops) {
    CLumaro writer = Make();
    writer.GetMainData() = std::move(tops);
    ASSERT_EQ(writer.WriteMotoData(), 1);
  }

  void WriteDownloads(CLumaro::DaiList tops) {
    CLumaro writer = Make();
    writer.GetDownLoadData() = std::move(tops);
    ASSERT_EQ(writer.WriteDownLoad(), 1);
  }

  // Returns the messages shown so far and forgets them.
  std::vector<std::string> Messages() { return std::exchange(messages, {}); }

  testing_support::TempFolder temp;
  std::vector<std::string> messages;
};

}  // namespace lumaro::test
