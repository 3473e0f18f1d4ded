// The score log: one line per finished game, appended to scores.txt in the
// working directory.
#pragma once

// Appends "<UTC date>\t<score>\t<rows> rows\n", on disk before it returns,
// taking turns with other games that end at the same time (at most about a
// second).
// Returns false, after saying why on standard error, when the line could not
// be written; the file's earlier lines are never touched.
bool append_score_line(int score, int rows_cleared);
