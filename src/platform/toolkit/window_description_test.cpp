#include "platform/toolkit/window_description.h"

#include <gtest/gtest.h>

#include "platform/toolkit/toolkit.h"

namespace orval::tk {
namespace {

Array frame(double x, double y, double w, double h) { return Array{x, y, w, h}; }

// A view class of the window's owner.
class Custom : public View {
 public:
  using View::View;
  std::string className() const override { return "Custom"; }
};

std::unique_ptr<View> makeCustom(const std::string& className, const Rect& f) {
  return className == "Custom" ? std::make_unique<Custom>(f) : nullptr;
}

TEST(WindowDescriptionTest, BuildsTheWindowAndFindsItsOutlets) {
  const Dict description{
      {"title", "Trays"},
      {"frame", frame(0, 0, 640, 400)},
      {"closable", false},
      {"views",
       Array{Dict{{"class", "Box"}, {"outlet", "line"}, {"boxType", "Separator"}, {"frame", frame(16, 60, 608, 1)}},
             Dict{{"class", "Button"}, {"outlet", "close"}, {"title", "Close"}, {"keyEquivalent", "\r"},
                  {"tag", 3}, {"frame", frame(216, 16, 96, 32)}},
             Dict{{"class", "Label"}, {"title", "Note"}, {"hidden", true}, {"frame", frame(16, 80, 100, 20)}},
             Dict{{"class", "Custom"}, {"outlet", "slot"}, {"frame", frame(16, 328, 296, 48)}}}}};
  std::string error;
  std::optional<DescribedWindow> described = windowFromDescription(description, makeCustom, &error);
  ASSERT_TRUE(described) << error;
  Panel& window = *described->window;
  EXPECT_EQ(std::tuple(window.title(), window.styleMask(), window.contentView().frame()),
            std::tuple("Trays", unsigned(TitledWindowMask), Rect{0, 0, 640, 400}));
  ASSERT_EQ(window.contentView().subviewCount(), 4u);

  Box* line = described->outlet<Box>("line");
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->boxType(), BoxType::Separator);
  Button* close = described->outlet<Button>("close");
  ASSERT_NE(close, nullptr);
  EXPECT_EQ(std::tuple(close->title(), close->keyEquivalent(), close->tag()), std::tuple("Close", "\r", 3L));
  EXPECT_EQ(described->outlet<Button>("line"), nullptr);  // not a button
  EXPECT_EQ(described->outlet("missing"), nullptr);
  auto* label = dynamic_cast<TextField*>(window.contentView().subviews()[2]);
  EXPECT_TRUE(label && label->stringValue() == "Note" && label->isHidden() && !label->isEditable());
  Custom* slot = described->outlet<Custom>("slot");
  ASSERT_NE(slot, nullptr);
  EXPECT_EQ(std::pair(slot->frame(), slot->window()), std::pair(Rect{16, 328, 296, 48}, static_cast<Window*>(&window)));
}

TEST(WindowDescriptionTest, MalformedDescriptionsAreRefusedWithTheirReason) {
  const auto view = [](Dict entry) {
    entry.set("frame", frame(0, 0, 10, 10));
    return Dict{{"frame", frame(0, 0, 100, 100)}, {"views", Array{entry}}};
  };
  const struct {
    Dict description;
    std::string reason;
  } rows[] = {
      {Dict{}, "the window: \"frame\" is not four numbers"},
      {Dict{{"frame", frame(0, 0, -1, 10)}}, "the window: \"frame\" has a negative size"},
      {Dict{{"frame", frame(0, 0, 10, 10)}, {"views", "none"}}, "the window: \"views\" is not an array"},
      {view(Dict{{"outlet", "a"}}), "view 1 has no \"class\""},
      {view(Dict{{"class", "Slider"}}), "view 1: unknown class Slider"},
      {view(Dict{{"class", "View"}, {"tag", "7"}}), "view 1: \"tag\" is not an integer"},
      {Dict{{"frame", frame(0, 0, 10, 10)},
            {"views", Array{Dict{{"class", "View"}, {"outlet", "a"}, {"frame", frame(0, 0, 1, 1)}},
                            Dict{{"class", "View"}, {"outlet", "a"}, {"frame", frame(0, 0, 1, 1)}}}}},
       "view 2: the outlet a appears twice"},
  };
  for (const auto& row : rows) {
    std::string error;
    EXPECT_FALSE(windowFromDescription(row.description, makeCustom, &error));
    EXPECT_EQ(error, row.reason);
  }
}

}  // namespace
}  // namespace orval::tk
