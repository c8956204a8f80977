#include "setup/record/record_rule.h"

#include "util/mbcs.h"

namespace {

// A path taken apart: its root ("C:" or "\\server\share") and the names after it, in order. Runs of
// backslashes give empty names, which mean nothing.
struct PathParts {
    std::string strRoot;
    std::vector<std::string> arrNames;
};

// Splits at backslashes (and slashes), stepping over double-byte characters whole, as every other part of
// the program reads these paths. A name that Windows would read differently never gets through: the real
// location of each existing file is judged again (honoured_records.h).
std::vector<std::string> SplitAtBackslashes(const std::string& strText) {
    std::vector<std::string> arrNames(1);
    for (size_t i = 0; i < strText.size();) {
        const size_t n = mbcs::CharLength(strText, i);
        if (n == 1 && (strText[i] == '\\' || strText[i] == '/'))
            arrNames.emplace_back();
        else
            arrNames.back().append(strText, i, n);
        i += n;
    }
    return arrNames;
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

RecordVerdict Parse(const std::string& strPath, PathParts& parts) {
    const auto at = [&](size_t i) { return i < strPath.size() ? strPath[i] : '\0'; };
    const bool bPrefixed = IsSeparator(at(0)) && ((IsSeparator(at(1)) && (at(2) == '.' || at(2) == '?')) ||
                                                  (at(1) == '?' && at(2) == '?')) && IsSeparator(at(3));
    // "\\server\share", "//server", and the same behind a device prefix ("\\?\UNC\server"): every open of
    // such a path signs in to a host of the writer's choosing, with this program's account.
    if ((IsSeparator(at(0)) && IsSeparator(at(1)) && !bPrefixed) ||
        (bPrefixed && mbcs::StartsWithNoCase(strPath.substr(4), "UNC") && IsSeparator(at(7))))
        return RecordVerdict::NetworkPath;
    if (bPrefixed) return RecordVerdict::DeviceForm;
    const char cDrive = at(0);
    const bool bLetter = (cDrive >= 'A' && cDrive <= 'Z') || (cDrive >= 'a' && cDrive <= 'z');
    if (!bLetter || at(1) != ':' || !IsSeparator(at(2))) return RecordVerdict::NotAbsolute;
    parts.strRoot = strPath.substr(0, 2);
    parts.arrNames = SplitAtBackslashes(strPath.substr(3));
    return RecordVerdict::Honoured;
}

// A name Windows would take for another place, or that no file name may be.
bool IsUnsafeName(const std::string& strName) {
    if (strName.empty()) return false;
    // Windows drops trailing dots and blanks, so "..", ". ." and "Windows." all lead somewhere else. Neither
    // byte is ever the trail byte of a double-byte character.
    const char cLast = strName.back();
    if (cLast == '.' || cLast == ' ') return true;
    for (unsigned char c : strName)
        if (c < 0x20 || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' || c == '|') return true;
    return false;
}

// The folder's names without the empty ones, so that "a\\b" and "a\b" compare equal.
std::vector<std::string> FolderNames(const std::vector<std::string>& arrNames, size_t nCount) {
    std::vector<std::string> arrFolder;
    for (size_t i = 0; i < nCount; ++i)
        if (!arrNames[i].empty()) arrFolder.push_back(arrNames[i]);
    return arrFolder;
}

// Where a folder (its root and its names without the empty ones) lies against strPlace.
enum class Where { Outside, Exactly, Below };
Where Locate(const PathParts& folder, const std::vector<std::string>& arrFolder, const std::string& strPlace) {
    PathParts place;
    if (strPlace.empty() || Parse(strPlace, place) != RecordVerdict::Honoured) return Where::Outside;
    const std::vector<std::string> arrPlace = FolderNames(place.arrNames, place.arrNames.size());
    if (!mbcs::EqualNoCase(folder.strRoot, place.strRoot) || arrPlace.size() > arrFolder.size()) return Where::Outside;
    for (size_t i = 0; i < arrPlace.size(); ++i)
        if (!mbcs::EqualNoCase(arrFolder[i], arrPlace[i])) return Where::Outside;
    return arrPlace.size() == arrFolder.size() ? Where::Exactly : Where::Below;
}

}  // namespace

RecordVerdict JudgeRecordPath(const std::string& strPath, const RecordPlaces& places, const SuiteFile** ppFile) {
    if (ppFile) *ppFile = nullptr;
    PathParts parts;
    const RecordVerdict form = Parse(strPath, parts);
    if (form != RecordVerdict::Honoured) return form;
    for (const std::string& strName : parts.arrNames)
        if (IsUnsafeName(strName)) return RecordVerdict::UnsafeComponent;

    const SuiteFile* pFile = nullptr;
    const HostDefinition* pHost = parts.arrNames.empty() ? nullptr : FindSuiteFile(parts.arrNames.back(), &pFile);
    if (!pHost) return RecordVerdict::NotASuiteFile;
    const std::vector<std::string> arrFolder = FolderNames(parts.arrNames, parts.arrNames.size() - 1);
    if (pHost->folders == HostFolders::SuiteBin) {
        if (Locate(parts, arrFolder, places.strSuiteBin) != Where::Exactly) return RecordVerdict::SharedFileOutsideBin;
    } else {
        for (const std::string& strWindows : places.arrWindowsFolders)
            if (Locate(parts, arrFolder, strWindows) != Where::Outside) return RecordVerdict::InWindowsFolder;
    }
    if (ppFile) *ppFile = pFile;
    return RecordVerdict::Honoured;
}

const char* DescribeVerdict(RecordVerdict verdict) {
    switch (verdict) {
    case RecordVerdict::Honoured: return "honoured";
    case RecordVerdict::NotASuiteFile: return "not one of the suite's files";
    case RecordVerdict::NotAbsolute: return "not a full path";
    case RecordVerdict::DeviceForm: return "a device path";
    case RecordVerdict::NetworkPath: return "a network path";
    case RecordVerdict::UnsafeComponent: return "a \".\" or \"..\" step, or a name Windows would change";
    case RecordVerdict::SharedFileOutsideBin: return "the suite places this file only in its own folder";
    case RecordVerdict::InWindowsFolder: return "in the Windows folder or a system folder";
    }
    return "?";
}
