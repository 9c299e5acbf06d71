#pragma once

// The language tables typed row by row as text, independently of the engine's
// own representation; the literal evaluator and the table tests read them.

#include <array>
#include <string_view>

namespace nlt::reference {

// One truth-table row: the operator word and its nine cells in the column
// order 0·0, 0·1, 0·2, 1·0, 1·1, 1·2, 2·0, 2·1, 2·2.
struct TruthRow {
    std::string_view word;
    std::string_view cells;
};

// The truth table of all eighteen operators.
// clang-format off
inline constexpr std::array<TruthRow, 18> kTruthRows{{
    {"And", "002012222"},      {"Or", "010111012"},     {"Maybe", "000012022"},
    {"For", "012112222"},      {"Against", "012111212"}, {"With", "000011012"},
    {"Nand", "001021111"},     {"Nor", "020222021"},    {"Nmaybe", "000021011"},
    {"Nfor", "021221111"},     {"Nagainst", "021222121"}, {"Nwith", "000022021"},
    {"Xand", "100012021"},     {"Xor", "200021012"},    {"Xmaybe", "000012021"},
    {"Xfor", "012112221"},     {"Xagainst", "012121212"}, {"Xwith", "100011012"},
}};
// clang-format on

// The two-valued table: cells in the order 1·1, 1·2, 2·1, 2·2.
inline constexpr std::array<TruthRow, 6> kBinaryTruthRows{{
    {"And", "1222"},
    {"Or", "1112"},
    {"Nand", "2111"},
    {"Nor", "2221"},
    {"Xand", "1221"},
    {"Xor", "2112"},
}};

// One row of the "Not 0" table: the value after the operator ("op Not 0") and
// the value before it ("Not 0 op").
struct NotZeroRow {
    std::string_view word;
    char afterOperator;
    char beforeOperator;
};

// The "Not 0" table in its printed order.
// clang-format off
inline constexpr std::array<NotZeroRow, 18> kNotZeroRows{{
    {"And", '2', '2'},     {"For", '2', '1'},      {"Or", '1', '1'},      {"Against", '1', '2'},
    {"Maybe", '0', '0'},   {"With", '0', '0'},     {"Xand", '2', '1'},    {"Xfor", '2', '2'},
    {"Xor", '1', '2'},     {"Xagainst", '1', '1'}, {"Xmaybe", '0', '0'},  {"Xwith", '0', '0'},
    {"Nand", '1', '1'},    {"Nfor", '1', '1'},     {"Nor", '2', '2'},     {"Nagainst", '2', '2'},
    {"Nmaybe", '0', '0'},  {"Nwith", '0', '0'},
}};
// clang-format on

// One negation rewrite: find text and its replacement.
struct RewriteRow {
    std::string_view find;
    std::string_view replacement;
};

// The 38 negation rewrites in the order in which they are applied.
inline constexpr std::array<RewriteRow, 38> kRewriteRows{{
    {"Not 2", "1"},
    {"Not 1", "2"},
    {"And Not 0", "And 2"},
    {"For Not 0", "For 2"},
    {"Or Not 0", "Or 1"},
    {"Against Not 0", "Against 1"},
    {"Maybe Not 0", "Maybe 0"},
    {"With Not 0", "With 0"},
    {"Xand Not 0", "Xand 2"},
    {"Xfor Not 0", "Xfor 2"},
    {"Xor Not 0", "Xor 1"},
    {"Xagainst Not 0", "Xagainst 1"},
    {"Xmaybe Not 0", "Xmaybe 0"},
    {"Xwith Not 0", "Xwith 0"},
    {"Nand Not 0", "Nand 1"},
    {"Nfor Not 0", "Nfor 1"},
    {"Nor Not 0", "Nor 2"},
    {"Nagainst Not 0", "Nagainst 2"},
    {"Nmaybe Not 0", "Nmaybe 0"},
    {"Nwith Not 0", "Nwith 0"},
    {"Not 0 And", "2 And"},
    {"Not 0 For", "1 For"},
    {"Not 0 Or", "1 Or"},
    {"Not 0 Against", "2 Against"},
    {"Not 0 Maybe", "0 Maybe"},
    {"Not 0 With", "0 With"},
    {"Not 0 Xand", "1 Xand"},
    {"Not 0 Xfor", "2 Xfor"},
    {"Not 0 Xor", "2 Xor"},
    {"Not 0 Xagainst", "1 Xagainst"},
    {"Not 0 Xmaybe", "0 Xmaybe"},
    {"Not 0 Xwith", "0 Xwith"},
    {"Not 0 Nand", "1 Nand"},
    {"Not 0 Nfor", "1 Nfor"},
    {"Not 0 Nor", "2 Nor"},
    {"Not 0 Nagainst", "2 Nagainst"},
    {"Not 0 Nmaybe", "0 Nmaybe"},
    {"Not 0 Nwith", "0 Nwith"},
}};

} // namespace nlt::reference
