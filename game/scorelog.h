// The score log: one line per finished game, appended to scores.txt in the
// working directory.
#pragma once

// Seconds a line waits for another game to finish with the log before it
// is given up; 10.
extern double score_log_patience;

// Appends "<UTC date>\t<score>\t<rows> rows\n", on disk before it returns,
// taking turns with other games that end at the same time.  Where the
// filesystem cannot lock, appends without taking turns.
// Returns false, after saying why on standard error, when the line could not
// be written; the file's earlier lines are never touched.
bool append_score_line(int score, int rows_cleared);

// Appends the line on a thread of its own, so that the game goes on drawing
// and answering keys while the line waits for its turn or for the disk.
void start_saving_score_line(int score, int rows_cleared);

// Returns once the line started last is saved or given up.
void finish_saving_score_line();
