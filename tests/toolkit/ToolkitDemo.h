// Shows one of the toolkit's dialogs over a stand-in main window, for
// looking at them (tools/screenshot-toolkit.sh).
#pragma once

// args: NAME [--hold MS] [--no-backdrop]; NAME is question, warning,
// twolines, stop, informs, about, preferences or controls.
int RunDemo(int argc, char** argv);
