// Stands in for the X11 display driver in a build without
// platform/drivers/x11/: choosing "x11" then fails to open, and the layer
// falls back to the headless driver with a line on stderr.
#include "platform/drivers/driver.h"

namespace {
bool notBuilt() { return false; }
}  // namespace

DisplayDriver x11DisplayDriver() {
  DisplayDriver driver = {};
  driver.name = "x11";
  driver.open = notBuilt;
  return driver;
}
