// Office add-in removal against the Office automation stand-in on a real (Wine) machine: the registry
// trees it deletes, the automation calls each application receives, and the messages it has its front end
// show (recorded).
#include "setup/uninstall/office_addin.h"
#include "tests/support/recording_front_end.h"
#include "util/registry.h"
#include "tests/win/uninstall/office_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace office_test;
using lqtest::RecordingFrontEnd;
using Message = RecordingFrontEnd::Message;

namespace {

const Message kNotInstalled = {MessageStyle::Error, TextId::ClsidFromProgIdFailed};

std::vector<std::string> LinesOf(const std::vector<std::string>& arrLines, const std::string& strApp) {
    std::vector<std::string> arrOwn;
    for (const auto& s : arrLines)
        if (s.compare(0, strApp.size() + 1, strApp + " ") == 0) arrOwn.push_back(s);
    return arrOwn;
}

std::vector<std::string> StartOrder(const std::vector<std::string>& arrLines) {
    std::vector<std::string> arrOrder;
    for (const auto& s : arrLines)
        if (s.size() > 6 && s.compare(s.size() - 6, 6, " Start") == 0) arrOrder.push_back(s.substr(0, s.size() - 6));
    return arrOrder;
}

class OfficeAddinRemoval : public ::testing::Test {
protected:
    void SetUp() override { ResetOffice(); }
    void TearDown() override { ResetOffice(); }
};

TEST_F(OfficeAddinRemoval, RemoveAddinKeyJoinsPartsWithoutSeparator) {
    CreateKey(HKEY_CURRENT_USER, "Software\\Microsoft\\Office\\Excel\\Addins\\ZmtAddin.MyAddin\\Sub", "s");
    CreateKey(HKEY_CURRENT_USER, "Software\\Microsoft\\Office\\Excel\\Addins\\Other.Addin");
    RemoveAddinKey("Software\\Microsoft\\Office\\", "Excel", "ZmtAddin.MyAddin");
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Microsoft\\Office\\Excel\\Addins\\ZmtAddin.MyAddin"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\Microsoft\\Office\\Excel\\Addins\\Other.Addin"));
    RemoveAddinKey("Software\\Microsoft\\Office\\", "Excel", "ZmtAddin.MyAddin");  // a missing key: nothing to do
    DeleteRegistryTree(HKEY_CURRENT_USER, "Software\\Microsoft\\Office\\Excel");
}

TEST_F(OfficeAddinRemoval, RemovesKeysAndBarsOfAllThreeApplications) {
    RegisterAddin();
    InstallOffice({"Excel", "PowerPoint", "Word"});
    RecordingFrontEnd frontEnd;

    RemoveOfficeAddin(frontEnd);

    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kAddinClassKey));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "ZmtAddin.MyAddin"));
    for (const char* szApp : {"Excel", "PowerPoint", "Word"}) {
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER,
                               std::string("Software\\Microsoft\\Office\\") + szApp + "\\Addins\\ZmtAddin.MyAddin"))
            << szApp;
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, BarKey(szApp))) << szApp << "'s bar must be deleted";
    }
    const auto arrLines = SettledCallLog(3);
    EXPECT_EQ((std::vector<std::string>{"Excel", "PowerPoint", "Word"}), StartOrder(arrLines)) << Joined(arrLines);
    for (const char* szApp : {"Excel", "PowerPoint", "Word"})
        EXPECT_EQ(Joined(CallsWithBar(szApp)), Joined(LinesOf(arrLines, szApp)));
    EXPECT_EQ(std::vector<Message>{}, frontEnd.arrMessages);
}

TEST_F(OfficeAddinRemoval, ApplicationWithoutTheBarIsStartedButNotToldToQuit) {
    InstallOffice({"PowerPoint", "Word"});  // Excel never had the bar
    RecordingFrontEnd frontEnd;
    for (const wchar_t* wszProgID : {L"Excel.Application", L"PowerPoint.Application", L"Word.Application"})
        EXPECT_EQ(CommandBarRemoval::Done, RemoveCommandBar(wszProgID, frontEnd));
    const auto arrLines = SettledCallLog(3);
    EXPECT_EQ(Joined(CallsWithoutBar("Excel")), Joined(LinesOf(arrLines, "Excel")));
    EXPECT_EQ(Joined(CallsWithBar("PowerPoint")), Joined(LinesOf(arrLines, "PowerPoint")));
    EXPECT_EQ(Joined(CallsWithBar("Word")), Joined(LinesOf(arrLines, "Word")));
}

TEST_F(OfficeAddinRemoval, NoOfficeShowsThreeBoxesAndGoesOn) {
    RegisterAddin();
    {
        RecordingFrontEnd frontEnd;
        for (const wchar_t* wszProgID : {L"Excel.Application", L"PowerPoint.Application", L"Word.Application"})
            EXPECT_EQ(CommandBarRemoval::ApplicationNotInstalled, RemoveCommandBar(wszProgID, frontEnd));
        EXPECT_EQ((std::vector<Message>{kNotInstalled, kNotInstalled, kNotInstalled}), frontEnd.arrMessages);
    }

    // Through RemoveOfficeAddin, with PowerPoint alone installed: Excel's box comes before PowerPoint
    // starts, Word's after PowerPoint has been worked on, and the keys went first all the same.
    InstallOffice({"PowerPoint"}, "PowerPoint");
    RecordingFrontEnd frontEnd;
    std::vector<std::string> arrLogAtBox;  // the call log as each box appears: where in the run it came
    frontEnd.fnWhileShown = [&arrLogAtBox] { arrLogAtBox.push_back(Joined(CallLogLines())); };
    RemoveOfficeAddin(frontEnd);
    EXPECT_EQ((std::vector<Message>{kNotInstalled, kNotInstalled}), frontEnd.arrMessages);
    ASSERT_EQ(2u, arrLogAtBox.size());
    EXPECT_EQ("", arrLogAtBox[0]) << "Excel's box must come before any application starts";
    EXPECT_NE(std::string::npos, arrLogAtBox[1].find("PowerPoint Invoke Quit")) << arrLogAtBox[1];
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "ZmtAddin.MyAddin"));
}

TEST_F(OfficeAddinRemoval, RegisteredButNotStartableReportsExcelTextForAnyApplication) {
    // The class is there but its server program is not.
    CreateKey(HKEY_CLASSES_ROOT, "Word.Application\\CLSID", "{7A1C0E01-5B2D-4C61-9E10-3F510FCE00FF}");
    CreateKey(HKEY_CLASSES_ROOT, "CLSID\\{7A1C0E01-5B2D-4C61-9E10-3F510FCE00FF}\\LocalServer32",
              "C:\\NoSuchFolder\\WINWORD.EXE");
    RecordingFrontEnd frontEnd;
    EXPECT_EQ(CommandBarRemoval::ApplicationNotStarted, RemoveCommandBar(L"Word.Application", frontEnd));
    EXPECT_EQ((std::vector<Message>{{MessageStyle::Error, TextId::OfficeNotRegistered}}), frontEnd.arrMessages)
        << "Excel's text, whatever the application";
    DeleteRegistryTree(HKEY_CLASSES_ROOT, "Word.Application");
    DeleteRegistryTree(HKEY_CLASSES_ROOT, "CLSID\\{7A1C0E01-5B2D-4C61-9E10-3F510FCE00FF}");
}

TEST_F(OfficeAddinRemoval, DispatchHelpersRefuseANullObject) {
    VARIANT vt;
    VariantInit(&vt);
    EXPECT_EQ(E_POINTER, DispatchGet(nullptr, L"CommandBars", &vt));
    EXPECT_EQ(E_POINTER, DispatchCall(nullptr, L"Quit", nullptr, 0, nullptr));
}

}  // namespace
