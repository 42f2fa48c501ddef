// Which lines of a text stand unchanged in a later version of it, as a diff
// of the two by lines finds them: a common subsequence, in order.
#pragma once

#include <QStringList>
#include <vector>

// For each line of after, the index of the line of before that it is
// (unchanged), or -1 for a line edited or new. The indices rise.
std::vector<int> matchLines(const QStringList& before, const QStringList& after);
