#include "app/LineMatch.h"

#include <QHash>
#include <algorithm>

namespace {

// The largest stretch of changed lines (lines before times lines after)
// matched line for line by a table; a larger one is first cut at the lines
// that occur once on either side.
constexpr qint64 tableCells = qint64(1) << 22;

class Matcher {
public:
    Matcher(const QStringList& a, const QStringList& b, std::vector<int>& match)
        : a_(a), b_(b), match_(match) {}

    void run(int a0, int a1, int b0, int b1) {
        while (a0 < a1 && b0 < b1 && a_[a0] == b_[b0])
            match_[size_t(b0++)] = a0++;
        while (a0 < a1 && b0 < b1 && a_[a1 - 1] == b_[b1 - 1])
            match_[size_t(--b1)] = --a1;
        if (a0 == a1 || b0 == b1)
            return;
        if (qint64(a1 - a0 + 1) * (b1 - b0 + 1) <= tableCells)
            table(a0, a1, b0, b1);
        else
            anchored(a0, a1, b0, b1);
    }

private:
    // The longest common subsequence, from a table of its lengths.
    void table(int a0, int a1, int b0, int b1) {
        const int n = a1 - a0, m = b1 - b0;
        std::vector<int> rest(size_t(n + 1) * size_t(m + 1), 0);
        const auto at = [m](int i, int j) { return size_t(i) * size_t(m + 1) + size_t(j); };
        for (int i = n - 1; i >= 0; --i)
            for (int j = m - 1; j >= 0; --j)
                rest[at(i, j)] = a_[a0 + i] == b_[b0 + j]
                                     ? rest[at(i + 1, j + 1)] + 1
                                     : std::max(rest[at(i + 1, j)], rest[at(i, j + 1)]);
        for (int i = 0, j = 0; i < n && j < m;) {
            if (a_[a0 + i] == b_[b0 + j]) {
                match_[size_t(b0 + j)] = a0 + i;
                ++i;
                ++j;
            } else if (rest[at(i + 1, j)] >= rest[at(i, j + 1)]) {
                ++i;
            } else {
                ++j;
            }
        }
    }

    // Lines that occur once before and once after are matched where their
    // order agrees (the longest rising run of them), and the stretches
    // between them on their own. Without such lines the stretch stays changed.
    void anchored(int a0, int a1, int b0, int b1) {
        struct Count {
            int before = 0, after = 0, at = -1;
        };
        QHash<QString, Count> counts;
        for (int i = a0; i < a1; ++i) {
            Count& c = counts[a_[i]];
            ++c.before;
            c.at = i;
        }
        for (int j = b0; j < b1; ++j) {
            auto found = counts.find(b_[j]);
            if (found != counts.end())
                ++found->after;
        }
        std::vector<std::pair<int, int>> pairs; // (after, before), by after
        for (int j = b0; j < b1; ++j) {
            const auto found = counts.constFind(b_[j]);
            if (found != counts.constEnd() && found->before == 1 && found->after == 1)
                pairs.emplace_back(j, found->at);
        }
        // Patience: the longest run of pairs whose "before" rises too.
        std::vector<int> tails, previous(pairs.size(), -1);
        for (size_t k = 0; k < pairs.size(); ++k) {
            const auto place = std::lower_bound(
                tails.begin(), tails.end(), pairs[k].second,
                [&](int index, int value) { return pairs[size_t(index)].second < value; });
            if (place != tails.begin())
                previous[k] = *(place - 1);
            if (place == tails.end())
                tails.push_back(int(k));
            else
                *place = int(k);
        }
        std::vector<std::pair<int, int>> chain;
        for (int k = tails.empty() ? -1 : tails.back(); k >= 0; k = previous[size_t(k)])
            chain.push_back(pairs[size_t(k)]);
        std::reverse(chain.begin(), chain.end());
        int a = a0, b = b0;
        for (const auto& [j, i] : chain) {
            run(a, i, b, j);
            match_[size_t(j)] = i;
            a = i + 1;
            b = j + 1;
        }
        if (!chain.empty())
            run(a, a1, b, b1);
        else
            fewChanges(a0, a1, b0, b1);
    }

    // A stretch without such lines (lines repeated throughout) with few
    // changes: the shortest way from before to after by removing and adding
    // lines, found one more change at a time (Myers), while its cost stays
    // that of a table. With more changes the stretch stays changed.
    void fewChanges(int a0, int a1, int b0, int b1) {
        const int n = a1 - a0, m = b1 - b0;
        const int most = int(std::min<qint64>(qint64(n) + m, tableCells / (qint64(n) + m)));
        // For each diagonal k (lines of before less lines of after), the
        // furthest line of before reached; each step's diagonals kept for the
        // way back.
        std::vector<int> reach(size_t(2 * most + 3), 0);
        std::vector<std::vector<int>> steps;
        for (int d = 0; d <= most; ++d) {
            steps.emplace_back(reach.begin() + (most + 1 - d), reach.begin() + (most + 2 + d));
            for (int k = -d; k <= d; k += 2) {
                const int previous = cameFrom(reach, most + 1, d, k);
                int x = reach[size_t(most + 1 + previous)] + (previous < k ? 1 : 0);
                int y = x - k;
                while (x < n && y < m && a_[a0 + x] == b_[b0 + y]) {
                    ++x;
                    ++y;
                }
                reach[size_t(most + 1 + k)] = x;
                if (x >= n && y >= m)
                    return back(steps, a0, b0, n, m);
            }
        }
    }

    // The diagonal that step d reaches diagonal k from: the one further on.
    static int cameFrom(const std::vector<int>& reach, int centre, int d, int k) {
        return k == -d || (k != d && reach[size_t(centre + k - 1)] < reach[size_t(centre + k + 1)])
                   ? k + 1
                   : k - 1;
    }

    // Follows the steps back from the ends, matching each run of unchanged
    // lines.
    void back(const std::vector<std::vector<int>>& steps, int a0, int b0, int x, int y) {
        for (int d = int(steps.size()) - 1; d >= 0; --d) {
            const int k = x - y;
            const int previous = cameFrom(steps[size_t(d)], d, d, k);
            const int px = d == 0 ? 0 : steps[size_t(d)][size_t(d + previous)];
            const int start = d == 0 ? 0 : px + (previous < k ? 1 : 0);
            for (; x > start; --x, --y)
                match_[size_t(b0 + y - 1)] = a0 + x - 1;
            x = px;
            y = px - previous;
        }
    }

    const QStringList& a_;
    const QStringList& b_;
    std::vector<int>& match_;
};

} // namespace

std::vector<int> matchLines(const QStringList& before, const QStringList& after) {
    std::vector<int> match(size_t(after.size()), -1);
    Matcher(before, after, match).run(0, before.size(), 0, after.size());
    return match;
}
