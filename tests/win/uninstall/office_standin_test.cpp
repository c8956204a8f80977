// The Office automation stand-in, driven through COM exactly as the uninstall drives the real Office:
// CLSIDFromProgID, CoCreateInstance of a local server, IDispatch calls marshalled across processes.
#include "standins/office/office_standin.h"

#include <gtest/gtest.h>
#include <ole2.h>
#include <oleauto.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

const char* kServerPath = "C:\\ZmtPlugin\\install\\OfficeStandin.exe";

std::string ReadCallLog() {
    std::ifstream in(office_standin::kCallLogPath, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

TEST(OfficeStandin, LocalServerAnswersThroughIDispatch) {
    ASSERT_EQ(0, office_standin::RegisterApplications(kServerPath, true));
    ASSERT_HRESULT_SUCCEEDED(CoInitialize(nullptr));
    CLSID clsid;
    ASSERT_HRESULT_SUCCEEDED(CLSIDFromProgID(L"Excel.Application", &clsid));
    IDispatch* pApp = nullptr;
    HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch, reinterpret_cast<void**>(&pApp));
    ASSERT_HRESULT_SUCCEEDED(hr) << std::hex << hr;
    LPOLESTR wszName = const_cast<LPOLESTR>(L"CommandBars");
    DISPID nId = 0;
    hr = pApp->GetIDsOfNames(IID_NULL, &wszName, 1, LOCALE_USER_DEFAULT, &nId);
    ASSERT_HRESULT_SUCCEEDED(hr) << std::hex << hr;
    DISPPARAMS params = {nullptr, nullptr, 0, 0};
    VARIANT vtResult;
    VariantInit(&vtResult);
    hr = pApp->Invoke(nId, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &params,
                      &vtResult, nullptr, nullptr);
    ASSERT_HRESULT_SUCCEEDED(hr) << std::hex << hr;
    EXPECT_EQ(VT_DISPATCH, V_VT(&vtResult));
    VariantClear(&vtResult);
    pApp->Release();
    CoUninitialize();
    Sleep(1000);
    std::string strLog = ReadCallLog();
    EXPECT_NE(std::string::npos, strLog.find("Excel Invoke CommandBars flags=3 -> ok")) << strLog;
    EXPECT_NE(std::string::npos, strLog.find("Excel End quit=0")) << strLog;
}

}  // namespace
