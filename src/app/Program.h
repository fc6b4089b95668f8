#pragma once

namespace tinsori {

// Exit statuses: 0 done, 1 a failure outside the user's control, 2 a mistake on the command line.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// The whole program: parses the command line and runs the chosen mode.
int RunProgram(int argc, char** argv);

}  // namespace tinsori
