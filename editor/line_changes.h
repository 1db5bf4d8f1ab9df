#pragma once

#include <vector>

namespace quillet {

// The lines whose text changed since they were last coloured, as ranges that
// follow the insertion and deletion of lines, so that a colouring visits only
// what changed. Lines changed by the user are normalised; lines changed by
// undo or redo are only restyled, so that undo can take a normalisation back.
class LineChanges {
  public:
    struct Line {
        int line;
        bool byUser;
    };

    // Text went in at `line`, bringing linesAdded new line ends with it.
    void inserted(int line, int linesAdded, bool byUser);
    // Text came out at `line`, taking linesRemoved line ends with it.
    void removed(int line, int linesRemoved, bool byUser);
    void markLines(int first, int last, bool byUser);

    bool contains(int line) const;
    bool empty() const { return ranges_.empty(); }
    // Takes one line out of the set.
    void erase(int line);
    // Every changed line below lineCount, in ascending order; the set is emptied.
    std::vector<Line> take(int lineCount);

  private:
    struct Range {
        int first;
        int last;
        bool byUser;
    };
    std::vector<Range> ranges_;
};

}  // namespace quillet
