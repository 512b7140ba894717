// The window tests' set-up (application object, window set, modal answers) is shared
// with the window test program rather than written a second time.
#include "forms/WindowTestSupport.cpp"
