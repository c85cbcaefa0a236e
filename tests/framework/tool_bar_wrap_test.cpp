// The row arithmetic of tool bars: wrapping at a width and balancing rows.
#include <gtest/gtest.h>

#include <vector>

#include "framework/sec_custom_tool_bar_wrap.h"

namespace {

constexpr int kBtn = 23;  // a button's width and height
constexpr int kSep = 8;   // a separator's width
constexpr int kSepExtra = 5;

std::vector<SECWrapItem> Items(std::initializer_list<int> widths) {
  std::vector<SECWrapItem> items;
  for (int w : widths) items.push_back({w, kBtn, w == kSep});
  return items;
}

struct RowWant {
  int last;
  BOOL sep;
  int cx;
};

void ExpectRows(const SECToolBarRows& rows, const std::vector<RowWant>& want) {
  ASSERT_EQ(rows.size(), want.size());
  for (size_t r = 0; r < rows.size(); ++r) {
    SCOPED_TRACE(r);
    EXPECT_EQ(rows[r].nLast, want[r].last);
    EXPECT_EQ(rows[r].bSeparator, want[r].sep);
    EXPECT_EQ(rows[r].cx, want[r].cx);
  }
}

}  // namespace

TEST(ToolBarWrapTest, WrapsAtSeparatorsFirstWithTwoPixelsOfSlack) {
  struct Case {
    const char* name;
    std::vector<SECWrapItem> items;
    int width;
    std::vector<RowWant> rows;
  };
  const Case cases[] = {
      {"all fit", Items({kBtn, kBtn, kBtn}), 3 * kBtn, {{2, FALSE, 3 * kBtn}}},
      {"two pixels over still fit", Items({kBtn, kBtn, kBtn}), 3 * kBtn - 2, {{2, FALSE, 3 * kBtn}}},
      {"three pixels over wrap",
       Items({kBtn, kBtn, kBtn}),
       3 * kBtn - 3,
       {{1, FALSE, 2 * kBtn}, {2, FALSE, kBtn}}},
      {"a row ends at the separator before the overflow",
       Items({kBtn, kBtn, kSep, kBtn, kBtn}),
       60,
       {{2, TRUE, 2 * kBtn}, {4, FALSE, 2 * kBtn}}},
      {"a button wider than the row takes no room", Items({80, kBtn, kBtn}), 50, {{2, FALSE, 80 + 2 * kBtn}}},
      {"no buttons", {}, 50, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SECToolBarRows rows;
    EXPECT_EQ(SECWrapButtons(c.items, c.width, rows), static_cast<int>(c.rows.size()));
    ExpectRows(rows, c.rows);
  }
}

TEST(ToolBarWrapTest, SizeAddsTheSeparatorShareBelowSeparatorRows) {
  SECToolBarRows rows;
  SECWrapButtons(Items({kBtn, kBtn, kSep, kBtn, kBtn}), 60, rows);
  EXPECT_EQ(SECRowsSize(rows, kSepExtra), CSize(2 * kBtn, 2 * kBtn + kSepExtra));
}

TEST(ToolBarWrapTest, BalancingMovesButtonsAndGroupsDown) {
  struct Case {
    const char* name;
    std::vector<SECWrapItem> items;
    int width;
    std::vector<RowWant> rows;
  };
  const Case cases[] = {
      // 4 + 1 becomes 3 + 2: a fourth move would make the second row the wider.
      {"single buttons",
       Items({kBtn, kBtn, kBtn, kBtn, kBtn}),
       100,
       {{2, FALSE, 3 * kBtn}, {4, FALSE, 2 * kBtn}}},
      // The group "separator, button" goes down with the row's end.
      {"a separator group",
       Items({kBtn, kBtn, kSep, kBtn, kSep, kBtn}),
       85,
       {{2, TRUE, 2 * kBtn}, {5, FALSE, kSep + 2 * kBtn}}},
      {"one row stays", Items({kBtn, kBtn}), 100, {{1, FALSE, 2 * kBtn}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SECToolBarRows rows;
    SECWrapButtons(c.items, c.width, rows);
    SECBalanceRows(c.items, rows);
    ExpectRows(rows, c.rows);
  }
}
