#include "editor/line_changes.h"

#include <algorithm>

namespace quillet {

void LineChanges::inserted(int line, int linesAdded, bool byUser) {
    if (linesAdded > 0) {
        for (auto& r : ranges_) {
            if (r.first > line) r.first += linesAdded;
            if (r.last > line) r.last += linesAdded;
        }
    }
    markLines(line, line + std::max(linesAdded, 0), byUser);
}

void LineChanges::removed(int line, int linesRemoved, bool byUser) {
    if (linesRemoved > 0) {
        // Lines line+1 .. line+linesRemoved merged into `line`.
        auto shift = [&](int b) {
            if (b > line + linesRemoved) return b - linesRemoved;
            return std::min(b, line);
        };
        for (auto& r : ranges_) {
            r.first = shift(r.first);
            r.last = shift(r.last);
        }
    }
    markLines(line, line, byUser);
}

void LineChanges::markLines(int first, int last, bool byUser) {
    if (first < 0) first = 0;
    if (last < first) return;
    ranges_.push_back({first, last, byUser});
}

bool LineChanges::contains(int line) const {
    return std::any_of(ranges_.begin(), ranges_.end(),
                       [line](const Range& r) { return r.first <= line && line <= r.last; });
}

void LineChanges::erase(int line) {
    std::vector<Range> kept;
    for (const auto& r : ranges_) {
        if (line < r.first || line > r.last) {
            kept.push_back(r);
            continue;
        }
        if (r.first < line) kept.push_back({r.first, line - 1, r.byUser});
        if (line < r.last) kept.push_back({line + 1, r.last, r.byUser});
    }
    ranges_ = std::move(kept);
}

namespace {

using Span = std::pair<int, int>;

// Sorted, disjoint spans covering the same lines, clipped below lineCount.
std::vector<Span> merged(std::vector<Span> spans, int lineCount) {
    std::sort(spans.begin(), spans.end());
    std::vector<Span> out;
    for (auto [first, last] : spans) {
        last = std::min(last, lineCount - 1);
        if (first > last) continue;
        if (!out.empty() && first <= out.back().second + 1) {
            out.back().second = std::max(out.back().second, last);
        } else {
            out.push_back({first, last});
        }
    }
    return out;
}

}  // namespace

std::vector<LineChanges::Line> LineChanges::take(int lineCount) {
    std::vector<Span> all, user;
    for (const auto& r : ranges_) {
        all.push_back({r.first, r.last});
        if (r.byUser) user.push_back({r.first, r.last});
    }
    ranges_.clear();
    const auto allSpans = merged(std::move(all), lineCount);
    const auto userSpans = merged(std::move(user), lineCount);

    std::vector<Line> lines;
    auto u = userSpans.begin();
    for (const auto& [first, last] : allSpans) {
        for (int line = first; line <= last; ++line) {
            while (u != userSpans.end() && u->second < line) ++u;
            const bool byUser = u != userSpans.end() && u->first <= line;
            lines.push_back({line, byUser});
        }
    }
    return lines;
}

}  // namespace quillet
