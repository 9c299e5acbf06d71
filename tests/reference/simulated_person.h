#pragma once

// A simulated person for the diagnosis tests and measurements: works a text by
// recursive descent with the reference tables, written apart from the engine's
// scanner, and misreads it by one hand-written rule, or slips once at the fold
// whose operator word starts at a given place.

#include "tests/reference/literal_tables.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace nlt::test {

struct Person {
    // The one rule the person gets wrong.
    enum class Rule {
        None,
        Word,
        Cell,
        CellOneOrder,
        NotZeroAsZero,
        NotZeroAfter,
        NotIgnored,
        NotRest,
        AndFirst,
        RightToLeft
    };
    Rule rule = Rule::None;
    std::string word, readAs; // Word: word is read as readAs
    std::string cell;         // Cell: the term "a op b" (and "b op a") gives cellValue; CellOneOrder: "a op b" only
    char cellValue = '\0';
    std::size_t slipAt = std::string::npos; // a fold whose operator word starts here (in the whole question) ...
    char slipValue = '\0';                  // ... yields this
    mutable std::size_t slipEnd = 0;        // where the right operand of that fold ends
    // Folds worked in the last Work: where each operator word starts.
    mutable std::vector<std::size_t> folds;

    // A person with rule; Word reads word a as b, Cell and CellOneOrder take the term a as value.
    static Person With(Rule rule, std::string a = "", std::string b = "", char value = '\0')
    {
        Person p;
        p.rule = rule;
        (rule == Rule::Cell || rule == Rule::CellOneOrder ? p.cell : p.word) = std::move(a);
        p.readAs = std::move(b);
        p.cellValue = value;
        return p;
    }

    // The person's value of text, which stands at offset in the whole question.
    char Work(std::string_view text, std::size_t offset = 0) const
    {
        folds.clear();
        std::size_t p = 0;
        return Chain(text, p, offset);
    }

private:
    struct Item {
        char value;
        int nots;
        std::string op;       // the word before it
        std::size_t opAt = 0; // where that word starts
        std::size_t end = 0;  // where it ends
    };

    char Table(const std::string &op, char a, char b, std::size_t at, std::size_t end = 0) const
    {
        folds.push_back(at);
        if (at == slipAt) {
            slipEnd = end;
            return slipValue;
        }
        const std::string term = std::string(1, a) + ' ' + op + ' ' + b, mirror = std::string(1, b) + ' ' + op + ' ' + a;
        if ((rule == Rule::Cell && (term == cell || mirror == cell)) || (rule == Rule::CellOneOrder && term == cell))
            return cellValue;
        const std::string &used = rule == Rule::Word && op == word ? readAs : op;
        for (const auto &row : reference::kTruthRows)
            if (row.word == used)
                return row.cells[static_cast<std::size_t>(3 * (a - '0') + (b - '0'))];
        return '?';
    }
    static char Flip(char v) { return v == '1' ? '2' : v == '2' ? '1' : v; }
    // "Not 0" beside before (the word in front) and after (the word behind), either may be empty.
    char NotZero(const std::string &before, const std::string &after) const
    {
        if (rule == Rule::NotZeroAsZero)
            return '0';
        const bool useBefore = !before.empty() && (rule != Rule::NotZeroAfter || after.empty());
        const std::string &beside = useBefore ? before : after;
        for (const auto &row : reference::kNotZeroRows)
            if (row.word == (rule == Rule::Word && beside == word ? readAs : beside))
                return useBefore ? row.afterOperator : row.beforeOperator;
        return '?';
    }
    char Negate(char v, const std::string &before, const std::string &after) const
    {
        return v == '0' ? NotZero(before, after) : Flip(v);
    }

    char Chain(std::string_view t, std::size_t &p, std::size_t offset) const
    {
        std::vector<Item> items;
        std::string op;
        std::size_t opAt = 0;
        for (;;) {
            Item item{'\0', 0, op, opAt, 0};
            for (; t.substr(p).starts_with("Not "); p += 4)
                ++item.nots;
            if (t[p] == '(') {
                ++p;
                item.value = Chain(t, p, offset);
                ++p; // ")"
            } else {
                item.value = t[p++];
            }
            item.end = offset + p;
            items.push_back(item);
            if (p >= t.size() || t[p] == ')')
                return Fold(items);
            const std::size_t end = t.find(' ', p + 1);
            op = std::string(t.substr(p + 1, end - p - 1));
            opAt = offset + p + 1;
            p = end + 1;
        }
    }

    char Fold(std::vector<Item> items) const
    {
        const std::size_t n = items.size();
        if (rule == Rule::NotRest)
            return FoldRest(items, 0);
        for (std::size_t k = 0; k < n; ++k)
            if (items[k].nots % 2 == 1 && rule != Rule::NotIgnored)
                items[k].value = Negate(items[k].value, k > 0 ? items[k].op : "", k + 1 < n ? items[k + 1].op : "");
        if (rule == Rule::RightToLeft) {
            char acc = items[n - 1].value;
            for (std::size_t k = n - 1; k >= 1; --k)
                acc = Table(items[k].op, items[k - 1].value, acc, items[k].opAt);
            return acc;
        }
        if (rule == Rule::AndFirst) {
            std::vector<Item> runs{items[0]};
            for (std::size_t k = 1; k < n; ++k)
                if (items[k].op == "And" || items[k].op == "Nand" || items[k].op == "Xand")
                    runs.back().value = Table(items[k].op, runs.back().value, items[k].value, items[k].opAt);
                else
                    runs.push_back(items[k]);
            items = runs;
        }
        char acc = items[0].value;
        for (std::size_t k = 1; k < items.size(); ++k)
            acc = Table(items[k].op, acc, items[k].value, items[k].opAt, items[k].end);
        return acc;
    }
    // "Not" negates everything after it in the chain.
    char FoldRest(std::vector<Item> items, std::size_t from) const
    {
        const bool negated = items[from].nots % 2 == 1;
        char acc = items[from].value;
        for (std::size_t k = from + 1; k < items.size(); ++k) {
            if (items[k].nots % 2 == 1) {
                const char rest = FoldRest(items, k);
                acc = Table(items[k].op, acc, rest, items[k].opAt);
                break;
            }
            acc = Table(items[k].op, acc, items[k].value, items[k].opAt);
        }
        if (!negated)
            return acc;
        return Negate(acc, from > 0 ? items[from].op : "", from == 0 && items.size() > 1 ? items[1].op : "");
    }
};

} // namespace nlt::test
