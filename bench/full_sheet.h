#pragma once

#include "core/sheet/sheet.h"

#include <cstddef>
#include <random>
#include <string>

namespace tavlor::bench {

/** Fills every data cell with 8 to 16 random lower-case letters (the benchmarks' full sheet). */
inline void fillFullSheet(Sheet& sheet, unsigned seed = 7) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> length(8, 16);
    std::uniform_int_distribution<int> letter('a', 'z');
    for (int r = 1; r <= Sheet::kLastRow; ++r)
        for (int c = 1; c <= Sheet::kLastCol; ++c) {
            std::string text(static_cast<std::size_t>(length(random)), ' ');
            for (char& ch : text)
                ch = static_cast<char>(letter(random));
            sheet.setCell(c, r, std::move(text));
        }
}

} // namespace tavlor::bench
