// Generated texts for the differential tests that compare a parser with the C library.
#pragma once

#include <cstddef>
#include <random>
#include <string>
#include <vector>

namespace text_cases {

// Calls check(text) for every text of 0..maxLength characters over `alphabet`; stops early when
// check returns false.
template <typename Check>
void ForEveryText(const std::string& alphabet, std::size_t maxLength, Check check) {
    std::string text;
    for (std::size_t length = 0; length <= maxLength; ++length) {
        std::vector<std::size_t> index(length, 0);
        for (;;) {
            text.assign(length, ' ');
            for (std::size_t i = 0; i < length; ++i) text[i] = alphabet[index[i]];
            if (!check(text)) return;
            std::size_t pos = 0;
            while (pos < length && ++index[pos] == alphabet.size()) index[pos++] = 0;
            if (pos == length) break;
        }
    }
}

// Calls check(text) for `count` random texts of minLength..maxLength characters over `alphabet`,
// the same ones on every run; stops early when check returns false.
template <typename Check>
void ForRandomTexts(const std::string& alphabet, int minLength, int maxLength, int count,
                    unsigned seed, Check check) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> length(minLength, maxLength);
    for (int i = 0; i < count; ++i) {
        std::string text(static_cast<std::size_t>(length(random)), ' ');
        for (char& c : text) c = alphabet[pick(random)];
        if (!check(text)) return;
    }
}

}  // namespace text_cases
