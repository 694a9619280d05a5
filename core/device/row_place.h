// Where a table cursor stands among its table's rows, and the walk every such cursor offers:
// back to the first row, on to the next, or to the first row a test picks. Each step answers
// non-zero while a row is current, as the cursors' callers expect.
#pragma once

#include <cstddef>
#include <vector>

class RowPlace {
public:
    template <typename Row>
    const Row* Current(const std::vector<Row>& rows) const {
        return valid_ && index_ < rows.size() ? &rows[index_] : nullptr;
    }

    int First(size_t rowCount) {
        index_ = 0;
        valid_ = rowCount != 0;
        return valid_ ? 1 : 0;
    }

    int Next(size_t rowCount) {
        if (!valid_) return 0;
        valid_ = ++index_ < rowCount;
        return valid_ ? 1 : 0;
    }

    // The first row the test picks becomes current; none is current when it picks none.
    template <typename Row, typename Picks>
    int Select(const std::vector<Row>& rows, Picks picks) {
        for (size_t i = 0; i < rows.size(); ++i)
            if (picks(rows[i])) {
                index_ = i;
                valid_ = true;
                return 1;
            }
        valid_ = false;
        return 0;
    }

private:
    size_t index_ = 0;
    bool valid_ = false;
};
