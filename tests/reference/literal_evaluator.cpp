#include "tests/reference/literal_evaluator.h"

#include "tests/reference/literal_tables.h"

#include <algorithm>
#include <map>

namespace nlt::reference {

namespace {

// The 162 term texts ("2 Xagainst 1") with their values.
const std::map<std::string, char, std::less<>> &TermTable()
{
    static const auto table = [] {
        std::map<std::string, char, std::less<>> rows;
        const std::string_view values = "012";
        for (const auto &row : kTruthRows)
            for (std::size_t a = 0; a < 3; ++a)
                for (std::size_t b = 0; b < 3; ++b) {
                    std::string key;
                    key += values[a];
                    key += ' ';
                    key += row.word;
                    key += ' ';
                    key += values[b];
                    rows.emplace(key, row.cells[3 * a + b]);
                }
        return rows;
    }();
    return table;
}

// Replaces every non-overlapping occurrence of find, scanning on after each
// inserted replacement.
void ReplaceAll(std::string &w, std::string_view find, std::string_view replacement)
{
    std::size_t from = 0;
    while ((from = w.find(find, from)) != std::string::npos) {
        w.replace(from, find.size(), replacement);
        from += replacement.size();
    }
}

// Position (from 1) of the first occurrence of c at position start or later; 0 if none.
std::size_t InStr(std::size_t start, const std::string &w, char c)
{
    const auto index = w.find(c, start - 1);
    return index == std::string::npos ? 0 : index + 1;
}

} // namespace

std::optional<std::string> LiteralReduceGroup(std::string_view group)
{
    std::string w(group);
    if (!w.empty() && w.front() == '(')
        w.erase(0, 1);
    if (!w.empty() && w.back() == ')')
        w.pop_back();

    while (w.find("Not Not ") != std::string::npos)
        ReplaceAll(w, "Not Not ", "");

    for (const auto &rule : kRewriteRows)
        ReplaceAll(w, rule.find, rule.replacement);

    while (w.size() > 1) {
        std::size_t end = 0;
        for (const char c : {'2', '1', '0'}) {
            const std::size_t position = InStr(2, w, c);
            if (position >= 6 && (end == 0 || position < end))
                end = position;
        }
        if (end == 0)
            return std::nullopt;
        const std::string term = w.substr(0, end);
        const auto row = TermTable().find(term);
        if (row == TermTable().end())
            return std::nullopt;
        const auto first = w.find(term);
        w.replace(first, term.size(), 1, row->second);
    }
    return w;
}

std::optional<std::string> LiteralEvaluate(std::string_view text)
{
    std::string w(text);
    while (w.size() > 1) {
        const std::size_t p = InStr(1, w, ')');
        std::string g;
        if (p > 1) {
            std::size_t current = p;
            g = w.substr(p - 1, 1);
            while (current > 1 && w[current - 1] != '(') {
                g.insert(g.begin(), w[current - 2]);
                --current;
            }
        } else {
            g = w;
        }
        const auto v = LiteralReduceGroup(g);
        if (!v)
            return std::nullopt;
        const std::size_t before = w.size();
        ReplaceAll(w, g, *v);
        if (w.size() >= before)
            return std::nullopt;
    }
    return w;
}

bool IsValueOutcome(const std::optional<std::string> &outcome)
{
    return outcome && outcome->size() == 1 && (*outcome)[0] >= '0' && (*outcome)[0] <= '2';
}

} // namespace nlt::reference
