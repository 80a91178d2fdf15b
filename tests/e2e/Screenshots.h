// A walk through the five pages for tools/screenshots.sh.
#ifndef LKP_TESTS_E2E_SCREENSHOTS_H
#define LKP_TESTS_E2E_SCREENSHOTS_H

#include <string>

// Shows each page in turn; at page N writes the wizard's rectangle on the
// screen (WxH+X+Y) into folder\page-N.ready and waits
// for folder\page-N.done, which the script makes once it has the picture.
// Cancels the wizard at the end. 0 on success.
int walkForScreenshots(const std::string& folder);

#endif
