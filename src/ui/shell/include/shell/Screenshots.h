#pragma once
// The screenshot tour (--screenshots DIR): the main window after discovery, the live
// display after a few display ticks, each dialog as it opens for the selected plant,
// the printed forms as PDF and PNG (pdftoppm); then the program ends. Every window
// is opened as the operator would open it; one that opens beyond the screen's free
// area is named on stderr and in DIR/sizes.txt.

#include <QString>

class TFMain;

void TakeScreenshots(TFMain *main, const QString &folder);
