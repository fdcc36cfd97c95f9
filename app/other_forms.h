#pragma once
// The program's windows other than the main window and the splash, created
// once at start-up after the main window and living until exit.

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

class QWidget;

// Creates the windows in start-up order: TForm2, TForm3, ... TForm23, and
// hands the viewer the ones it reaches.
void createOtherForms(QWidget* owner = nullptr);
// Frees them again (tests; the program keeps them until exit).
void destroyOtherForms();
