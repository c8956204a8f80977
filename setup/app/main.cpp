#include "setup/app/app.h"

// The one application object; the framework's WinMain runs it.
CZmtUpGradeApp theApp;
