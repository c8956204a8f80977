// Which records of an uninstall log the setup program honours.
//
// The log lies in the shipped folder, which every local user may write, and the uninstall that reads it
// runs elevated: every record in it is outside input. A record is honoured (its file unregistered, deleted,
// or carried into the next log) only when it names a file the install places, in a folder where the
// install places it. Every record an install writes is honoured, so no well-formed log changes meaning.
// Portable: paths are ANSI text in the system code page, split and compared double-byte aware.
#pragma once

#include "setup/core/hosts.h"

#include <string>
#include <vector>

enum class RecordVerdict {
    Honoured,
    NotASuiteFile,         // the file name is none of the suite's files
    NotAbsolute,           // not "X:\..."
    DeviceForm,            // "\\.\...", "\\?\..." or "\??\...": the install never writes one
    NetworkPath,           // "\\server\share\...", "//server/...", "\\?\UNC\...", or (judged where the file is,
                           // honoured_records.h) a drive letter mapped to a share
    UnsafeComponent,       // ".", "..", a name Windows would trim (a trailing dot or blank), a character
                           // no file name may hold (a stream's ":", a wildcard, a control character)
    SharedFileOutsideBin,  // a runtime file or an add-in anywhere but the suite's own folder
    InWindowsFolder,       // a host plug-in in the Windows folder or below it, or in a system folder
};

// Where this machine keeps what the rule compares against. '/' counts as '\' in every path, as it does
// for Windows.
struct RecordPlaces {
    std::string strSuiteBin;                     // the runtime files and add-ins go here, and only here
    std::vector<std::string> arrWindowsFolders;  // no host plug-in is placed in or below any of these
};

// The verdict on one record's path. For an honoured record, *ppFile (when given) receives the suite's
// table entry of the file: its flags are the ones that count, not the record's own R and U.
// A path may hold runs of backslashes: the install joins a folder that ends in one with "%s\%s".
RecordVerdict JudgeRecordPath(const std::string& strPath, const RecordPlaces& places,
                              const SuiteFile** ppFile = nullptr);

// Why a record is refused, in words for the setup log ("honoured" for an honoured one).
const char* DescribeVerdict(RecordVerdict verdict);
