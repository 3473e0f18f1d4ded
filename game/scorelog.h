// The score log: one line per finished game, appended to scores.txt in the
// working directory.
#pragma once

#include <ctime>

// Seconds a line waits for another game to finish with the log before it
// is given up; 10.
extern double score_log_patience;

// Appends "<UTC date of ended>\t<score>\t<rows> rows\n", on disk before it
// returns, taking turns with other games that end at the same time.  Where
// the filesystem cannot lock, appends without taking turns, in one write.
// Returns false, after saying why on standard error, when the line could not
// be written; the file's earlier lines and other games' lines are never
// touched.
bool append_score_line(int score, int rows_cleared, time_t ended);

// Appends the line, dated now, on a thread of its own, so that the game
// goes on drawing and answering keys while the line waits for its turn or
// for the disk.
void start_saving_score_line(int score, int rows_cleared);

// From now on a SIGINT or SIGTERM gives up a line still waiting for its
// turn, instead of whatever handled them before; for a game about to close
// its window, whose SDL takes its own handlers down with it.
void catch_stop_signals();

// Returns once the line started last is saved or given up: at most the
// lock's patience and two seconds more, and at once after a SIGINT or
// SIGTERM, which gives up a line still waiting for its turn.
void finish_saving_score_line();
