// The install sequence over the real payload of the built installer, in a test folder of
// its own, with a stand-in dialog and message box.
#pragma once
#include "fake_message_box.h"
#include "install_window.h"
#include "install/install.h"
#include "test_folder.h"
#include "base/state.h"
#include <gtest/gtest.h>
#include <stdio.h>
#include <string>

const DWORD RO_HIDDEN = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;

struct RunInstallTest : ::testing::Test {
    std::string root, folder, wizard, windows;
    void SetUp() override
    {
        ASSERT_NE(nullptr, InstallerModule()) << "PendrelSetup.exe must be built beside the tests";
        g_hInstance = InstallerModule();
        root = MakeTestFolder();
        folder = root + "\\Pendrel";
        wizard = root + "\\setup";
        windows = root + "\\windows";
        for (const std::string &f : { folder, wizard, windows })
            CreateDirectoryA(f.c_str(), NULL);
        UseInstallFolder(folder);
        snprintf(g_wizardFolder, MAX_PATH, "%s\\", wizard.c_str());
        snprintf(g_windowsFolder, MAX_PATH, "%s\\", windows.c_str());
        g_hMainDlg = MakeDialogWithProgressBar();
        g_positions.clear();
        g_atPosition = nullptr;
        g_shownMessages.clear();
        g_messageAnswer = IDOK;
        g_messageReply = nullptr;
    }
    void TearDown() override
    {
        g_atPosition = nullptr;
        g_messageReply = nullptr;
        DestroyWindow(g_hMainDlg);
        g_hMainDlg = NULL;
        RemoveTree(root);
    }
    std::string Path(const char *name) { return folder + "\\" + name; }
    void Install(int expected = 1)
    {
        ASSERT_EQ(expected, RunInstall());
    }
    void MarkWordBase()
    {
        for (const char *name : { "wordbase.igb", "wordshape.idx", "wordindex.idx", "wordinitials.idx" })
            WriteText(Path(name), std::string(name == std::string("wordindex.idx") ? "\x80" : "") + "user " + name,
                      FILE_ATTRIBUTE_HIDDEN);
    }
};

