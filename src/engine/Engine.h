#pragma once
// The install engine: the stages that prepare the target, inflate the program
// file and copy the companion files, and the path state they share.
#include <string>

// Prefix of every source file name: the start directory with a trailing backslash.
extern std::string SourcePath;
// Prefix of every installed file name: the target directory with a trailing backslash.
extern std::string TargetPath;
// Whether the installation may go on after target preparation.
extern bool SetupProceed;

// A directory text with a backslash appended unless it already ends in one.
std::string WithTrailingBackslash(const std::string& dir);

void PrepareTarget();
void ExtractProgram();
void CopyCompanionFiles();
