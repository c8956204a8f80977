// Removal of the suite's Office add-in: its registration (the COM class "ZmtAddin.MyAddin" and the Office
// Addins keys) and its command bar "Letterquarry" inside Excel, PowerPoint and Word.
//
// Runs on the calling (UI) thread and blocks while each Office application answers. Failures the user must
// know about go to the front end as MessageStyle::Error; everything else that fails is passed over
// silently.
#pragma once

#include "setup/core/front_end.h"

#include <windows.h>
#include <oaidl.h>

// Deletes the add-in's class key and ProgID key under HKEY_CLASSES_ROOT and its three Office Addins keys
// under HKEY_CURRENT_USER, then removes the command bars (RemoveCommandBars).
// The registry keys go first, so that no Office application started here loads the add-in again. No
// step's result changes what follows.
void RemoveOfficeAddin(FrontEnd& frontEnd);

// How the removal of a command bar from one Office application ended.
enum class CommandBarRemoval {
    Done,                    // the application ran: the bar deleted and the application asked to quit, or it
                             // had no bar (also when a call on the bar failed)
    ApplicationNotInstalled, // the ProgID has no class ("CLSIDFromProgID() failed" was shown)
    ApplicationNotStarted,   // no instance could be created ("Excel not registered properly" was shown,
                             // whatever the application)
};

// RemoveCommandBar for Excel, PowerPoint and Word, in that order; Word's result (the one the sibling
// product's add-in depends on).
CommandBarRemoval RemoveCommandBars(FrontEnd& frontEnd);

// Starts the Office application of wszProgID as a local automation server and deletes its "Letterquarry"
// command bar; the application is asked to quit only when the bar existed.
CommandBarRemoval RemoveCommandBar(const wchar_t* wszProgID, FrontEnd& frontEnd);

// Reads the member wszName of pObject (flags DISPATCH_METHOD | DISPATCH_PROPERTYGET, no arguments) into
// pResult, which the caller has initialised. E_POINTER for a null object; otherwise the HRESULT of the
// name lookup when it failed, else that of the invoke.
HRESULT DispatchGet(IDispatch* pObject, const wchar_t* wszName, VARIANT* pResult);

// Calls the member wszName of pObject with nArgs arguments from arrArgs (in IDispatch order: the last
// argument first). pResult may be null. Invokes as a method; when that fails, once more as a method or
// property get (Office exposes some collection members, such as Item, as properties).
HRESULT DispatchCall(IDispatch* pObject, const wchar_t* wszName, VARIANT* pResult, int nArgs, VARIANT* arrArgs);

// Deletes HKEY_CURRENT_USER\<strPrefix><strApplication>\Addins\<strProgID> with its subkeys; a key that is
// not there, or cannot be deleted, is passed over (and logged).
void RemoveAddinKey(const char* szPrefix, const char* szApplication, const char* szProgID);
