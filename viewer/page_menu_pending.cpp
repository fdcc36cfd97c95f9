// The page context menu is built by the page-menu code of the page tools;
// until that lands the menu stays empty, which page display treats as a page
// without menu items.
#include "viewer/main_window.h"

void TForm1::BuildPageMenu()
{
    PageMenu->clear();
}
