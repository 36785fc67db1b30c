#pragma once
// Where the program's data files are found.
#include <string>
#include <vector>

// Where the sample files are: "dat/samples" under the working directory, else beside the
// executable, else in the installed data directory (found from the executable, so an installed
// tree can move, then at the path compiled in).
std::string sampleDirectory();

// The first of the candidates that is a directory; the last one when none is.
std::string firstExistingDirectory(const std::vector<std::string>& candidates);
