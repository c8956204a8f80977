// The installation context as every stage receives it: eight records in their fixed order, each selected
// and empty until discovery fills it; release frees the uninstall items and every record's lists.
#include "setup/core/install_context.h"

#include <gtest/gtest.h>

namespace {

TEST(InstallContext, StartsWithEightSelectedEmptyRecordsAndNoUninstallItems) {
    InstallContext context;
    EXPECT_TRUE(context.arrUninstallItems.empty());
    ASSERT_EQ(8, kHostCount);
    for (int i = 0; i < kHostCount; ++i) {
        const HostRecord& record = context.arrHosts[i];
        EXPECT_EQ(1, record.bSelected) << "record " << i;
        EXPECT_TRUE(record.strSourceFolder.empty()) << "record " << i;
        EXPECT_TRUE(record.arrFiles.empty() && record.arrFolders.empty()) << "record " << i;
    }
}

TEST(InstallContext, ReleaseEmptiesEverythingAndMayBeRepeated) {
    InstallContext context;
    HostRecord& quark = context.arrHosts[kHostQuark];
    quark.strSourceFolder = "C:\\ZmtPlugin\\install";
    quark.arrFiles.push_back(std::unique_ptr<HostFileEntry>(new HostFileEntry{0, 0, "ZmtLetterquarry.axt"}));
    quark.arrFolders.push_back(std::unique_ptr<HostFolderEntry>(new HostFolderEntry{0.0f, "C:\\QXP\\XTension\\"}));
    context.arrUninstallItems.push_back(
        std::unique_ptr<HostFileEntry>(new HostFileEntry{1, 0, "C:\\ZmtPlugin\\bin\\ZmtAddin.dll"}));

    context.Release();
    EXPECT_TRUE(context.arrUninstallItems.empty());
    EXPECT_TRUE(quark.arrFiles.empty());
    EXPECT_TRUE(quark.arrFolders.empty());
    EXPECT_TRUE(quark.strSourceFolder.empty());
    context.Release();  // a second release finds nothing to free
    EXPECT_TRUE(context.arrUninstallItems.empty());
}

}  // namespace
