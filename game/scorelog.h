// The score log: one line per finished game, appended to scores.txt in the
// working directory.
#pragma once

// Appends "<UTC date>\t<score>\t<rows> rows\n" and closes the file at once.
// Returns false, after saying why on standard error, when the line could not
// be written; the file's earlier lines are never touched.
bool append_score_line(int score, int rows_cleared);
