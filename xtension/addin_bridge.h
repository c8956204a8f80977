// The bridge to the suite's add-in library "c:\ZmtPlugin\bin\ZmtAddin.dll": loaded at activation,
// asked to open its window when the menu item is chosen, and answering through three callbacks, each
// naming a picture file to place into the current document.
#pragma once

// Loads the add-in library into g_xt.hAddin, once per load of the module (later calls do nothing). When
// that fails, says so in a message box ("Error") with the system error number; the module goes on without
// it. Called from XTActivateCallback, never from the entry routine: it loads a library and may show a
// window, neither of which is safe under the loader lock.
void LoadAddinLibrary();

// Frees the add-in library when it was loaded.
void FreeAddinLibrary();

// Opens the add-in window: Show(1), SetZmtOutputType(1), SetCall(1, art), SetCall(2, short text),
// SetCall(3, font). Does nothing at all when the library is not loaded or lacks any of the three
// exports, so that the host is never called through a null pointer.
void OpenAddinWindow();
