#pragma once
#include <cstddef>
#include <string>

// The lookups of a vocabulary table, whose rows each have a `word` and name a value by it.

// The word of the first row whose `field` holds `value`; empty when none does.
template <class Row, std::size_t N, class Value>
std::string WordOf(const Row (&rows)[N], Value Row::*field, Value value) {
    for (const Row& r : rows)
        if (r.*field == value) return r.word;
    return {};
}

// Every word of the table, in its order, separated by ", ".
template <class Row, std::size_t N> std::string WordList(const Row (&rows)[N]) {
    std::string list;
    for (const Row& r : rows)
        list += (list.empty() ? "" : ", ") + std::string(r.word);
    return list;
}
