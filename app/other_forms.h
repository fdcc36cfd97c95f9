#pragma once
// The program's windows other than the main window and the splash. None is
// made at start-up: each is made, owned by the main window, when first used,
// by the code that shows it (tools/forms/window_on_demand.h), and lives until
// the main window goes.

#include "editor/forms/form13.h"
#include "editor/forms/form15.h"
#include "editor/forms/form2.h"
#include "tools/forms/form10.h"
#include "tools/forms/form11.h"
#include "tools/forms/form12.h"
#include "tools/forms/form16.h"
#include "tools/forms/form17.h"
#include "tools/forms/form18.h"
#include "tools/forms/form23.h"
#include "tools/forms/form3.h"
#include "tools/forms/form4.h"
#include "tools/forms/form5.h"
#include "tools/forms/form6.h"
#include "tools/forms/form7.h"
#include "tools/forms/form9.h"

// Lets the viewer make the windows it reaches by itself (the page memo
// window, the video window) when it first needs them.
void installWindowMakers();
// Frees the windows made so far and forgets the makers (tests; the program
// keeps them until exit).
void destroyOtherForms();
