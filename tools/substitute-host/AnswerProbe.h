#pragma once

namespace tools {

class RunDriver;

// Plays a short stroke, waits for its history step, undoes and redoes it, while a second thread
// sends the frame an empty message every 10 ms; prints every answer slower than 100 ms as it
// comes and, for each phase, the longest time the frame took to answer.  A benchmark of how the
// frame feels, not a test.
void ProbeAnswers(RunDriver& run);

}  // namespace tools
