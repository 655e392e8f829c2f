#pragma once

// The whole run of the application: start-up, the event loop, and the exit status.
int StartQuorvane(int argc, char** argv);
