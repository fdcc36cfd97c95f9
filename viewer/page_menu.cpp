// The page context menu's items belong to the page tools; the viewer only
// empties the menu and lets them fill it. Without them the menu stays
// empty, which page display treats as a page without menu items.
#include "viewer/later_windows.h"
#include "viewer/main_window.h"

void TForm1::BuildPageMenu()
{
    PageMenu->clear();
    ListBox3.clear();
    if (laterwindows::hooks().buildPageMenu)
        laterwindows::hooks().buildPageMenu(*this);
}
