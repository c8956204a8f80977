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
// under HKEY_CURRENT_USER, then removes the command bar from Excel, PowerPoint and Word, in that order.
// The registry keys go first, so that no Office application started here loads the add-in again.
// Always returns false; no step's result is examined.
bool RemoveOfficeAddin(FrontEnd& frontEnd);

// Starts the Office application of wszProgID as a local automation server and deletes its "Letterquarry"
// command bar; the application is asked to quit only when the bar existed.
// -1: the ProgID has no class ("CLSIDFromProgID() failed" was shown);
// -2: no instance could be created ("Excel not registered properly" was shown, whatever the application);
//  0: everything else, also when the bar was missing or a call on it failed.
long RemoveCommandBar(const wchar_t* wszProgID, FrontEnd& frontEnd);

// Reads the member wszName of pObject (flags DISPATCH_METHOD | DISPATCH_PROPERTYGET, no arguments) into
// pResult, which the caller has initialised. E_POINTER for a null object; otherwise the HRESULT of the
// name lookup when it failed, else that of the invoke.
HRESULT DispatchGet(IDispatch* pObject, const wchar_t* wszName, VARIANT* pResult);

// Calls the member wszName of pObject with nArgs arguments from arrArgs (in IDispatch order: the last
// argument first). pResult may be null. Invokes as a method; when that fails, once more as a method or
// property get (Office exposes some collection members, such as Item, as properties).
HRESULT DispatchCall(IDispatch* pObject, const wchar_t* wszName, VARIANT* pResult, int nArgs, VARIANT* arrArgs);

// Deletes HKEY_CURRENT_USER\<strPrefix><strApplication>\Addins\<strProgID> with its subkeys. Returns 0.
long RemoveAddinKey(const char* szPrefix, const char* szApplication, const char* szProgID);

// Deletes hRoot\szSubKey with every subkey below it, depth first. Returns 0 on success, otherwise the
// Windows error code of the first step that failed; what was deleted before that stays deleted.
LONG DeleteRegistryTree(HKEY hRoot, const char* szSubKey);
