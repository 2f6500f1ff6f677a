// Starting a program that outlives us and inherits nothing it should not.
#pragma once
#include <string>
#include <vector>

// Starts `program` (a path, in the file system's encoding) with `arguments` (argv[1]...) in
// `directory` (empty: ours), in a session of its own with standard input from /dev/null, no
// descriptor of ours but the standard ones, and default signal handling. Returns 0 when the
// program is running, otherwise the errno that stopped it (from fork, chdir or exec).
int StartDetached(const std::string& program, const std::vector<std::string>& arguments,
                  const std::string& directory);
