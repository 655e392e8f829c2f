#pragma once

#include "platform/core/String.h"

// The text of the Description window: the method and its literature, the ratings-file format,
// a sample data set with the results Quorvane gives for it, how to cite the program, the notice
// of rights and the disclaimer. Plain ASCII, lines separated by single carriage returns, no line
// end after the last line. Built on first use and kept for the run.
const platform::String& HelpText();
