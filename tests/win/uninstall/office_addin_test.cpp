// Office add-in removal against the Office automation stand-in on a real (Wine) machine: the registry
// trees it deletes, the automation calls each application receives, and the message boxes it shows.
#include "setup/dialogs/dialog_front_end.h"
#include "setup/uninstall/office_addin.h"

#include "tests/support/dialogs.h"
#include "tests/win/uninstall/office_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace office_test;
using lqtest::Answer;
using lqtest::DialogAnswerer;

namespace {

// The Office removal's boxes are the dialog front end's, answered by the tests' DialogAnswerer.
DialogFrontEnd g_frontEnd;

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

TEST_F(OfficeAddinRemoval, DeleteRegistryTreeRemovesNestedKeysDepthFirst) {
    CreateKey(HKEY_CURRENT_USER, "Software\\LqTreeTest\\A\\B\\C", "c");
    CreateKey(HKEY_CURRENT_USER, "Software\\LqTreeTest\\A\\D");
    CreateKey(HKEY_CURRENT_USER, "Software\\LqTreeTest\\E");
    CreateKey(HKEY_CURRENT_USER, "Software\\LqTreeSibling");
    EXPECT_EQ(0, DeleteRegistryTree(HKEY_CURRENT_USER, "Software\\LqTreeTest"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\LqTreeTest"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\LqTreeSibling")) << "a sibling must stay";
    // Gone already: the open fails and its code comes back, nothing else happens.
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, DeleteRegistryTree(HKEY_CURRENT_USER, "Software\\LqTreeTest"));
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\LqTreeSibling");
}

TEST_F(OfficeAddinRemoval, RemoveAddinKeyJoinsPartsWithoutSeparator) {
    CreateKey(HKEY_CURRENT_USER, "Software\\Microsoft\\Office\\Excel\\Addins\\ZmtAddin.MyAddin\\Sub", "s");
    CreateKey(HKEY_CURRENT_USER, "Software\\Microsoft\\Office\\Excel\\Addins\\Other.Addin");
    EXPECT_EQ(0, RemoveAddinKey("Software\\Microsoft\\Office\\", "Excel", "ZmtAddin.MyAddin"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Microsoft\\Office\\Excel\\Addins\\ZmtAddin.MyAddin"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\Microsoft\\Office\\Excel\\Addins\\Other.Addin"));
    EXPECT_EQ(0, RemoveAddinKey("Software\\Microsoft\\Office\\", "Excel", "ZmtAddin.MyAddin")) << "missing key";
    DeleteRegistryTree(HKEY_CURRENT_USER, "Software\\Microsoft\\Office\\Excel");
}

TEST_F(OfficeAddinRemoval, RemovesKeysAndBarsOfAllThreeApplications) {
    RegisterAddin();
    InstallOffice({"Excel", "PowerPoint", "Word"});
    DialogAnswerer answerer;
    answerer.On("Error", {Answer::ClickButton(IDOK)});

    EXPECT_FALSE(RemoveOfficeAddin(g_frontEnd));

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
    EXPECT_TRUE(answerer.Seen().empty()) << "unexpected box: " << answerer.Seen()[0].strText;
}

TEST_F(OfficeAddinRemoval, ApplicationWithoutTheBarIsStartedButNotToldToQuit) {
    InstallOffice({"PowerPoint", "Word"});  // Excel never had the bar
    EXPECT_EQ(0, RemoveCommandBar(L"Excel.Application", g_frontEnd));
    EXPECT_EQ(0, RemoveCommandBar(L"PowerPoint.Application", g_frontEnd));
    EXPECT_EQ(0, RemoveCommandBar(L"Word.Application", g_frontEnd));
    const auto arrLines = SettledCallLog(3);
    EXPECT_EQ(Joined(CallsWithoutBar("Excel")), Joined(LinesOf(arrLines, "Excel")));
    EXPECT_EQ(Joined(CallsWithBar("PowerPoint")), Joined(LinesOf(arrLines, "PowerPoint")));
    EXPECT_EQ(Joined(CallsWithBar("Word")), Joined(LinesOf(arrLines, "Word")));
}

// Snapshots of the call log taken as each box appears: they show where in the run the box came.
std::vector<std::string> g_arrLogAtBox;
void NoteCallLog(const lqtest::SeenDialog&) { g_arrLogAtBox.push_back(Joined(CallLogLines())); }

TEST_F(OfficeAddinRemoval, NoOfficeShowsThreeBoxesAndGoesOn) {
    RegisterAddin();
    {
        DialogAnswerer answerer;
        answerer.On("Error", {Answer::ClickButton(IDOK)});
        EXPECT_EQ(-1, RemoveCommandBar(L"Excel.Application", g_frontEnd));
        EXPECT_EQ(-1, RemoveCommandBar(L"PowerPoint.Application", g_frontEnd));
        EXPECT_EQ(-1, RemoveCommandBar(L"Word.Application", g_frontEnd));
        ASSERT_TRUE(answerer.WaitFor(3, 5000));
        for (const auto& box : answerer.Seen()) {
            EXPECT_EQ("Error", box.strCaption);
            EXPECT_EQ("CLSIDFromProgID() failed", box.strText);
        }
        EXPECT_EQ(3u, answerer.Seen().size());
    }

    // Through RemoveOfficeAddin, with PowerPoint alone installed: Excel's box comes before PowerPoint
    // starts, Word's after PowerPoint has been worked on, and the keys went first all the same.
    g_arrLogAtBox.clear();
    InstallOffice({"PowerPoint"}, "PowerPoint");
    DialogAnswerer answerer2;
    answerer2.On("Error", {Answer::ClickButton(IDOK)});
    answerer2.OnEach(NoteCallLog);
    RemoveOfficeAddin(g_frontEnd);
    ASSERT_TRUE(answerer2.WaitFor(2, 5000)) << answerer2.Seen().size() << " boxes; log:\n" << ReadCallLog();
    ASSERT_EQ(2u, g_arrLogAtBox.size());
    EXPECT_EQ("", g_arrLogAtBox[0]) << "Excel's box must come before any application starts";
    EXPECT_NE(std::string::npos, g_arrLogAtBox[1].find("PowerPoint Invoke Quit")) << g_arrLogAtBox[1];
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "ZmtAddin.MyAddin"));
}

TEST_F(OfficeAddinRemoval, RegisteredButNotStartableReportsExcelTextForAnyApplication) {
    // The class is there but its server program is not.
    CreateKey(HKEY_CLASSES_ROOT, "Word.Application\\CLSID", "{7A1C0E01-5B2D-4C61-9E10-3F510FCE00FF}");
    CreateKey(HKEY_CLASSES_ROOT, "CLSID\\{7A1C0E01-5B2D-4C61-9E10-3F510FCE00FF}\\LocalServer32",
              "C:\\NoSuchFolder\\WINWORD.EXE");
    DialogAnswerer answerer;
    answerer.On("Error", {Answer::ClickButton(IDOK)});
    EXPECT_EQ(-2, RemoveCommandBar(L"Word.Application", g_frontEnd));
    ASSERT_TRUE(answerer.WaitFor(1, 5000));
    EXPECT_EQ("Excel not registered properly", answerer.Seen()[0].strText);
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
