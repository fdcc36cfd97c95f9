// Bindings of the main window's events whose handlers belong to the page
// display and the page commands; each of those binds its own.
#include "viewer/main_window.h"

void TForm1::bindPageEvents()
{
    bindPageDisplayEvents();
    bindPageCommandEvents();
}
