// The text table: every text the setup program shows or writes for people, in Korean and in English,
// each under a named id. Engines name what to say (an id, and a parameter where the text has a "%s");
// front ends and dialogs turn ids into text here. Korean texts are code page 949, as the ANSI functions
// take them; some texts are in the HTML subset of the label control. The texts are the suite's own and
// stay byte for byte as they are, typos and unclosed tags included: installed PCs show them.
#pragma once

#include <string>

enum class TextId {
    // The install sequence's eight stages, in step order.
    StageBasicFiles,
    StageOffice,
    StagePhotoshopBeforeCS2,
    StagePhotoshopCS2,
    StageIllustrator,
    StageCorelDraw11,
    StageCorelDraw12,
    StageQuark,
    // The uninstall sequence.
    StageFindDeleteInformation,
    StageDelete,
    NoDeleteInformation,
    Removed,
    // The three-way question after files were found in use (HTML subset).
    InstallRefused,
    InUseLetterquarry,
    InUseSlidequarry,
    // The running-program guard's question; "%s" is the program's display name (HTML subset).
    ProgramRunning,
    // The Office add-in removal: technical messages, in English only.
    ClsidFromProgIdFailed,
    OfficeNotRegistered,
    // The host records' display names, as the install dialog lists them.
    HostBasicDlls,
    HostOffice,
    HostPhotoshopBeforeCS2,
    HostPhotoshopCS2,
    HostIllustrator,
    HostQuark,
    HostCorelDraw11,
    HostCorelDraw12,
    // The install dialog. The banners take the product name and version for "%s".
    BannerQuobbin,
    BannerTessaly,
    BannerStandard,
    Prompt,
    Hint,
    HostListColumn,
    InstallButton,
    Installed,
    // Buttons of the question dialogs.
    CancelButton,
    RestartWindowsButton,
    GoOnButton,
    DeleteButton,
    ForceCloseButton,
    // Start-up and the run modes.
    UninstallConfirmation,
    AlreadyRunning,
    UpgradeMessage,
    Usage,  // "/?": the switches and the exit codes
    // The entry in the Windows list of programs, written in the language of the install run.
    EntryDisplayName,
    // Captions of the standard message boxes.
    ProductCaption,
    ErrorCaption,
    // The restart, when the process token cannot be opened: a technical message, in English only.
    OpenProcessTokenFailed,
    Count
};

enum class Language { Korean, English };

// The language of every text, as start-up set it (setup/core/country.h): Korean when the system's country
// code is 82, English otherwise.
Language CurrentLanguage();

// The text in the current language.
std::string Text(TextId id);
// The text with its "%s" replaced by strParam.
std::string Text(TextId id, const std::string& strParam);
// The text of a button (InstallButton, CancelButton, RestartWindowsButton, GoOnButton, DeleteButton,
// ForceCloseButton) in the current language with its access key, as Windows writes one: in English the
// key's letter is marked where it first stands ("&Install"), in Korean it follows the text in parentheses
// ("설치하기(&I)"). The table's texts themselves stay as they are. Any other id: its text, without a key.
std::string ButtonText(TextId id);
// The text in one language, whatever the current one is (a host record carries both names; the setup
// log is English).
std::string TextIn(Language language, TextId id);

// The plug-in folder names of Photoshop and Illustrator, in the order discovery tries them: the two spellings
// of Korean editions, then the English one, each with its closing backslash. Names on disk, not texts to
// show; they stand here because this table is where the program keeps its Korean.
extern const char* const kAdobePluginFolderNames[3];
