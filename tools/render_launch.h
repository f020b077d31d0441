#pragma once

// trntool render runs trntool-render, which is installed beside trntool:
// drawing needs Qt, and loading Qt would slow every other command down.
// Args are the arguments after "render". Returns only when the program
// cannot be run, with the exit status to give.
int LaunchRender(int Count, char** Args);
