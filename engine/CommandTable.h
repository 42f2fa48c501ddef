// Command classes keep their words in one static table in registration order
// (each entry has at least a `name`), so that registration, listing and
// dispatch cannot drift apart. This finds the first entry of a word, compared
// exactly, as execute and getValue do.
#pragma once

#include <cstddef>
#include <string>

template <class Entry, std::size_t N>
const Entry* findCommandWord(const Entry (&table)[N], const std::string& word) {
    for (const Entry& entry : table)
        if (word == entry.name)
            return &entry;
    return nullptr;
}
